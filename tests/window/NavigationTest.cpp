#include "LoopbackServers.h"
#include "WindowFixture.h"
#include "common/CodePage.h"
#include "links/LinkKinds.h"

#include <QTimer>

namespace {

class WindowNavigation : public WindowFixture {
protected:
    void SetUp() override
    {
        writeDocument(QStringLiteral("there.html"), "");
        text = QStringLiteral("<html>日本語\r\n<a href=#a>1</a>\n<a name=a>A</a>\r<a href=there.html>2</a>\r\n"
                              "<a href=missing.html>3</a> plain");
        load(writeDocument(QStringLiteral("nav.html"), CodePage().encode(text).bytes));
        ASSERT_TRUE(window.document().docLoaded);
    }

    QString status() { return control<QLabel>("statusSentence")->text(); }
    int at(const char* tag) const { return int(text.indexOf(QString::fromUtf8(tag))); }

    QString text;
};

TEST_F(WindowNavigation, DownButtonWalksLinksAndDescribesEach)
{
    window.editor().setSelection(0, 0);
    const std::pair<const char*, const char*> steps[] = {{"<a href=#a", "ページ内でリンクしています。"},
                                                         {"<a href=there", "Fileにリンクしています。"},
                                                         {"<a href=missing", "Fileが見つかりません。"}};
    for (const auto& [tag, sentence] : steps) {
        button("nextLinkButton")->click();
        EXPECT_EQ(window.editor().selStart(), at(tag));
        EXPECT_EQ(window.editor().selLength(), 1);
        EXPECT_EQ(status(), QString::fromUtf8(sentence));
        expectUnlocked();
    }
    button("nextLinkButton")->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("見つかりませんでした。")});
    EXPECT_EQ(window.editor().selStart(), at("<a href=missing"));
}

TEST_F(WindowNavigation, KindListFiltersAndUpButtonGoesBack)
{
    control<QComboBox>("moveKindCombo")->setCurrentIndex(2); // OK file
    window.editor().setSelection(int(text.size()), 0);
    button("previousLinkButton")->click();
    EXPECT_EQ(window.editor().selStart(), at("<a href=there"));
    button("previousLinkButton")->click();
    EXPECT_EQ(messages(), QStringList{QStringLiteral("見つかりませんでした。")});
}

TEST_F(WindowNavigation, CaretStatusFollowsTheSelection)
{
    window.editor().setSelection(at("<a href=missing") + 4, 0);
    EXPECT_EQ(status(), QStringLiteral("Fileが見つかりません。"));
    window.editor().setSelection(int(text.size()) - 2, 0);
    EXPECT_EQ(status(), QString());
    // Several colours: the sentence stays.
    window.editor().setSelection(at("<a href=missing") + 4, 0);
    window.editor().setSelection(at("<a href=there"), 40);
    EXPECT_EQ(status(), QStringLiteral("Fileが見つかりません。"));
}

TEST_F(WindowNavigation, SingleCheckRepaintsTheLinkAtTheCaret)
{
    writeDocument(QStringLiteral("missing.html"), "");
    window.editor().setSelection(at("<a href=missing") + 3, 0);
    const int undoSteps = window.editor().document()->availableUndoSteps();
    clickAndWait("checkOneLinkButton");
    EXPECT_EQ(window.editor().selStart(), at("<a href=missing"));
    EXPECT_EQ(window.editor().selLength(), 1);
    EXPECT_EQ(settledPaintAt(at("<a href=missing")), std::pair(LinkColor::OkFile, true));
    EXPECT_EQ(window.editor().document()->availableUndoSteps(), undoSteps);
    EXPECT_EQ(status(), QStringLiteral("Fileにリンクしています。"));
    expectUnlocked();
}

TEST_F(WindowNavigation, CheckAllAgainTakesTheEditedText)
{
    QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\r\n<a href=#gone>new</a>"));
    const QTextCursor caret = control<QPlainTextEdit>("documentEdit")->textCursor();
    clickAndWait("checkAllLinksButton");
    EXPECT_EQ(shownResults().size(), 4);
    EXPECT_EQ(shownResults().last(), LinkResult::NgPage);
    const int added = int(window.editor().text().lastIndexOf(QStringLiteral("<a href=#gone")));
    EXPECT_EQ(settledPaintAt(added), std::pair(LinkColor::NgPage, true));
    EXPECT_TRUE(window.isTextChanged()); // checking is no write
    // Nor is it an edit: the caret stays, and undo takes back the typing.
    EXPECT_EQ(control<QPlainTextEdit>("documentEdit")->textCursor().position(), caret.position());
    control<QPlainTextEdit>("documentEdit")->undo();
    EXPECT_FALSE(window.isTextChanged());
    expectUnlocked();
}

TEST_F(WindowNavigation, StopEndsACheckOfAllLinks)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServers servers;
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(QStringLiteral("<a href=\"%1\">")
                          .arg(servers.url(QStringLiteral("127.0.0.1"), QStringLiteral("/stall/s.html"))));
    window.show();
    bool progressShown = false;
    QString progressText;
    QTimer::singleShot(300, &window, [&] {
        progressShown = control<QProgressBar>("progressBar")->isVisible();
        progressText = control<QProgressBar>("progressBar")->text();
        button("exitButton")->click();
    });
    clickAndWait("checkAllLinksButton");
    EXPECT_TRUE(progressShown);
    // The links decided without the network are counted; the stalled web link is not.
    EXPECT_EQ(progressText, QStringLiteral("3 / 4"));
    EXPECT_TRUE(prompter.asked.isEmpty());
    // Stopped: the links decided keep their colours, the stalled one is not decided.
    EXPECT_EQ(settledPaintAt(int(window.editor().text().indexOf(QStringLiteral("<a href=there")))),
              std::pair(LinkColor::OkFile, true));
    EXPECT_EQ(shownResults().first(), LinkResult::Unchecked);
    EXPECT_FALSE(window.linkSpans().at(0).link.decided);
    EXPECT_TRUE(control<QLabel>("statusSentence")->isVisible());
    expectUnlocked();
}

} // namespace
