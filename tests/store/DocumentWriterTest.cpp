#include "store/DocumentWriter.h"
#include "ScriptedPrompter.h"
#include "StoreTestSupport.h"
#include "common/CodePage.h"
#include "common/Document.h"
#include "common/RichTextBox.h"
#include "common/RunState.h"
#include "store/ChangeDetection.h"
#include "store/History.h"

#include <QTextDocument>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

namespace {

using Outcome = DocumentWriter::Outcome;
using Answer = Prompter::Answer;

const QList<PromptId> Written = {PromptId::Written};

class WriterTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }

    // A local document as a load leaves it, then edited.
    void openLocal(const QString& name, const QByteArray& bytes, const QString& edited)
    {
        writeBytes(file(name), bytes);
        document = Document{codePage.decode(bytes), file(name), dir.path(), true, true};
        editor.setText(edited);
    }
    // The question asked, and that it asked with Yes / No / Cancel and Yes as default.
    PromptId question(qsizetype i) const
    {
        EXPECT_EQ(prompter.asked.at(i).buttons, Prompter::Buttons::YesNoCancel);
        EXPECT_EQ(prompter.asked.at(i).defaultAnswer, Answer::Yes);
        return prompter.asked.at(i).prompt.id;
    }

    QTemporaryDir dir;
    Document document;
    RunState run;
    QTextDocument textDocument;
    RichTextBox editor{&textDocument};
    const CodePage codePage;
    ScriptedPrompter prompter;
    History history{dir.filePath(QStringLiteral("history/t.INI"))};
    DocumentWriter writer{document, run,      editor,
                          codePage, prompter, [this](const QString& path) { history.setHistoryData(path); }};
};

TEST_F(WriterTest, RefusesWithoutADocumentOrAChange)
{
    editor.setText(QStringLiteral("<html>edited</html>"));
    EXPECT_EQ(writer.writeHtmlData(true), Outcome::NothingWritten);
    openLocal(QStringLiteral("index.html"), "<html>same</html>", QStringLiteral("<html>same</html>"));
    EXPECT_EQ(writer.writeHtmlData(true), Outcome::NothingWritten);
    EXPECT_EQ(prompter.ids(), (QList<PromptId>{PromptId::NotLoaded, PromptId::Unchanged}));
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("index.html")});
}

struct BackupCase {
    const char* name;
    QString document;
    QStringList existing; // generations already there, each holding its own name
    QString backup;       // the generation the previous file becomes
    friend void PrintTo(const BackupCase& c, std::ostream* out) { *out << c.name; }
};

class Backups : public WriterTest, public ::testing::WithParamInterface<BackupCase> {};

TEST_P(Backups, ThePreviousFileBecomesTheFirstFreeGeneration)
{
    const BackupCase& c = GetParam();
    for (const QString& name : c.existing)
        writeBytes(file(name), name.toUtf8());
    openLocal(c.document, "<html>old</html>", QStringLiteral("<html>新</html>"));

    EXPECT_EQ(writer.writeHtmlData(true), Outcome::Written);
    EXPECT_EQ(readBytes(file(c.backup)), QByteArray("<html>old</html>"));
    EXPECT_EQ(readBytes(file(c.document)), QByteArray("<html>\x90\x56</html>")); // CP932
    for (const QString& name : c.existing)
        EXPECT_EQ(readBytes(file(name)), name.toUtf8());
    EXPECT_EQ(prompter.ids(), Written);
    EXPECT_FALSE(isTextChanged(editor, document));
    EXPECT_EQ(history.historyCount(), 0); // the document's own file: no new history entry
}

QStringList generations(int last)
{
    QStringList names;
    for (int n = 1; n <= last; ++n)
        names.append(QStringLiteral("index.%1").arg(n, 3, 10, QLatin1Char('0')));
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    Names, Backups,
    ::testing::Values(BackupCase{"First", "index.html", {}, "index.001"},
                      BackupCase{"FillsAGap", "index.html", {"index.001", "index.003"}, "index.002"},
                      BackupCase{"PastNinetyNine", "index.htm", generations(99), "index.100"},
                      BackupCase{"PastNineHundredNinetyNine", "index.html", generations(999), "index.1000"},
                      BackupCase{"NoExtension", "README", {}, "README.001"},
                      BackupCase{"SeveralDots", "page.v2.html", {"page.v2.001"}, "page.v2.002"},
                      BackupCase{"SpacesAndJapanese", "日本 語.html", {}, "日本 語.001"},
                      BackupCase{"DotInTheFolderOnly", "my.site/README", {}, "my.site/README.001"}),
    [](const ::testing::TestParamInfo<BackupCase>& info) { return std::string(info.param.name); });

TEST_F(WriterTest, WithoutBackupTheFileHoldsExactlyTheNewBytesAndKeepsItsPermissions)
{
    openLocal(QStringLiteral("a.html"), QByteArray(5000, 'x'), QStringLiteral("<html>\r\nshort\n</html>"));
    const auto permissions = QFile::permissions(file(QStringLiteral("a.html"))) & ~QFileDevice::ReadOther;
    QFile::setPermissions(file(QStringLiteral("a.html")), permissions);
    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Written);
    EXPECT_EQ(readBytes(file(QStringLiteral("a.html"))), QByteArray("<html>\r\nshort\n</html>"));
    EXPECT_EQ(QFile::permissions(file(QStringLiteral("a.html"))), permissions);
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("a.html")});
}

struct NumberedCase {
    const char* name;
    Answer answer;
    Outcome outcome;
    QStringList files;  // the folder afterwards
    QByteArray page002; // page.002 afterwards
    QByteArray other;   // other.html afterwards: an existing file chosen in the dialog is overwritten
    QString docPath;
    friend void PrintTo(const NumberedCase& c, std::ostream* out) { *out << c.name; }
};

class NumberedExtension : public WriterTest, public ::testing::WithParamInterface<NumberedCase> {};

TEST_P(NumberedExtension, AsksBeforeOverwritingWhatMayBeABackup)
{
    const NumberedCase& c = GetParam();
    openLocal(QStringLiteral("page.002"), "<html>old</html>", QStringLiteral("<html>new</html>"));
    writeBytes(file(QStringLiteral("other.html")), "<html>other</html>");
    prompter.answers = {c.answer};
    prompter.fileNames = {QStringLiteral("  ") + file(QStringLiteral("other.html")) + u' '};
    bool busyDuringHistoryUpdate = false;
    QObject::connect(&history, &History::titlesChanged, [&] { busyDuringHistoryUpdate = run.isBusy; });

    EXPECT_EQ(writer.writeHtmlData(true), c.outcome);
    EXPECT_EQ(question(0), PromptId::NumberedExtension);
    EXPECT_EQ(folderNames(dir), c.files);
    EXPECT_EQ(readBytes(file(QStringLiteral("page.002"))), c.page002);
    EXPECT_EQ(readBytes(file(QStringLiteral("other.html"))), c.other);
    EXPECT_EQ(document.docPath, file(c.docPath));
    EXPECT_EQ(document.docBase, dir.path());
    const bool renamed = c.answer == Answer::No;
    EXPECT_EQ(prompter.dialogs, renamed ? QList{FileDialogKind::WriteDocument} : QList<FileDialogKind>());
    EXPECT_EQ(history.historyPaths(), renamed ? QStringList{file(QStringLiteral("other.html"))} : QStringList());
    EXPECT_EQ(busyDuringHistoryUpdate, renamed);
    EXPECT_FALSE(run.isBusy);
}

INSTANTIATE_TEST_SUITE_P(Answers, NumberedExtension,
                         ::testing::Values(NumberedCase{"Yes",
                                                        Answer::Yes,
                                                        Outcome::Written,
                                                        {"other.html", "page.001", "page.002"},
                                                        "<html>new</html>",
                                                        "<html>other</html>",
                                                        "page.002"},
                                           NumberedCase{"No",
                                                        Answer::No,
                                                        Outcome::Written,
                                                        {"history", "other.html", "page.002"},
                                                        "<html>old</html>",
                                                        "<html>new</html>",
                                                        "other.html"},
                                           NumberedCase{"Cancel",
                                                        Answer::Cancel,
                                                        Outcome::NothingWritten,
                                                        {"other.html", "page.002"},
                                                        "<html>old</html>",
                                                        "<html>other</html>",
                                                        "page.002"}),
                         [](const ::testing::TestParamInfo<NumberedCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(WriterTest, AReadOnlyFileIsRefusedUnlessItBecomesTheBackup)
{
    openLocal(QStringLiteral("ro.html"), "<html>old</html>", QStringLiteral("<html>new</html>"));
    QFile::setPermissions(file(QStringLiteral("ro.html")), QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Failed);
    ASSERT_EQ(prompter.ids(), QList{PromptId::WriteFailed});
    EXPECT_EQ(prompter.asked[0].prompt.args.value(0), file(QStringLiteral("ro.html")));
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("ro.html")});
    EXPECT_EQ(readBytes(file(QStringLiteral("ro.html"))), QByteArray("<html>old</html>"));
    EXPECT_TRUE(isTextChanged(editor, document));

    EXPECT_EQ(writer.writeHtmlData(true), Outcome::Written);
    EXPECT_EQ(readBytes(file(QStringLiteral("ro.001"))), QByteArray("<html>old</html>"));
    EXPECT_EQ(readBytes(file(QStringLiteral("ro.html"))), QByteArray("<html>new</html>"));
}

// A write that fails halfway (here: the file size limit, as a full disk would) leaves the document
// where it was: the backup generation goes back to its name, no temporary file remains.
TEST_F(WriterTest, AWriteThatFailsHalfwayLeavesTheDocumentAsItWas)
{
    openLocal(QStringLiteral("index.html"), "<html>old</html>",
              QStringLiteral("<html>%1</html>").arg(QString(100, u'x')));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 20;
    setrlimit(RLIMIT_FSIZE, &small);
    const Outcome outcome = writer.writeHtmlData(true);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(outcome, Outcome::Failed);
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("index.html")});
    EXPECT_EQ(readBytes(file(QStringLiteral("index.html"))), QByteArray("<html>old</html>"));
    ASSERT_EQ(prompter.ids(), QList{PromptId::WriteFailed});
    EXPECT_EQ(prompter.asked[0].prompt.args.value(0), file(QStringLiteral("index.html")));
    EXPECT_TRUE(isTextChanged(editor, document));
}

TEST_F(WriterTest, ACharacterTheCodePageLacksStopsTheWriteBeforeAnyFileIsTouched)
{
    openLocal(QStringLiteral("a.html"), "<html>old</html>", QStringLiteral("<html>\r\nline two\rthree 😀</html>"));
    EXPECT_EQ(writer.writeHtmlData(true), Outcome::Failed);
    ASSERT_EQ(prompter.ids(), QList{PromptId::Unencodable});
    EXPECT_EQ(prompter.asked[0].prompt.args, (QStringList{QStringLiteral("3"), QStringLiteral("😀"),
                                                          QStringLiteral("1F600"), QStringLiteral("CP932")}));
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("a.html")});
    EXPECT_EQ(readBytes(file(QStringLiteral("a.html"))), QByteArray("<html>old</html>"));
    EXPECT_TRUE(isTextChanged(editor, document));
}

TEST_F(WriterTest, AWebDocumentIsWrittenWhereTheDialogSaysAndBecomesAFile)
{
    const QString url = QStringLiteral("http://example.invalid/dir/page.html");
    document =
        Document{QStringLiteral("<html>web</html>"), url, QStringLiteral("http://example.invalid/dir"), false, true};
    editor.setText(document.htmlData); // unchanged, and written all the same
    prompter.fileNames = {QString(), file(QStringLiteral("no folder/x.html")), file(QStringLiteral("saved page.html"))};
    EXPECT_EQ(writer.writeHtmlData(true), Outcome::NothingWritten); // the dialog cancelled
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_EQ(writer.writeHtmlData(true), Outcome::Failed);
    EXPECT_EQ(document.docPath, url);
    EXPECT_FALSE(document.docIsFile);
    EXPECT_EQ(history.historyCount(), 0);

    EXPECT_EQ(writer.writeHtmlData(true), Outcome::WrittenAsFile);
    EXPECT_EQ(prompter.dialogs, QList<FileDialogKind>(3, FileDialogKind::WriteDocument));
    EXPECT_EQ(readBytes(file(QStringLiteral("saved page.html"))), QByteArray("<html>web</html>"));
    EXPECT_EQ(document.docPath, file(QStringLiteral("saved page.html")));
    EXPECT_EQ(document.docBase, dir.path());
    EXPECT_TRUE(document.docIsFile);
    EXPECT_EQ(prompter.ids().last(), PromptId::Written);
    EXPECT_EQ(readBytes(history.iniPath()),
              "[History]\nFile0=" + file(QStringLiteral("saved page.html")).toUtf8() + "\nCount=1\n");
}

TEST_F(WriterTest, ClosingStaysOpenWhenTheYesDialogIsCancelled)
{
    document = Document{QStringLiteral("<html>web</html>"), QStringLiteral("http://example.invalid/p.html"),
                        QStringLiteral("http://example.invalid"), false, true};
    editor.setText(QStringLiteral("<html>edited</html>"));
    prompter.answers = {Answer::Yes};
    EXPECT_FALSE(writer.maybeSaveBeforeClose(true));
    EXPECT_EQ(prompter.dialogs.size(), 1);
}

struct CloseCase {
    const char* name;
    QString edited;
    QList<Answer> answers;
    bool readOnly;
    bool mayClose;
    QList<PromptId> reports; // after the question
    QByteArray fileAfter;
    friend void PrintTo(const CloseCase& c, std::ostream* out) { *out << c.name; }
};

class Closing : public WriterTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, AsksAboutEditsAndStaysOpenWhenTheyWouldBeLost)
{
    const CloseCase& c = GetParam();
    openLocal(QStringLiteral("a.html"), "<html></html>", c.edited);
    if (c.readOnly)
        QFile::setPermissions(file(QStringLiteral("a.html")), QFileDevice::ReadOwner);
    prompter.answers = c.answers;
    EXPECT_EQ(writer.maybeSaveBeforeClose(false), c.mayClose);
    ASSERT_EQ(prompter.asked.size(), c.answers.size() + c.reports.size());
    if (!c.answers.isEmpty()) {
        EXPECT_EQ(question(0), PromptId::SaveBeforeClose);
    }
    for (qsizetype i = 0; i < c.reports.size(); ++i)
        EXPECT_EQ(prompter.asked[i + 1].prompt.id, c.reports[i]);
    EXPECT_EQ(readBytes(file(QStringLiteral("a.html"))), c.fileAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Closing,
    ::testing::Values(CloseCase{"Unchanged", "<html></html>", {}, false, true, {}, "<html></html>"},
                      CloseCase{"OnlySpaces", "   ", {}, false, true, {}, "<html></html>"},
                      CloseCase{"OnlyLineEndsThenCancel", "\r\n", {Answer::Cancel}, false, false, {}, "<html></html>"},
                      CloseCase{"No", "<html>x</html>", {Answer::No}, false, true, {}, "<html></html>"},
                      CloseCase{"Yes", "<html>x</html>", {Answer::Yes}, false, true, Written, "<html>x</html>"},
                      CloseCase{"YesButTheWriteFails",
                                "<html>x</html>",
                                {Answer::Yes},
                                true,
                                false,
                                {PromptId::WriteFailed},
                                "<html></html>"}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

} // namespace
