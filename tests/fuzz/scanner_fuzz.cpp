// A full check of any text, then single checks and moves between links in it: the table, the editor,
// the single check and the moves keep their properties and agree with each other, whatever the text.

#include "FuzzCheck.h"
#include "FuzzText.h"
#include "common/Document.h"
#include "common/Prompter.h"
#include "common/RichTextBox.h"
#include "common/RunState.h"
#include "common/SearchCopy.h"
#include "links/AnchorIndex.h"
#include "links/CheckProgress.h"
#include "links/CurrentLinkCheck.h"
#include "links/LinkKinds.h"
#include "links/LinkNavigator.h"
#include "links/LinkRegistry.h"
#include "links/LinkScanner.h"
#include "links/TagValue.h"
#include "links/WebLinkCheck.h"

#include <QGuiApplication>
#include <QHash>
#include <QTextDocument>

#include <algorithm>

namespace {

// A web link exists by a hash of its URL, so that both answers occur, the same for the same URL.
class HashedWeb : public WebLinkCheck {
public:
    WebVerdict checkWebLink(const QString& url) override
    {
        WebVerdict verdict;
        verdict.exists = qHash(url) % 2 == 0;
        return verdict;
    }
};

// Checks run from start to end without passes of the event loop.
class Quiet : public CheckProgress {
public:
    void processEvents() override {}
};

class DefaultAnswers : public Prompter {
public:
    Answer ask(const Prompt& prompt) override
    {
        ++asked;
        return defaultAnswerOf(prompt.id);
    }
    QString chooseFile(FileDialogKind) override { return QString(); }
    int asked = 0;
};

bool isNeverChecked(LinkResult result)
{
    return result == LinkResult::NoCheckEmpty || result == LinkResult::NoCheckMailto ||
           result == LinkResult::NoCheckJavascript || result == LinkResult::NoCheckVbscript;
}

const LinkEntry* entryAt(const LinkTable& table, int offset)
{
    const auto found = std::find_if(table.entries.cbegin(), table.entries.cend(),
                                    [offset](const LinkEntry& entry) { return entry.start - 1 == offset; });
    return found == table.entries.cend() ? nullptr : &*found;
}

void checkTable(const LinkTable& table, const QString& text)
{
    FUZZ_CHECK(table.text == text);
    int previous = 0;
    for (const LinkEntry& entry : table.entries) {
        FUZZ_CHECK(entry.start > previous && entry.length >= 4 && entry.start - 1 + entry.length <= text.size());
        previous = entry.start;
        FUZZ_CHECK(entry.line >= 1 && entry.column >= 1);
        const QString upperTag = makeSearchCopy(table.tagText(entry).toString());
        FUZZ_CHECK(upperTag.startsWith(u"<A ") && upperTag.indexOf(u'>') == upperTag.size() - 1);
        FUZZ_CHECK(findHrefValue(upperTag).has_value());
    }
}

// The single check with the caret at `caret`: a link tag it checks is one the full check found, with
// the same result (values never checked aside: the single check looks those up).
void checkSingle(RichTextBox& editor, const LinkTable& table, int caret, const QString& base, bool isFile,
                 WebLinkCheck& web, LinkRegistry& registry)
{
    editor.setSelection(caret, 0);
    const auto checked = checkCurrentLink(editor, QString(), base, isFile, web, registry);
    if (!checked)
        return;
    const QString& text = table.text;
    FUZZ_CHECK(checked->start >= 0 && checked->length > 0 && checked->start + checked->length <= text.size());
    const QString upperTag = makeSearchCopy(text.mid(checked->start, checked->length));
    FUZZ_CHECK(upperTag.startsWith(u"<A ") && upperTag.endsWith(u'>'));
    if (!findHrefValue(upperTag))
        return;
    const LinkEntry* entry = entryAt(table, checked->start);
    FUZZ_CHECK(entry != nullptr && entry->length == checked->length);
    FUZZ_CHECK(isNeverChecked(entry->result) || entry->result == checked->classification.result);
}

// A move to the next or previous link lands on a tag the full check found, or says there is none.
void checkMove(LinkNavigator& navigator, RichTextBox& editor, const LinkTable& table, bool forward,
               DefaultAnswers& prompter)
{
    const int askedBefore = prompter.asked;
    FUZZ_CHECK(navigator.moveToLink(forward, std::nullopt));
    if (prompter.asked == askedBefore)
        FUZZ_CHECK(editor.selLength() == 1 && entryAt(table, editor.selStart()) != nullptr);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "scanner_fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv); // for the rest of the process
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool isFile = input.ConsumeBool();
    const bool asUtf16 = input.ConsumeBool();
    const int caretSeed = input.ConsumeIntegral<uint16_t>();
    const QString anchorName = upperCaseKeepingLength(shortText(input, 16));
    const QString text = remainingText(input, asUtf16);
    const QString base = isFile ? QStringLiteral("/nonexistent/fuzz") : QStringLiteral("http://h/dir/");

    QTextDocument textDocument;
    RichTextBox editor(&textDocument);
    Document document;
    document.htmlData = text;
    RunState run;
    Quiet progress;
    HashedWeb web;
    LinkRegistry registry;
    LinkScanner scanner(document, run, editor, progress, web, registry);
    FUZZ_CHECK(scanner.checkAllLinks(base, isFile, true));
    FUZZ_CHECK(editor.text() == text);
    const LinkTable& table = scanner.table();
    checkTable(table, text);

    const int length = int(text.size());
    for (const int caret : {caretSeed % (length + 1), length / 2, length})
        checkSingle(editor, table, caret, base, isFile, web, registry);
    for (size_t i = 0; i < std::min<size_t>(table.entries.size(), 8); ++i)
        checkSingle(editor, table, table.entries[i].start, base, isFile, web, registry);

    DefaultAnswers prompter;
    LinkNavigator navigator(run, editor, progress, prompter);
    editor.setSelection(caretSeed % (length + 1), 0);
    for (const bool forward : {true, true, false, true, false, false})
        checkMove(navigator, editor, table, forward, prompter);

    bool found = false;
    FUZZ_CHECK(findNameAnchor(text, anchorName, found));
    return 0;
}
