#include "WindowFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

namespace {

// The search menu and the find bar in the real window, driven through their actions and keys.
class FindAndReplace : public WindowFixture {
protected:
    void SetUp() override
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        load(writeDocument(QStringLiteral("find.html"), text.toUtf8()));
        ASSERT_TRUE(window.document().docLoaded);
    }

    void trigger(const char* action) { control<QAction>(action)->trigger(); }
    QLineEdit* edit(const char* name) { return control<QLineEdit>(name); }
    void check(const char* box, bool on) { control<QCheckBox>(box)->setChecked(on); }
    QString outcome() { return control<QLabel>("findOutcomeLabel")->text(); }
    int at(const char* piece, int from = 0) const { return int(text.indexOf(QString::fromUtf8(piece), from)); }
    std::pair<int, int> selection() { return {window.editor().selStart(), window.editor().selLength()}; }
    static QString said(const char* source) { return QCoreApplication::translate("EditorSearch", source); }

    const QString text = QStringLiteral("<html>\r\n<a href=\"old/a.html\">old</a> Old\n<a href=old/b.html>b</a>\r"
                                        "<img src=old/c.png>");
};

TEST_F(FindAndReplace, TheKeysOpenTheBarFindBothWaysAndLeaveF3ToTheLinks)
{
    QPlainTextEdit* editor = control<QPlainTextEdit>("documentEdit");
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_F, Qt::ControlModifier);
    QLineEdit* pattern = edit("findPatternEdit");
    ASSERT_TRUE(pattern->hasFocus());
    QTest::keyClicks(pattern, QStringLiteral("Old"));
    QTest::keyClick(pattern, Qt::Key_Return);
    QTest::keyClick(pattern, Qt::Key_Enter);
    EXPECT_EQ(selection(), std::pair(at(">old<") + 1, 3));
    QTest::keyClick(pattern, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClick(pattern, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(selection(), std::pair(at("old/c"), 3));
    EXPECT_EQ(outcome(), said("Continued from the end"));

    editor->setFocus();
    window.editor().setSelection(0, 0);
    QTest::keyClick(editor, Qt::Key_F3);
    EXPECT_EQ(selection(), std::pair(at("<a href"), 1));
    pattern->setFocus();
    QTest::keyClick(pattern, Qt::Key_Escape);
    EXPECT_FALSE(control<QWidget>("findBar")->isVisible());
    EXPECT_TRUE(editor->hasFocus());
    QTest::keyClick(editor, Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(edit("replacementEdit")->isVisible());
    QTest::keyClick(editor, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(prompter.lineQuestions.size(), 1);
}

struct QueryCase {
    const char* name;
    QString pattern;
    bool matchCase;
    bool regularExpression;
    bool linkValuesOnly;
    bool replaceRow;          // the bar opened with it; restricting to link values belongs to it
    QList<const char*> stops; // the text at each match, in order
    friend void PrintTo(const QueryCase& c, std::ostream* out) { *out << c.name; }
};

class Queries : public FindAndReplace, public ::testing::WithParamInterface<QueryCase> {};

// Find next stops at each match the bar's options give, then goes round; nothing found says so.
TEST_P(Queries, DecideWhereFindNextStops)
{
    const QueryCase& c = GetParam();
    trigger("replaceAction");
    check("linkValuesCheckBox", c.linkValuesOnly);
    trigger(c.replaceRow ? "replaceAction" : "findAction");
    edit("findPatternEdit")->setText(c.pattern);
    check("matchCaseCheckBox", c.matchCase);
    check("regularExpressionCheckBox", c.regularExpression);
    QList<int> expected;
    for (const char* stop : c.stops)
        expected.append(at(stop, expected.isEmpty() ? 0 : expected.last() + 1));
    QList<int> stopped;
    for (qsizetype press = 0; press <= expected.size(); ++press) {
        trigger("findNextAction");
        stopped.append(window.editor().selLength() > 0 ? window.editor().selStart() : -1);
    }
    expected.append(expected.isEmpty() ? -1 : expected.first());
    EXPECT_EQ(stopped, expected);
    EXPECT_EQ(outcome(), said(c.stops.isEmpty() ? "Not found" : "Continued from the beginning"));
}

INSTANTIATE_TEST_SUITE_P(
    FindAndReplace, Queries,
    ::testing::Values(
        QueryCase{"MatchCase", QStringLiteral("Old"), true, false, false, false, {"Old"}},
        QueryCase{
            "RegularExpression", QStringLiteral("o.d/\\w\\."), false, true, false, false, {"old/a", "old/b", "old/c"}},
        QueryCase{"LinkValuesOnly", QStringLiteral("old"), false, false, true, true, {"old/a", "old/b"}},
        QueryCase{"LinkValuesOnlyWithoutTheReplaceRow",
                  QStringLiteral("OLD"),
                  false,
                  false,
                  true,
                  false,
                  {"old/a", "old<", "Old", "old/b", "old/c"}},
        QueryCase{"NothingFound", QStringLiteral("new"), false, false, false, false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FindAndReplace, ReplaceShowsTheMatchFirstThenReplacesItAsOneStepAndMovesOn)
{
    trigger("replaceAction");
    edit("findPatternEdit")->setText(QStringLiteral("old"));
    edit("replacementEdit")->setText(QStringLiteral("new"));
    trigger("replaceOneAction");
    EXPECT_EQ(selection(), std::pair(at("old/a"), 3));
    EXPECT_FALSE(window.isTextChanged());
    trigger("replaceOneAction");
    EXPECT_EQ(window.editor().text(), QString(text).replace(at("old/a"), 3, QStringLiteral("new")));
    EXPECT_EQ(selection(), std::pair(at("old<"), 3));
    EXPECT_EQ(std::pair(window.linkSpans().isEdited(0), window.linkSpans().isEdited(1)), std::pair(true, false));
    window.editor().document()->undo();
    EXPECT_FALSE(window.isTextChanged());
}

TEST_F(FindAndReplace, ReplaceAllIsOneUndoStepAndLeavesTheChangedLinksEdited)
{
    trigger("replaceAction");
    check("linkValuesCheckBox", true);
    check("regularExpressionCheckBox", true);
    edit("findPatternEdit")->setText(QStringLiteral("^old/(\\w)"));
    edit("replacementEdit")->setText(QStringLiteral("http://h/\\1"));
    trigger("replaceAllAction");
    const QString replaced = QString(text)
                                 .replace(QStringLiteral("href=\"old/"), QStringLiteral("href=\"http://h/"))
                                 .replace(QStringLiteral("href=old/"), QStringLiteral("href=http://h/"));
    EXPECT_EQ(window.editor().text(), replaced);
    EXPECT_EQ(outcome(), said("%1 replaced").arg(2));
    EXPECT_EQ(std::pair(window.linkSpans().isEdited(0), window.linkSpans().isEdited(1)), std::pair(true, true));
    EXPECT_EQ(window.linkSpans().offsetOf(1), int(replaced.indexOf(QStringLiteral("<a href=http"))));
    window.editor().document()->undo();
    EXPECT_EQ(window.editor().text(), text);
    EXPECT_EQ(std::pair(window.linkSpans().isEdited(0), window.linkSpans().isEdited(1)), std::pair(false, false));
}

// Lines end with CR LF, LF or CR alike; the question offers the caret's line of all there are.
TEST_F(FindAndReplace, GoToLinePutsTheCaretAtTheStartOfTheLineAskedFor)
{
    const std::pair<std::optional<int>, int> answers[] = {
        {3, at("<a href=old")}, {9, at("<img")}, {std::nullopt, at("<img")}};
    for (const auto& [answer, caret] : answers) {
        window.editor().setSelection(at("<img"), 0);
        prompter.lineNumbers = {answer};
        prompter.lineQuestions.clear();
        trigger("goToLineAction");
        EXPECT_EQ(prompter.lineQuestions, (QList<std::pair<int, int>>{{4, 4}}));
        EXPECT_EQ(selection(), std::pair(caret, 0));
    }
}

} // namespace
