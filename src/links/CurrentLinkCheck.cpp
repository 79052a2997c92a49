#include "CurrentLinkCheck.h"

#include "AnchorIndex.h"
#include "LinkClassifier.h"
#include "LinkKinds.h"
#include "LinkRegistry.h"
#include "TagValue.h"
#include "common/RichTextBox.h"
#include "common/SearchCopy.h"

#include <optional>

namespace {

constexpr int MaxAttempts = 11;

struct TagAtSelection {
    int start; // 0-based offset of the "<"
    QString text;
};

// Works out which tag the selection means, moving the selection while it looks.
std::optional<TagAtSelection> identifyTag(RichTextBox& editor, QString first)
{
    int start = editor.selStart();
    QString selected = editor.selText();
    for (int attempt = 0; attempt < MaxAttempts; ++attempt) {
        const QString upper = makeSearchCopy(selected);
        const qsizetype q = upper.indexOf(u"<A ");
        if (q >= 0) {
            const qsizetype close = upper.indexOf(u'>', q);
            if (close < 0)
                return std::nullopt;
            return TagAtSelection{start + int(q), selected.mid(q, close - q + 1)};
        }
        const QString text = editor.text();
        if (!first.startsWith(u'<')) {
            // A caret inside a tag: the text before it ends in an open "<".
            const qsizetype open = QStringView(text).left(start).lastIndexOf(u'<');
            if (open < 0 || QStringView(text).left(start).lastIndexOf(u'>') > open)
                return std::nullopt;
            editor.setSelection(int(open), 1);
            start = int(open);
            selected = first = QStringLiteral("<");
            continue;
        }
        // A selection starting with "<": where it stands in the text, then up to the next ">".
        const qsizetype at = QStringView(text).lastIndexOf(selected, start);
        if (at < 0)
            return std::nullopt;
        const qsizetype close = text.indexOf(u'>', at);
        const QString candidate = close < 0 ? text.mid(at) : text.mid(at, close - at + 1);
        editor.findAndSelect(candidate, int(at));
        selected = editor.selText();
        start = editor.selStart();
        const qsizetype lt = selected.indexOf(u'<');
        if (lt > 0) {
            selected.remove(0, lt);
            start += int(lt);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<CheckedTag> checkCurrentLink(RichTextBox& editor, const QString& firstSelected, const QString& docBase,
                                           bool docIsFile, WebLinkCheck& web, LinkRegistry& registry,
                                           const TextEncoding& documentEncoding)
{
    const auto tag = identifyTag(editor, firstSelected);
    if (!tag)
        return std::nullopt;
    const QString upperTag = makeSearchCopy(tag->text);
    const auto span = findHrefValue(upperTag);
    // A quoted value without its closing quote cannot be cut: nothing is painted.
    if (span && !span->closed)
        return std::nullopt;
    CheckedTag checked{tag->start, int(tag->text.size()), {}};
    if (span) {
        const QString value = trimBlanks(tag->text.mid(span->begin, span->end - span->begin));
        const LinkClassifier classifier(LinkClassifier::normaliseBase(docBase), docIsFile, web,
                                        [&editor](const QString& name) {
                                            bool found = false;
                                            findNameAnchor(editor.text(), name, found);
                                            return found;
                                        },
                                        documentEncoding);
        checked.classification = classifier.classify(value);
    }
    editor.setSelection(checked.start, checked.length);
    if (const auto color = colorForResult(checked.classification.result)) {
        editor.setSelColor(*color);
        editor.setSelLinkMark(true);
        editor.setSelLinkId(registry.add(checked.classification.result, checked.classification.reason));
        editor.setSelLength(1);
    }
    return checked;
}
