#include "LinkNavigator.h"

#include "TagScan.h"
#include "TaglessRanges.h"
#include "common/SearchCopy.h"

std::optional<int> findLinkTag(const QString& text, int selectionStart, int selectionLength, bool forward,
                               std::optional<LinkClass> kind, const LinkClassAt& classAt)
{
    const QString upper = makeSearchCopy(text);
    const TaglessRanges tagless(upper);
    NextOccurrence closing(upper, u">");
    NextAttribute href(upper, u" HREF");

    // pos: 1-based position after which (forward) or before which (backward) the search goes on; 0: none.
    qsizetype pos = 0;
    if (forward) {
        qsizetype end = qsizetype(selectionStart) + selectionLength;
        if (selectionLength == 1 && selectionStart < text.size() && text.at(selectionStart) == u'<') {
            const qsizetype close = text.indexOf(u'>', selectionStart + 1);
            end = close < 0 ? text.size() : close;
        }
        pos = end + 1;
    } else {
        pos = std::max(selectionStart - 1, 0);
    }
    while (pos >= 1) {
        // a: 0-based start of the candidate "<A ". (lastIndexOf reads a negative start as counting from the end.)
        const qsizetype a =
            forward ? upper.indexOf(u"<A ", pos - 1) : (pos < 3 ? -1 : upper.lastIndexOf(u"<A ", pos - 3));
        if (a < 0)
            return std::nullopt;
        const qsizetype b = closing.at(a);
        if (b >= 0 && !tagless.contains(a) && href.within(a, b) && (!kind || classAt(int(a)) == kind))
            return int(a);
        pos = forward ? a + 2 : a;
    }
    return std::nullopt;
}
