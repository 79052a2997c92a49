#include "TagValue.h"

#include "common/SearchCopy.h"

AttributeValues::AttributeValues(QStringView upper, QStringView blankAndName)
    : m_doubleQuoted(upper, blankAndName, u'"'), m_singleQuoted(upper, blankAndName, u'\''), m_any(upper, blankAndName),
      m_ends(upper)
{
}

std::optional<ValueSpan> AttributeValues::find(qsizetype start, qsizetype close)
{
    for (NextAttribute* form : {&m_doubleQuoted, &m_singleQuoted, &m_any}) {
        if (const auto attribute = form->within(start, close))
            return m_ends.span(*attribute, close);
    }
    return std::nullopt;
}

std::optional<ValueSpan> findHrefValue(QStringView upperTag)
{
    const qsizetype close = upperTag.indexOf(u'>');
    return AttributeValues(upperTag, u" HREF").find(0, close < 0 ? upperTag.size() : close);
}

QStringView firstPassValue(QStringView upper, const ValueSpan& span)
{
    return trimBlanks(upper.sliced(span.begin, span.end - span.begin));
}

QString secondPassValue(QStringView text, const ValueSpan& span)
{
    return trimBlanks(text.sliced(span.begin, span.end - span.begin)).toString();
}

std::optional<QString> secondPassValue(QStringView tag, QStringView upperTag)
{
    const auto span = findHrefValue(upperTag);
    if (!span)
        return std::nullopt;
    return secondPassValue(tag, *span);
}
