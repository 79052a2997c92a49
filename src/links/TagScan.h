#pragma once

#include <QStringView>

// The first occurrence of a needle at or after a position, for positions that only grow. Each search
// resumes where the last one ended, so walking a whole text costs one pass, whatever its tags look like.
class NextOccurrence {
public:
    NextOccurrence(QStringView text, QStringView needle) : m_text(text), m_needle(needle) {}

    // -1 when there is none.
    qsizetype at(qsizetype from)
    {
        if (m_found == NotSearched || (m_found >= 0 && m_found < from))
            m_found = m_text.indexOf(m_needle, from);
        return m_found;
    }

    // True when the needle lies wholly inside [from, last].
    bool within(qsizetype from, qsizetype last)
    {
        const qsizetype found = at(from);
        return found >= 0 && found + m_needle.size() - 1 <= last;
    }

private:
    static constexpr qsizetype NotSearched = -2;
    QStringView m_text;
    QStringView m_needle;
    qsizetype m_found = NotSearched;
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

    qsizetype start() const { return m_start; }  // 0-based position of "<"
    qsizetype end() const { return m_end; }      // 0-based position of ">", or -1
    QStringView tag() const { return m_upper.sliced(m_start, m_end - m_start + 1); }

private:
    QStringView m_upper;
    NextOccurrence m_close;
    qsizetype m_start = -1;
    qsizetype m_end = -1;
};
