// Times the find bar's "replace all" of one host name in every link of a generated 10 MB document with 50,000
// links, on the offscreen platform: the editor as the window shows it, each link tied to its tag as a check leaves
// them (LinkSpans) and painted. Timed are the replacement (finding the matches included) up to the editor's next
// paint, then its one undo step and its redo, each for matches anywhere and for matches in link values only. It
// checks that one undo gives the text back and that every link still stands at its tag.

#include "common/Prompter.h"
#include "editor/LinkPainter.h"
#include "editor/LinkSpans.h"
#include "links/LinkFinder.h"
#include "web/CheckSettings.h"
#include "window/EditorSearch.h"
#include "window/FindBar.h"
#include "window/TextEditBox.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>

#include <cstdio>

namespace {

class SilentPrompter : public Prompter {
public:
    Answer ask(const Prompt& prompt) override { return defaultAnswerOf(prompt.id); }
    QString chooseFile(FileDialogKind) override { return QString(); }
};

const QString OldHost = QStringLiteral("www.old-host.example");
const QString NewHost = QStringLiteral("cdn.new-host.example");

// About `bytes` characters in `links` CR LF lines, each holding one link to OldHost in filler text that names the
// host too, outside any tag.
QString generate(int links, int bytes)
{
    const QString filler = QStringLiteral("本文のテキスト lorem ipsum dolor sit amet, consectetur (%1). ").arg(OldHost);
    QString text;
    text.reserve(bytes + 1024);
    for (int link = 0; link < links; ++link) {
        const qsizetype lineStart = text.size();
        text += QStringLiteral("<a href=\"http://%1/page/%2.html\">link</a> ").arg(OldHost).arg(link);
        while (text.size() - lineStart < bytes / links - 2)
            text += filler.left(bytes / links - 2 - (text.size() - lineStart));
        text += QStringLiteral("\r\n");
    }
    return text;
}

// The links as a check of the text leaves them, all decided.
LinkTable checkedLinks(const QString& text)
{
    LinkTable table{text, {}};
    std::vector<int> firstOfValue;
    LinkFinder(text).findMore(table, firstOfValue, QDeadlineTimer(QDeadlineTimer::Forever));
    for (LinkEntry& link : table.entries) {
        link.result = LinkResult::NgWeb;
        link.decided = true;
    }
    return table;
}

double seconds(QElapsedTimer& timer)
{
    return timer.restart() / 1e3;
}

// Every span's first characters in the text as it stands are those of a link tag.
bool spansAtTheirTags(const RichTextBox& editor, const LinkSpans& spans)
{
    for (int span = 0; span < spans.count(); ++span) {
        if (editor.textRange(spans.offsetOf(span), 9) != u"<a href=\"")
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const QString text = generate(50'000, 10'000'000);
    QPlainTextEdit edit;
    edit.setLineWrapMode(QPlainTextEdit::NoWrap);
    edit.resize(1000, 700);
    edit.show();
    TextEditBox editor(&edit);
    LinkSpans spans(editor);
    LinkPainter painter(spans, editor.document());
    editor.setText(text);
    spans.reset(checkedLinks(text));

    QAction previous, next, one, all;
    FindBar bar({&previous, &next, &one, &all});
    const CheckSettings settings;
    SilentPrompter prompter;
    EditorSearch search(editor, bar, prompter, settings);
    bar.open(true, OldHost);
    bar.findChild<QLineEdit*>(QStringLiteral("replacementEdit"))->setText(NewHost);

    for (const bool linkValuesOnly : {false, true}) {
        bar.findChild<QCheckBox*>(QStringLiteral("linkValuesCheckBox"))->setChecked(linkValuesOnly);
        QElapsedTimer timer;
        timer.start();
        search.replaceAll();
        edit.viewport()->repaint();
        const double replaced = seconds(timer);
        const qsizetype matches = editor.text().count(NewHost);
        editor.document()->undo();
        edit.viewport()->repaint();
        const double undone = seconds(timer);
        const bool oneStep = editor.text() == text && !editor.document()->isUndoAvailable();
        const bool spansBack = spansAtTheirTags(editor, spans);
        editor.document()->redo();
        edit.viewport()->repaint();
        const double redone = seconds(timer);
        const bool spansAgain = spansAtTheirTags(editor, spans);
        editor.document()->undo();
        std::printf("%.1f MB, %d links, %-16s %6lld replaced: replace all %.3f s, undo %.3f s (%s), redo %.3f s; "
                    "links at their tags after undo and redo: %s\n",
                    text.size() / 1048576.0, spans.count(),
                    linkValuesOnly ? "in link values:" : "anywhere:", qlonglong(matches), replaced, undone,
                    oneStep ? "one step" : "NOT ONE STEP", redone, spansBack && spansAgain ? "yes" : "NO");
    }
    return 0;
}
