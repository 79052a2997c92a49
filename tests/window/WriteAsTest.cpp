#include "LoopbackServers.h"
#include "WindowFixture.h"
#include "common/CodePage.h"
#include "store/History.h"

#include <QAction>
#include <QCheckBox>

namespace {

// Writing the document under another name: write as, and the name typed into the path box.
class WriteAs : public WindowFixture {
protected:
    void SetUp() override
    {
        loaded = writeDocument(QStringLiteral("page.html"), encoded(original));
        load(loaded);
        ASSERT_TRUE(window.document().docLoaded);
    }

    static QByteArray encoded(const QString& text) { return CodePage().encode(text).bytes; }

    void append(const QString& typed)
    {
        QTextCursor cursor(window.editor().document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(typed);
    }

    QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
    }

    // The window takes the file as its document: path box, history, title, nothing left to write.
    void expectCurrent(const QString& path)
    {
        EXPECT_EQ(window.document().docPath, path);
        EXPECT_TRUE(window.document().docIsFile);
        EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), path);
        EXPECT_EQ(window.history().historyPaths().value(0), path);
        EXPECT_EQ(window.windowTitle(), QFileInfo(path).fileName() + QStringLiteral("[*] - Tarnwick"));
        EXPECT_FALSE(window.isWindowModified());
    }

    const QString original = QStringLiteral("<html>日本語");
    QString loaded;
};

struct ChosenCase {
    const char* name;
    QString typed;   // at the end of the text before the write
    bool existing;   // the chosen name is a file already
    bool backup;     // the backup check box
    bool backupMade; // the chosen file's old content kept as copy.001
    friend void PrintTo(const ChosenCase& c, std::ostream* out) { *out << c.name; }
};

class ChosenNames : public WriteAs, public ::testing::WithParamInterface<ChosenCase> {};

// The text goes to the name chosen in the write dialog, in the document's encoding, and that file becomes the
// document; the file loaded stays as it was.
TEST_P(ChosenNames, BecomeTheDocument)
{
    const ChosenCase& c = GetParam();
    const QString chosen = folder.filePath(QStringLiteral("copy.html"));
    if (c.existing)
        writeDocument(QStringLiteral("copy.html"), "<html>there before");
    control<QCheckBox>("backupCheckBox")->setChecked(c.backup);
    append(c.typed);
    prompter.fileNames = {chosen};
    control<QAction>("writeAsAction")->trigger();
    EXPECT_EQ(prompter.dialogs, QList{FileDialogKind::WriteDocument});
    EXPECT_EQ(messages(), QStringList{promptText({PromptId::Written, {chosen}})});
    EXPECT_EQ(fileBytes(chosen), encoded(original + c.typed));
    EXPECT_EQ(fileBytes(loaded), encoded(original));
    EXPECT_EQ(fileBytes(folder.filePath(QStringLiteral("copy.001"))),
              c.backupMade ? QByteArray("<html>there before") : QByteArray("(none)"));
    expectCurrent(chosen);
}

INSTANTIATE_TEST_SUITE_P(WriteAs, ChosenNames,
                         ::testing::Values(ChosenCase{"ANewName", QStringLiteral(" 追記"), false, true, false},
                                           ChosenCase{"AnExistingFileKeptAsBackup", QStringLiteral(" 追記"), true, true,
                                                      true},
                                           ChosenCase{"AnExistingFileWithoutBackup", QString(), true, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteAs, AFetchedPageBecomesAFile)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServers servers;
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    load(servers.url(QStringLiteral("127.0.0.1"), QStringLiteral("/document/doc.html")));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("doc.html[*] - Tarnwick"));
    const QString chosen = folder.filePath(QStringLiteral("fetched.html"));
    prompter.fileNames = {chosen};
    control<QAction>("writeAsAction")->trigger();
    EXPECT_EQ(fileBytes(chosen), encodeDocument(window.editor().text(), window.document().encoding).bytes);
    expectCurrent(chosen);
}

struct PathBoxCase {
    const char* name;
    QString typed; // into the path box: a name in the test's folder, or a URL
    Prompter::Answer answer;
    bool asked;        // whether the write asks about the name
    bool typedHolds;   // the file of the typed name holds the text
    bool loadedHolds;  // the document loaded holds the text
    bool typedBecomes; // the typed name is the document now
    friend void PrintTo(const PathBoxCase& c, std::ostream* out) { *out << c.name; }
};

class PathBoxNames : public WriteAs, public ::testing::WithParamInterface<PathBoxCase> {};

// A name typed over the document's asks where the write button writes: to the name typed (Yes), to the
// document loaded (No), or nowhere (Cancel).
TEST_P(PathBoxNames, AskWhereToWrite)
{
    const PathBoxCase& c = GetParam();
    const QString typed = c.typed.startsWith(u"http") ? c.typed : folder.filePath(c.typed);
    append(QStringLiteral(" edited"));
    control<QPlainTextEdit>("pathEdit")->setPlainText(QStringLiteral(" ") + typed);
    prompter.answers = {c.answer};
    button("writeButton")->click();
    QList<PromptId> expected;
    if (c.asked) {
        expected.append(PromptId::WriteToPathBoxName);
        EXPECT_EQ(prompter.asked.value(0).prompt.args, (QStringList{typed, loaded}));
    }
    if (c.typedHolds || c.loadedHolds)
        expected.append(PromptId::Written);
    EXPECT_EQ(prompter.ids(), expected);
    const QByteArray edited = encoded(original + QStringLiteral(" edited"));
    EXPECT_EQ(fileBytes(typed), c.typedHolds ? edited : QByteArray("(none)"));
    EXPECT_EQ(fileBytes(loaded), c.loadedHolds ? edited : encoded(original));
    if (c.typedBecomes)
        expectCurrent(typed);
    else
        EXPECT_EQ(window.document().docPath, loaded);
}

INSTANTIATE_TEST_SUITE_P(
    WriteAs, PathBoxNames,
    ::testing::Values(PathBoxCase{"Yes", QStringLiteral("typed.html"), Prompter::Answer::Yes, true, true, false, true},
                      PathBoxCase{"No", QStringLiteral("typed.html"), Prompter::Answer::No, true, false, true, false},
                      PathBoxCase{"Cancel", QStringLiteral("typed.html"), Prompter::Answer::Cancel, true, false, false,
                                  false},
                      PathBoxCase{"TheDocumentsOwnNameInOtherWords", QStringLiteral("./page.html"),
                                  Prompter::Answer::Yes, false, true, true, false},
                      PathBoxCase{"AUrlIsNoNameToWriteTo", QStringLiteral("http://127.0.0.1/typed.html"),
                                  Prompter::Answer::Yes, false, false, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// "name[*] - Tarnwick": the mark shows while the text differs from the file, edited, undone or written.
TEST_F(WriteAs, TheTitleNamesTheDocumentAndMarksItsEdits)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("page.html[*] - Tarnwick"));
    const std::pair<std::function<void()>, bool> steps[] = {{[this] { append(QStringLiteral("x")); }, true},
                                                            {[this] { window.editor().document()->undo(); }, false},
                                                            {[this] { append(QStringLiteral("y")); }, true},
                                                            {[this] { button("writeButton")->click(); }, false}};
    for (const auto& [step, marked] : steps) {
        step();
        EXPECT_EQ(window.isWindowModified(), marked);
    }
}

} // namespace
