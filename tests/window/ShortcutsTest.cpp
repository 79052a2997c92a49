#include "LoopbackServers.h"
#include "WindowFixture.h"
#include "links/LinkKinds.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QTimer>

namespace {

// The keys on top of the access keys, pressed in the editor of an active window as a user presses them.
class Shortcuts : public WindowFixture {
protected:
    void SetUp() override
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        editor()->setFocus();
    }

    QPlainTextEdit* editor() { return control<QPlainTextEdit>("documentEdit"); }
    void press(QKeyCombination keys) { QTest::keyClick(editor(), keys.key(), keys.keyboardModifiers()); }

    // A loaded document with an edit typed at its end.
    QString loadAndEdit(const QByteArray& bytes, const QString& typed)
    {
        const QString path = writeDocument(QStringLiteral("keys.html"), bytes);
        load(path);
        EXPECT_TRUE(window.document().docLoaded);
        QTextCursor cursor = editor()->textCursor();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(typed);
        return path;
    }

    QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static inline const QKeyCombination CtrlO{Qt::CTRL | Qt::Key_O};
    static inline const QKeyCombination CtrlS{Qt::CTRL | Qt::Key_S};
    static inline const QKeyCombination CtrlShiftS{Qt::CTRL | Qt::SHIFT | Qt::Key_S};
    static inline const QKeyCombination CtrlQ{Qt::CTRL | Qt::Key_Q};
    static inline const QKeyCombination F3{Qt::Key_F3};
    static inline const QKeyCombination ShiftF3{Qt::SHIFT | Qt::Key_F3};
    static inline const QKeyCombination F5{Qt::Key_F5};
};

TEST_F(Shortcuts, TheFileMenuShowsItsKeys)
{
    auto* fileMenu = control<QMenu>("fileMenu");
    for (const auto& [name, keys] :
         {std::pair{"openAction", CtrlO}, std::pair{"writeAsAction", CtrlShiftS}, std::pair{"exitAction", CtrlQ}}) {
        auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_TRUE(fileMenu->actions().contains(action)) << name;
        EXPECT_EQ(action->shortcut(), QKeySequence(keys)) << name;
    }
}

TEST_F(Shortcuts, CtrlOBrowsesWithTheGuardOfTheOpenItem)
{
    const QString first = loadAndEdit("<html>first", QStringLiteral(" typed"));
    const QString second = writeDocument(QStringLiteral("second.html"), "<html>second");
    prompter.fileNames = {second, second};
    prompter.answers = {Prompter::Answer::No};
    press(CtrlO);
    EXPECT_EQ(prompter.dialogs, QList{FileDialogKind::OpenDocument});
    EXPECT_EQ(prompter.ids(), QList{PromptId::DiscardEdits});
    EXPECT_EQ(window.document().docPath, first);

    prompter.answers = {Prompter::Answer::Yes};
    press(CtrlO);
    waitUntilIdle();
    EXPECT_EQ(window.document().docPath, second);
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>second"));
    expectUnlocked();
}

TEST_F(Shortcuts, CtrlSWritesAsTheWriteButtonDoes)
{
    press(CtrlS);
    EXPECT_EQ(prompter.ids(), QList{PromptId::NotLoaded});

    prompter.asked.clear();
    const QString path = loadAndEdit("<html>old", QStringLiteral(" new"));
    press(CtrlS);
    EXPECT_EQ(prompter.ids(), QList{PromptId::Written});
    EXPECT_EQ(fileBytes(path), QByteArray("<html>old new"));
    EXPECT_EQ(fileBytes(folder.filePath(QStringLiteral("keys.001"))), QByteArray("<html>old"));

    prompter.asked.clear();
    press(CtrlS);
    EXPECT_EQ(prompter.ids(), QList{PromptId::Unchanged});
}

TEST_F(Shortcuts, F5ChecksTheEditedTextAgain)
{
    loadAndEdit("<html><a href=#top>up</a>", QStringLiteral("<a href=gone.html>x</a>"));
    EXPECT_EQ(shownResults().size(), 1);
    press(F5);
    waitUntilIdle();
    EXPECT_EQ(shownResults(), (QList<LinkResult>{LinkResult::OkPage, LinkResult::NgFile})); // #top: the page's top
    expectUnlocked();
}

TEST_F(Shortcuts, F3AndShiftF3StepThroughTheLinksOfTheChosenKind)
{
    writeDocument(QStringLiteral("here.html"), "");
    const QString text = QStringLiteral("<html><a href=here.html>1</a> <a href=#nowhere>2</a> <a href=here.html>3</a>");
    load(writeDocument(QStringLiteral("walk.html"), text.toUtf8()));
    const int firstFile = int(text.indexOf(QStringLiteral("<a href=here")));
    const int lastFile = int(text.lastIndexOf(QStringLiteral("<a href=here")));
    control<QComboBox>("moveKindCombo")->setCurrentText(linkClassLabel(LinkClass::OkFile));
    window.editor().setSelection(0, 0);
    editor()->setFocus();

    press(F3);
    EXPECT_EQ(window.editor().selStart(), firstFile);
    press(F3);
    EXPECT_EQ(window.editor().selStart(), lastFile);
    press(F3);
    EXPECT_EQ(prompter.ids(), QList{PromptId::WrapToStart}); // answered No
    EXPECT_EQ(window.editor().selStart(), lastFile);
    press(ShiftF3);
    EXPECT_EQ(window.editor().selStart(), firstFile);
    EXPECT_EQ(control<QLabel>("statusSentence")->text(), linkClassSentence(LinkClass::OkFile));
    expectUnlocked();
}

TEST_F(Shortcuts, CtrlQClosesAsTheExitItemDoesAskingAboutEdits)
{
    loadAndEdit("<html>text", QStringLiteral(" more"));
    prompter.answers = {Prompter::Answer::Cancel};
    press(CtrlQ);
    EXPECT_EQ(prompter.ids(), QList{PromptId::SaveBeforeClose});
    EXPECT_TRUE(window.isVisible());
    prompter.answers = {Prompter::Answer::No};
    press(CtrlQ);
    EXPECT_FALSE(window.isVisible());
}

// While a load runs its commands are disabled, buttons and keys alike; Ctrl+Q stops the load as the exit
// button, then captioned 中止, does.
TEST_F(Shortcuts, KeysOfDisabledButtonsDoNothingDuringALoad)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServers servers;
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    const QString stalling = QStringLiteral("<html><a href=\"%1\">x</a><a href=#x>")
                                 .arg(servers.url(QStringLiteral("127.0.0.1"), QStringLiteral("/stall/k.html")));
    const QString path = writeDocument(QStringLiteral("stall.html"), stalling.toUtf8());
    prompter.fileNames = {path};
    const char* const actions[] = {"openAction",     "writeAction",        "writeAsAction",    "checkAllLinksAction",
                                   "nextLinkAction", "previousLinkAction", "replaceOneAction", "replaceAllAction"};
    QStringList enabledDuringLoad;
    bool stillLoading = false;
    QTimer::singleShot(300, &window, [&] {
        for (const char* name : actions) {
            if (control<QAction>(name)->isEnabled())
                enabledDuringLoad.append(QString::fromLatin1(name));
        }
        for (const QKeyCombination keys : {CtrlO, CtrlS, CtrlShiftS, F5, F3, ShiftF3})
            QTest::keyClick(&window, keys.key(), keys.keyboardModifiers());
        stillLoading = window.runState().isBusy;
        QTest::keyClick(&window, CtrlQ.key(), CtrlQ.keyboardModifiers());
    });
    load(path);
    EXPECT_TRUE(stillLoading);
    EXPECT_TRUE(enabledDuringLoad.isEmpty()) << enabledDuringLoad.join(u' ').toStdString();
    EXPECT_TRUE(prompter.dialogs.isEmpty());
    EXPECT_EQ(messages(), QStringList{QStringLiteral("読み込みを中止しました。")});
    EXPECT_TRUE(window.isVisible());
    expectUnlocked();
    for (const char* name : actions)
        EXPECT_TRUE(control<QAction>(name)->isEnabled()) << name;
}

} // namespace
