#include "SingleLink.h"

#include "ResourceAddresses.h"
#include "TagValue.h"
#include "TaglessRanges.h"
#include "TextPositions.h"
#include "common/SearchCopy.h"

#include <algorithm>

namespace {

// The "<A " tag the upper-cased text holds from `from` on, up to its ">" before `end`.
std::optional<TagSpan> linkTagWithin(const QString& upper, qsizetype from, qsizetype end)
{
    const qsizetype open = upper.indexOf(u"<A ", from);
    if (open < 0 || open >= end)
        return std::nullopt;
    const qsizetype close = upper.indexOf(u'>', open);
    if (close < 0 || close >= end)
        return std::nullopt;
    return TagSpan{int(open), int(close - open + 1)};
}

std::optional<TagSpan> linkTagAtSelection(const QString& text, const QString& upper, int selectionStart,
                                          int selectionLength)
{
    const qsizetype start = std::clamp<qsizetype>(selectionStart, 0, text.size());
    const qsizetype end = std::clamp<qsizetype>(start + std::max(selectionLength, 0), start, text.size());
    if (upper.indexOf(u"<A ", start) >= 0 && upper.indexOf(u"<A ", start) + 3 <= end)
        return linkTagWithin(upper, start, end);

    // The "<" the selection begins with, or for one inside a tag the "<" before it.
    qsizetype open = start;
    if (end == start || text.at(start) != u'<') {
        open = QStringView(text).left(start).lastIndexOf(u'<');
        if (open < 0 || QStringView(text).left(start).lastIndexOf(u'>') > open)
            return std::nullopt;
    }
    const qsizetype close = text.indexOf(u'>', open);
    return linkTagWithin(upper, open, close < 0 ? text.size() : close + 1);
}

} // namespace

std::optional<TagSpan> tagAtSelection(const QString& text, int selectionStart, int selectionLength)
{
    const QString upper = makeSearchCopy(text);
    const std::optional<TagSpan> tag = linkTagAtSelection(text, upper, selectionStart, selectionLength);
    // A tag in a comment or the like is no link.
    if (tag && TaglessRanges(upper).contains(tag->start))
        return std::nullopt;
    return tag;
}

namespace {

std::optional<LinkEntry> linkOfTag(const QString& text, const TagSpan& tag)
{
    const QString tagText = text.mid(tag.start, tag.length);
    const auto span = findHrefValue(makeSearchCopy(tagText));
    if (span && !span->closed)
        return std::nullopt;
    LinkEntry link;
    link.start = tag.start + 1;
    link.length = tag.length;
    const TextPositions::LineColumn at = TextPositions(text).at(tag.start);
    link.line = at.line;
    link.column = at.column;
    if (span) {
        link.value = secondPassValue(tagText, *span);
        link.valueStart = tag.start + int(span->begin) + 1;
        link.valueLength = int(span->end - span->begin);
    } else {
        link.decided = true; // a tag without HREF: painted as a link not classified
    }
    return link;
}

// The tag that holds a position: the last "<" at or before it with no ">" between; nothing when none does.
std::optional<TagSpan> tagHolding(const QString& text, qsizetype position)
{
    const qsizetype open = QStringView(text).left(position + 1).lastIndexOf(u'<');
    if (open < 0 || QStringView(text).sliced(open, position - open).contains(u'>'))
        return std::nullopt;
    const qsizetype close = text.indexOf(u'>', open);
    if (close < 0)
        return std::nullopt;
    return TagSpan{int(open), int(close - open + 1)};
}

// The address a tag loads that the selection points at.
std::optional<LinkEntry> resourceAtSelection(const QString& text, int selectionStart)
{
    const qsizetype at = std::clamp<qsizetype>(selectionStart, 0, std::max<qsizetype>(text.size() - 1, 0));
    const std::optional<TagSpan> tag = tagHolding(text, at);
    if (!tag)
        return std::nullopt;
    const QString upper = makeSearchCopy(text);
    if (TaglessRanges(upper).contains(tag->start))
        return std::nullopt;
    const std::vector<ResourceAddress> addresses =
        ResourceAddresses(text, upper).of(tag->start, tag->start + tag->length - 1);
    if (addresses.empty())
        return std::nullopt;
    const auto pointed = std::find_if(addresses.cbegin(), addresses.cend(), [at](const ResourceAddress& address) {
        return at >= address.begin && at <= address.end;
    });
    const ResourceAddress& address = pointed == addresses.cend() ? addresses.front() : *pointed;
    LinkEntry link;
    link.start = tag->start + 1;
    link.length = tag->length;
    link.element = address.element;
    link.attribute = address.attribute;
    link.value = address.value;
    link.valueStart = int(address.begin) + 1;
    link.valueLength = int(address.end - address.begin);
    const TextPositions::LineColumn position = TextPositions(text).at(tag->start);
    link.line = position.line;
    link.column = position.column;
    return link;
}

} // namespace

std::optional<LinkEntry> linkAtSelection(const QString& text, int selectionStart, int selectionLength, bool resources)
{
    if (const std::optional<TagSpan> tag = tagAtSelection(text, selectionStart, selectionLength))
        return linkOfTag(text, *tag);
    return resources ? resourceAtSelection(text, selectionStart) : std::nullopt;
}
