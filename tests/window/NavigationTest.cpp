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
                              "<a href=missing.html>3</a> <a href=#nowhere>4</a> plain");
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
                                                         {"<a href=missing", "Fileが見つかりません。"},
                                                         {"<a href=#nowhere", "ページ内でリンク先が見つかりません。"}};
    for (const auto& [tag, sentence] : steps) {
        button("nextLinkButton")->click();
        EXPECT_EQ(window.editor().selStart(), at(tag));
        EXPECT_EQ(window.editor().selLength(), 1);
        EXPECT_EQ(status(), QString::fromUtf8(sentence));
        expectUnlocked();
    }
}

// The kinds of the move list, in its order: any link, every NG class, then each class.
enum MoveKind { AnyLink, AllNg, OkWeb, OkFile };

struct AroundCase {
    const char* name;
    MoveKind kind;
    const char* from; // the tag whose "<" is selected; nullptr: a caret at the text's start
    bool down;
    Prompter::Answer answer;
    std::optional<PromptId> asked;
    const char* landsOn; // the tag whose "<" the move selects
    friend void PrintTo(const AroundCase& c, std::ostream* out) { *out << c.name; }
};

class MovesAroundTheEnds : public WindowNavigation, public ::testing::WithParamInterface<AroundCase> {};

// With no further link of the kind that way, the user is asked each time before the move goes on from the other
// end; with none of the kind at all, told so.
TEST_P(MovesAroundTheEnds, AskBeforeGoingOnFromTheOtherEnd)
{
    const AroundCase& c = GetParam();
    control<QComboBox>("moveKindCombo")->setCurrentIndex(c.kind);
    window.editor().setSelection(c.from ? at(c.from) : 0, c.from ? 1 : 0);
    prompter.answers = {c.answer};
    button(c.down ? "nextLinkButton" : "previousLinkButton")->click();
    EXPECT_EQ(prompter.ids(), c.asked ? QList{*c.asked} : QList<PromptId>());
    EXPECT_EQ(window.editor().selStart(), c.landsOn ? at(c.landsOn) : 0);
    EXPECT_EQ(window.editor().selLength(), c.landsOn ? 1 : 0);
    expectUnlocked();
}

INSTANTIATE_TEST_SUITE_P(
    WindowNavigation, MovesAroundTheEnds,
    ::testing::Values(AroundCase{"DownPastTheLastGoesOnFromTheStartOnYes", AnyLink, "<a href=#nowhere", true,
                                 Prompter::Answer::Yes, PromptId::WrapToStart, "<a href=#a"},
                      AroundCase{"DownPastTheLastStaysOnNo", AnyLink, "<a href=#nowhere", true, Prompter::Answer::No,
                                 PromptId::WrapToStart, "<a href=#nowhere"},
                      AroundCase{"UpBeforeTheFirstGoesOnFromTheEndOnYes", AnyLink, "<a href=#a", false,
                                 Prompter::Answer::Yes, PromptId::WrapToEnd, "<a href=#nowhere"},
                      AroundCase{"AllNgGoesRoundPastTheLinksThatAreFine", AllNg, "<a href=#nowhere", true,
                                 Prompter::Answer::Yes, PromptId::WrapToStart, "<a href=missing"},
                      AroundCase{"TheOnlyLinkOfItsClassIsReachedAgain", OkFile, "<a href=there", false,
                                 Prompter::Answer::Yes, PromptId::WrapToEnd, "<a href=there"},
                      AroundCase{"NoLinkOfTheKindAtAll", OkWeb, nullptr, true, Prompter::Answer::Yes,
                                 PromptId::LinkNotFound, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowNavigation, AfterACheckOfAllLinksTheStripCountsThemUntilTheCaretMoves)
{
    const QString counts = linkCountsText(2, 4);
    EXPECT_EQ(status(), counts); // the check of the load
    window.editor().setSelection(at("<a href=there") + 3, 0);
    EXPECT_EQ(status(), QStringLiteral("Fileにリンクしています。"));
    clickAndWait("checkAllLinksButton");
    EXPECT_EQ(status(), counts);
    window.editor().setSelection(int(text.size()), 0);
    EXPECT_EQ(status(), QString());
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
    EXPECT_EQ(shownResults().size(), 5);
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
    EXPECT_EQ(progressText, QStringLiteral("4 / 5"));
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
