#include "LoopbackServers.h"
#include "WindowFixture.h"
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
        load(writeDocument(QStringLiteral("nav.html"), codePage.encode(text).bytes));
        ASSERT_TRUE(window.state().DocLoaded);
    }

    QString status() { return control<QLabel>("Label5")->text(); }
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
        button("Command2_1")->click();
        EXPECT_EQ(window.editor().selStart(), at(tag));
        EXPECT_EQ(window.editor().selLength(), 1);
        EXPECT_EQ(status(), QString::fromUtf8(sentence));
        expectUnlocked();
    }
    button("Command2_1")->click();
    EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("見つかりませんでした。")});
    EXPECT_EQ(window.editor().selStart(), at("<a href=missing"));
    EXPECT_FALSE(window.state().IsNavigating);
}

TEST_F(WindowNavigation, KindListFiltersAndUpButtonGoesBack)
{
    control<QComboBox>("Cmb2")->setCurrentIndex(2);  // OK file
    window.editor().setSelection(int(text.size()), 0);
    button("Command2_0")->click();
    EXPECT_EQ(window.editor().selStart(), at("<a href=there"));
    button("Command2_0")->click();
    EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("見つかりませんでした。")});
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
    button("Command3_0")->click();
    EXPECT_EQ(window.editor().selStart(), at("<a href=missing"));
    EXPECT_EQ(window.editor().selLength(), 1);
    EXPECT_EQ(window.editor().selColor(), CLR_OK_FILE);
    EXPECT_EQ(status(), QStringLiteral("Fileにリンクしています。"));
    EXPECT_FALSE(window.state().InetReady);
    expectUnlocked();
}

TEST_F(WindowNavigation, CheckAllAgainTakesTheEditedText)
{
    QTextCursor cursor = control<QPlainTextEdit>("RTextB")->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral("\r\n<a href=#gone>new</a>"));
    button("Command3_1")->click();
    EXPECT_EQ(window.linkTable().LinkCount, 4);
    EXPECT_EQ(window.linkTable().LinkResult.last(), LR_NG_PAGE);
    const int added = int(window.editor().text().lastIndexOf(QStringLiteral("<a href=#gone")));
    window.editor().setSelection(added, 1);
    EXPECT_EQ(window.editor().selColor(), CLR_NG_PAGE);
    EXPECT_TRUE(window.Fnc_IsTextChanged());  // checking is no write
    expectUnlocked();
}

TEST_F(WindowNavigation, StopEndsACheckOfAllLinks)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServers servers;
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    QTextCursor cursor = control<QPlainTextEdit>("RTextB")->textCursor();
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(QStringLiteral("<a href=\"%1\">").arg(servers.url(QStringLiteral("127.0.0.1"), QStringLiteral("/stall/s.html"))));
    window.show();
    bool progressShown = false;
    QTimer::singleShot(300, &window, [&] {
        progressShown = control<QProgressBar>("ProgressBar1")->isVisible();
        button("Cmd1_0")->click();
    });
    button("Command3_1")->click();
    EXPECT_TRUE(progressShown);
    EXPECT_TRUE(prompter.asked.isEmpty());
    // Stopped before painting: the links keep their colours from the load.
    window.editor().setSelection(window.editor().text().indexOf(QStringLiteral("<a href=there")), 1);
    EXPECT_EQ(window.editor().selColor(), CLR_OK_FILE);
    EXPECT_TRUE(control<QLabel>("Label5")->isVisible());
    expectUnlocked();
}

} // namespace
