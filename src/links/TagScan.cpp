#include "TagScan.h"

#include <algorithm>

qsizetype NeedleSearch::first(qsizetype from, qsizetype before) const
{
    if (from >= before || from >= m_text.size())
        return -1;
    // A match starting before `before` may run past it.
    const qsizetype length = std::min(before - from + m_needle.size() - 1, m_text.size() - from);
    const qsizetype found = m_text.sliced(from, length).indexOf(m_needle);
    return found < 0 ? -1 : from + found;
}

qsizetype AttributeSearch::valueStart(qsizetype at) const
{
    const auto skipBlanks = [this](qsizetype i) {
        while (i < m_upper.size() && m_upper.at(i) == u' ')
            ++i;
        return i;
    };
    const qsizetype equals = skipBlanks(at + m_nameSize);
    if (equals >= m_upper.size() || m_upper.at(equals) != u'=')
        return -1;
    return skipBlanks(equals + 1);
}

qsizetype AttributeSearch::first(qsizetype from, qsizetype before) const
{
    for (qsizetype at = m_name.first(from, before); at >= 0; at = m_name.first(at + 1, before)) {
        const qsizetype value = valueStart(at);
        if (value >= 0 && (!m_quote || (value < m_upper.size() && m_upper.at(value) == *m_quote)))
            return at;
    }
    return -1;
}

std::optional<Attribute> NextAttribute::within(qsizetype from, qsizetype before)
{
    const qsizetype found = at(from);
    if (found < 0 || found >= before)
        return std::nullopt;
    if (found != m_last.at)
        m_last = {found, m_search.valueStart(found)};
    return m_last;
}

ValueSpan ValueEnds::span(const Attribute& attribute, qsizetype close)
{
    const qsizetype begin = attribute.value;
    const QChar first = begin < m_upper.size() ? m_upper.at(begin) : QChar();
    if (first == u'"' || first == u'\'') {
        const qsizetype quote = (first == u'"' ? m_doubleQuote : m_singleQuote).at(begin + 1);
        if (quote < 0 || quote >= close)
            return {begin + 1, begin + 1, false};
        return {begin + 1, quote, true};
    }
    const qsizetype blank = m_blank.at(begin);
    return {begin, blank >= 0 && blank < close ? blank : close, true};
}

bool TagCandidates::next()
{
    for (qsizetype from = m_start + 1;;) {
        m_start = m_kind == Kind::Links ? m_upper.indexOf(u"<A ", from) : nextTagStart(from);
        if (m_start < 0)
            return false;
        from = m_tagless ? m_tagless->skip(m_start) : m_start;
        if (from == m_start)
            break;
    }
    m_end = m_close.at(m_start);
    return true;
}

qsizetype TagCandidates::nextTagStart(qsizetype from) const
{
    for (qsizetype open = m_upper.indexOf(u'<', from); open >= 0; open = m_upper.indexOf(u'<', open + 1)) {
        // The copy is upper-cased: a tag name starts with A to Z.
        if (open + 1 < m_upper.size() && m_upper.at(open + 1) >= u'A' && m_upper.at(open + 1) <= u'Z')
            return open;
    }
    return -1;
}
