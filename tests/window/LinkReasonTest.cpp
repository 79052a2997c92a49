// The window says why a painted link has its colour: on the status strip for the link at the caret, and
// in a tooltip for the link under the pointer. The reason travels with the painted text.

#include "WindowFixture.h"

#include <QHelpEvent>
#include <QTest>
#include <QToolTip>

namespace {

class LinkReason : public WindowFixture {
protected:
    void SetUp() override
    {
        const QString text = QStringLiteral("<html>\r\n<a name=top></a><a href=#top>t</a> <a href=gone.html>g</a>\r\n");
        load(writeDocument(QStringLiteral("r.html"), text.toUtf8()));
        ASSERT_TRUE(window.document().docLoaded);
        missing = int(text.indexOf(QStringLiteral("<a href=gone")));
        anchor = int(text.indexOf(QStringLiteral("<a href=#top")));
    }

    QString statusReason() { return control<QLabel>("linkReason")->text(); }

    // The tooltip the editor shows with the pointer over the character at a text offset.
    QString tipAt(int offset)
    {
        auto* edit = control<QPlainTextEdit>("documentEdit");
        QTextCursor cursor(edit->document());
        cursor.setPosition(window.editor().toDocumentPosition(offset));
        const QPoint point = edit->cursorRect(cursor).center() + QPoint(2, 0);
        QHelpEvent event(QEvent::ToolTip, point, edit->viewport()->mapToGlobal(point));
        QCoreApplication::sendEvent(edit->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }

    int missing = 0;
    int anchor = 0;
};

TEST_F(LinkReason, TheStripSaysWhyBesideTheUnchangedSentence)
{
    window.editor().setSelection(missing + 3, 0);
    EXPECT_EQ(control<QLabel>("statusSentence")->text(), QStringLiteral("Fileが見つかりません。"));
    EXPECT_EQ(statusReason(), QStringLiteral("ファイルがありません: ") + folder.filePath(QStringLiteral("gone.html")));
    window.editor().setSelection(anchor, 1);
    EXPECT_EQ(statusReason(), QStringLiteral("アンカー「top」があります"));
    window.editor().setSelection(2, 0); // plain text
    EXPECT_TRUE(statusReason().isEmpty());
}

TEST_F(LinkReason, TheTooltipSaysWhyAndTheReasonMovesWithTheText)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_TRUE(tipAt(missing + 4).startsWith(QStringLiteral("ファイルがありません")));
    // An edit before the tag moves it; its reason goes with it.
    QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
    cursor.setPosition(0);
    cursor.insertText(QStringLiteral("前置き\r\n"));
    EXPECT_TRUE(tipAt(missing + 4 + 5).startsWith(QStringLiteral("ファイルがありません")));

    // A single check of the link replaces its reason.
    writeDocument(QStringLiteral("gone.html"), "");
    window.editor().setSelection(missing + 5 + 3, 0);
    clickAndWait("checkOneLinkButton");
    EXPECT_EQ(statusReason(), QStringLiteral("ファイルがあります: ") + folder.filePath(QStringLiteral("gone.html")));
    EXPECT_TRUE(tipAt(missing + 5 + 4).startsWith(QStringLiteral("ファイルがあります")));
}

} // namespace
