#pragma once

#include <QStringView>

// The first occurrence of a needle at or after a position. Successive positions reuse what the last
// search found, so walking a text forward, or backward, costs about one pass in all, whatever its
// tags look like.
class NextOccurrence {
public:
    NextOccurrence(QStringView text, QStringView needle) : m_text(text), m_needle(needle) {}

    // -1 when there is none.
    qsizetype at(qsizetype from)
    {
        if (m_from < 0 || (from > m_from && (m_found < 0 ? false : m_found < from))) {
            m_found = m_text.indexOf(m_needle, from);
        } else if (from < m_from) {
            // Only the stretch before the last position is new.
            const qsizetype gap = qMin(m_from - from + m_needle.size() - 1, m_text.size() - from);
            const qsizetype inGap = m_text.sliced(from, gap).indexOf(m_needle);
            if (inGap >= 0)
                m_found = from + inGap;
        }
        m_from = from;
        return m_found;
    }

    // True when the needle lies wholly inside [from, last].
    bool within(qsizetype from, qsizetype last)
    {
        const qsizetype found = at(from);
        return found >= 0 && found + m_needle.size() - 1 <= last;
    }

private:
    QStringView m_text;
    QStringView m_needle;
    qsizetype m_from = -1;
    qsizetype m_found = -1;
};

// Steps through the candidate tags of a search copy: each "<A ", one character after the previous
// one, with the first ">" at or after it (-1 when the text has none).
class TagCandidates {
public:
    explicit TagCandidates(QStringView upper) : m_upper(upper), m_close(upper, u">") {}

    bool next()
    {
        m_start = m_upper.indexOf(u"<A ", m_start + 1);
        if (m_start < 0)
            return false;
        m_end = m_close.at(m_start);
        return true;
    }

    qsizetype start() const { return m_start; } // 0-based position of "<"
    qsizetype end() const { return m_end; }     // 0-based position of ">", or -1
    QStringView tag() const { return m_upper.sliced(m_start, m_end - m_start + 1); }

private:
    QStringView m_upper;
    NextOccurrence m_close;
    qsizetype m_start = -1;
    qsizetype m_end = -1;
};
