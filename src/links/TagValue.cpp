#include "TagValue.h"

#include "common/SearchCopy.h"

HrefValues::HrefValues(QStringView upper)
    : m_doubleQuoted(upper, u" HREF", u'"'), m_singleQuoted(upper, u" HREF", u'\''), m_any(upper, u" HREF"),
      m_ends(upper)
{
}

std::optional<ValueSpan> HrefValues::find(qsizetype start, qsizetype close)
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
    return HrefValues(upperTag).find(0, close < 0 ? upperTag.size() : close);
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
