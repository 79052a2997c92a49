#include "TagValue.h"

#include "common/SearchCopy.h"

namespace {

// The value of a quoted form runs to the next quote; without one it is empty.
ValueSpan quotedValue(QStringView upperTag, qsizetype begin, QChar quote)
{
    const qsizetype end = upperTag.indexOf(quote, begin);
    if (end < 0)
        return {begin, begin, false};
    return {begin, end, true};
}

} // namespace

std::optional<ValueSpan> findHrefValue(QStringView upperTag)
{
    qsizetype t = upperTag.indexOf(u" HREF=\"");
    if (t >= 0)
        return quotedValue(upperTag, t + 7, u'"');
    t = upperTag.indexOf(u" HREF='");
    if (t >= 0)
        return quotedValue(upperTag, t + 7, u'\'');
    t = upperTag.indexOf(u" HREF=");
    if (t < 0)
        return std::nullopt;
    const qsizetype begin = t + 6;
    qsizetype end = upperTag.indexOf(u' ', begin);
    if (end < 0)
        end = upperTag.indexOf(u'>', begin);
    if (end < 0)
        end = upperTag.size();
    return ValueSpan{begin, end, true};
}

QString firstPassValue(QStringView upperTag)
{
    const auto span = findHrefValue(upperTag);
    if (!span)
        return QString();
    return trimBlanks(upperTag.sliced(span->begin, span->end - span->begin).toString());
}

std::optional<QString> secondPassValue(QStringView tag, QStringView upperTag)
{
    const auto span = findHrefValue(upperTag);
    if (!span)
        return std::nullopt;
    return trimBlanks(tag.sliced(span->begin, span->end - span->begin).toString());
}
