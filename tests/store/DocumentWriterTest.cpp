#include "ScriptedPrompter.h"
#include "StoreTestSupport.h"
#include "common/CodePage.h"
#include "common/DocumentState.h"
#include "common/RichTextBox.h"
#include "store/ChangeDetection.h"
#include "store/DocumentWriter.h"
#include "store/History.h"

#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

using Outcome = DocumentWriter::Outcome;
using Answer = Prompter::Answer;

const QString Written = QStringLiteral("書き込みを行いました。");
const QString Failed = QStringLiteral("書き込みに失敗しました。");

class WriterTest : public ::testing::Test {
protected:
    QString file(const QString& name) const { return dir.filePath(name); }

    // A local document as a load leaves it, then edited in the editor.
    void openLocal(const QString& name, const QByteArray& bytes, const QString& edited)
    {
        writeBytes(file(name), bytes);
        state.DocPath = file(name);
        state.DocBase = dir.path();
        state.DocIsFile = true;
        state.DocLoaded = true;
        state.HtmlData = codePage.decode(bytes);
        editor.setText(edited);
    }
    void openWeb(const QString& edited)
    {
        state.DocPath = QStringLiteral("http://example.invalid/dir/page.html");
        state.DocBase = QStringLiteral("http://example.invalid/dir");
        state.DocIsFile = false;
        state.DocLoaded = true;
        state.HtmlData = QStringLiteral("<html>web</html>");
        editor.setText(edited);
    }

    QTemporaryDir dir;
    DocumentState state;
    QTextDocument document;
    RichTextBox editor{&document};
    const CodePage codePage;
    ScriptedPrompter prompter;
    History history{dir.filePath(QStringLiteral("history/t.INI"))};
    DocumentWriter writer{state, editor, codePage, prompter, history};
};

TEST_F(WriterTest, RefusesWithoutADocumentOrAChange)
{
    editor.setText(QStringLiteral("<html>edited</html>"));
    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::NothingWritten);
    openLocal(QStringLiteral("index.html"), "<html>same</html>", QStringLiteral("<html>same</html>"));
    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::NothingWritten);
    EXPECT_EQ(prompter.messages(), (QStringList{QStringLiteral("HTMLファイルを読み込んでください。"),
                                              QStringLiteral("変更されていません。")}));
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("index.html")});
}

struct BackupCase {
    const char* name;
    QString document;
    QStringList existing;  // generations already there, each holding its own name
    QString backup;        // the generation the previous file becomes
};

void PrintTo(const BackupCase& c, std::ostream* out)
{
    *out << c.name;
}

class Backups : public WriterTest, public ::testing::WithParamInterface<BackupCase> {};

TEST_P(Backups, ThePreviousFileBecomesTheFirstFreeGeneration)
{
    const BackupCase& c = GetParam();
    for (const QString& name : c.existing)
        writeBytes(file(name), name.toUtf8());
    openLocal(c.document, "<html>old, longer than the new text</html>", QStringLiteral("<html>新</html>"));

    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::Written);
    EXPECT_EQ(readBytes(file(c.backup)), QByteArray("<html>old, longer than the new text</html>"));
    EXPECT_EQ(readBytes(file(c.document)), QByteArray("<html>\x90\x56</html>"));  // CP932, exactly
    for (const QString& name : c.existing)
        EXPECT_EQ(readBytes(file(name)), name.toUtf8());
    EXPECT_EQ(prompter.messages(), QStringList{Written});
    EXPECT_FALSE(Fnc_IsTextChanged(editor, state));
    EXPECT_EQ(state.DocPath, file(c.document));
    EXPECT_EQ(history.HistoryCount(), 0);  // the document's own file: no new history entry
    EXPECT_FALSE(state.IsBusy);
}

QStringList generations(const QString& base, int from, int to)
{
    QStringList names;
    for (int n = from; n <= to; ++n)
        names.append(base + (n < 100 ? QStringLiteral(".%1").arg(n, 3, 10, QLatin1Char('0')) : QStringLiteral(".%1").arg(n)));
    return names;
}

INSTANTIATE_TEST_SUITE_P(
    Names, Backups,
    ::testing::Values(BackupCase{"First", "index.html", {}, "index.001"},
                      BackupCase{"FillsAGap", "index.html", {"index.001", "index.003"}, "index.002"},
                      BackupCase{"PastNinetyNine", "index.htm", generations("index", 1, 99), "index.100"},
                      BackupCase{"PastNineHundredNinetyNine", "index.html", generations("index", 1, 999), "index.1000"},
                      BackupCase{"NoExtension", "README", {}, "README.001"},
                      BackupCase{"SeveralDots", "page.v2.html", {"page.v2.001"}, "page.v2.002"},
                      BackupCase{"SpacesAndJapanese", "日本 語.html", {}, "日本 語.001"},
                      BackupCase{"DotInTheFolderOnly", "my.site/README", {}, "my.site/README.001"}),
    [](const ::testing::TestParamInfo<BackupCase>& info) { return std::string(info.param.name); });

TEST_F(WriterTest, WithoutBackupTheFileIsReplacedExactlyAndKeepsItsPermissions)
{
    openLocal(QStringLiteral("a.html"), QByteArray(5000, 'x'), QStringLiteral("<html>\r\nshort\n</html>"));
    const auto permissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
    QFile::setPermissions(file(QStringLiteral("a.html")), permissions);
    EXPECT_EQ(writer.Fnc_WriteHtmlData(false), Outcome::Written);
    EXPECT_EQ(readBytes(file(QStringLiteral("a.html"))), QByteArray("<html>\r\nshort\n</html>"));
    EXPECT_EQ(QFile::permissions(file(QStringLiteral("a.html"))), permissions | QFileDevice::ReadUser | QFileDevice::WriteUser);
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("a.html")});
}

struct NumberedCase {
    const char* name;
    Answer answer;
    Outcome outcome;
    QStringList files;       // the folder afterwards
    QByteArray page002;      // page.002 afterwards
    QByteArray other;        // other.html afterwards: an existing file chosen in the dialog is overwritten
    QString docPath;
};

void PrintTo(const NumberedCase& c, std::ostream* out)
{
    *out << c.name;
}

class NumberedExtension : public WriterTest, public ::testing::WithParamInterface<NumberedCase> {};

TEST_P(NumberedExtension, AsksBeforeOverwritingAPossibleBackup)
{
    const NumberedCase& c = GetParam();
    openLocal(QStringLiteral("page.002"), "<html>old</html>", QStringLiteral("<html>new</html>"));
    writeBytes(file(QStringLiteral("other.html")), "<html>other</html>");
    prompter.answers = {c.answer};
    prompter.fileNames = {QStringLiteral("  ") + file(QStringLiteral("other.html")) + u' '};

    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), c.outcome);
    ASSERT_FALSE(prompter.asked.isEmpty());
    EXPECT_EQ(prompter.asked.first().buttons, Prompter::Buttons::YesNoCancel);
    EXPECT_EQ(prompter.asked.first().defaultAnswer, Answer::Yes);
    EXPECT_EQ(prompter.messages().first(),
              QStringLiteral("拡張子が数字です。\r\n履歴ファイルの可能性があります。\r\n\r\n<はい(Y)>\t\t上書きを行う。\r\n"
                             "<いいえ(N)>\t名前を変えて書き込みを行う。\r\n<キャンセル>\t書き込みを中止する。"));
    EXPECT_EQ(folderNames(dir), c.files);
    EXPECT_EQ(readBytes(file(QStringLiteral("page.002"))), c.page002);
    EXPECT_EQ(readBytes(file(QStringLiteral("other.html"))), c.other);
    EXPECT_EQ(state.DocPath, file(c.docPath));
    EXPECT_EQ(state.DocBase, dir.path());
    EXPECT_EQ(prompter.dialogFilters, c.answer == Answer::No ? QStringList{QStringLiteral("すべてのファイル|*.*")} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, NumberedExtension,
    ::testing::Values(NumberedCase{"Yes", Answer::Yes, Outcome::Written,
                                   {"other.html", "page.001", "page.002"}, "<html>new</html>", "<html>other</html>",
                                   "page.002"},
                      NumberedCase{"No", Answer::No, Outcome::Written,
                                   {"history", "other.html", "page.002"}, "<html>old</html>", "<html>new</html>",
                                   "other.html"},
                      NumberedCase{"Cancel", Answer::Cancel, Outcome::NothingWritten,
                                   {"other.html", "page.002"}, "<html>old</html>", "<html>other</html>",
                                   "page.002"}),
    [](const ::testing::TestParamInfo<NumberedCase>& info) { return std::string(info.param.name); });

TEST_F(WriterTest, NoWritesUnderTheChosenNameAndRecordsIt)
{
    openLocal(QStringLiteral("page.002"), "<html>old</html>", QStringLiteral("<html>new</html>"));
    prompter.answers = {Answer::No};
    prompter.fileNames = {file(QStringLiteral("other.html"))};
    bool busyDuringHistoryUpdate = false;
    QObject::connect(&history, &History::titlesChanged, [&] { busyDuringHistoryUpdate = state.IsBusy; });
    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::Written);
    EXPECT_EQ(readBytes(file(QStringLiteral("other.html"))), QByteArray("<html>new</html>"));
    EXPECT_EQ(history.HistoryPaths(), QStringList{file(QStringLiteral("other.html"))});
    EXPECT_TRUE(busyDuringHistoryUpdate);
    EXPECT_FALSE(state.IsBusy);
    EXPECT_TRUE(state.DocIsFile);
    EXPECT_FALSE(Fnc_IsTextChanged(editor, state));
}

TEST_F(WriterTest, AReadOnlyFileIsRefusedUnlessItBecomesTheBackup)
{
    openLocal(QStringLiteral("ro.html"), "<html>old</html>", QStringLiteral("<html>new</html>"));
    QFile::setPermissions(file(QStringLiteral("ro.html")), QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    EXPECT_EQ(writer.Fnc_WriteHtmlData(false), Outcome::Failed);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith(Failed + QStringLiteral("\r\n") + file(QStringLiteral("ro.html"))));
    EXPECT_EQ(readBytes(file(QStringLiteral("ro.html"))), QByteArray("<html>old</html>"));
    EXPECT_TRUE(Fnc_IsTextChanged(editor, state));
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("ro.html")});

    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::Written);
    EXPECT_EQ(readBytes(file(QStringLiteral("ro.001"))), QByteArray("<html>old</html>"));
    EXPECT_EQ(readBytes(file(QStringLiteral("ro.html"))), QByteArray("<html>new</html>"));
}

TEST_F(WriterTest, ACharacterTheCodePageLacksStopsTheWriteBeforeAnyFileIsTouched)
{
    openLocal(QStringLiteral("a.html"), "<html>old</html>", QStringLiteral("<html>\r\nline two\rthree 😀</html>"));
    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::Failed);
    EXPECT_EQ(prompter.messages(),
              QStringList{Failed + QStringLiteral("\r\n3行目の文字「😀」(U+1F600)はCP932で表せません。")});
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("a.html")});
    EXPECT_EQ(readBytes(file(QStringLiteral("a.html"))), QByteArray("<html>old</html>"));
    EXPECT_TRUE(Fnc_IsTextChanged(editor, state));
}

TEST_F(WriterTest, AWebDocumentIsWrittenWhereTheDialogSaysAndBecomesAFile)
{
    openWeb(QStringLiteral("<html>web</html>"));  // unchanged, still written
    prompter.fileNames = {QString(), QStringLiteral(" ") + file(QStringLiteral("saved page.html"))};
    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::NothingWritten);  // dialog cancelled
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_FALSE(state.DocIsFile);

    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::WrittenAsFile);
    EXPECT_EQ(prompter.dialogFilters, QStringList(2, QStringLiteral("すべてのファイル|*.*")));
    EXPECT_EQ(readBytes(file(QStringLiteral("saved page.html"))), QByteArray("<html>web</html>"));
    EXPECT_EQ(state.DocPath, file(QStringLiteral("saved page.html")));
    EXPECT_EQ(state.DocBase, dir.path());
    EXPECT_TRUE(state.DocIsFile);
    EXPECT_EQ(prompter.messages(), QStringList{Written});
    EXPECT_EQ(readBytes(history.iniPath()),
              "[History]\nFile0=" + file(QStringLiteral("saved page.html")).toUtf8() + "\nCount=1\n");
}

TEST_F(WriterTest, AFailedWriteUnderANewNameChangesNothing)
{
    openWeb(QStringLiteral("<html>edited</html>"));
    const QString target = file(QStringLiteral("missing folder/x.html"));
    prompter.fileNames = {target};
    EXPECT_EQ(writer.Fnc_WriteHtmlData(true), Outcome::Failed);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_TRUE(prompter.messages()[0].startsWith(Failed + QStringLiteral("\r\n") + target + QStringLiteral("\r\n")));
    EXPECT_FALSE(state.DocIsFile);
    EXPECT_EQ(state.DocPath, QStringLiteral("http://example.invalid/dir/page.html"));
    EXPECT_EQ(history.HistoryCount(), 0);
    EXPECT_TRUE(Fnc_IsTextChanged(editor, state));
}

struct CloseCase {
    const char* name;
    QString edited;
    QList<Answer> answers;
    bool readOnly;
    bool mayClose;
    QStringList messages;
    QByteArray fileAfter;
};

void PrintTo(const CloseCase& c, std::ostream* out)
{
    *out << c.name;
}

const QString CloseQuestion = QStringLiteral("内容が変更されています。\r\n\r\n変更内容を書き込みますか?");

class Closing : public WriterTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(Closing, AsksAboutEditsAndKeepsTheWindowWhenTheyWouldBeLost)
{
    const CloseCase& c = GetParam();
    openLocal(QStringLiteral("a.html"), "<html></html>", c.edited);
    if (c.readOnly)
        QFile::setPermissions(file(QStringLiteral("a.html")), QFileDevice::ReadOwner);
    prompter.answers = c.answers;
    EXPECT_EQ(writer.maybeSaveBeforeClose(false), c.mayClose);
    ASSERT_EQ(prompter.messages().size(), c.messages.size());
    for (qsizetype i = 0; i < c.messages.size(); ++i)
        EXPECT_TRUE(prompter.messages()[i].startsWith(c.messages[i])) << prompter.messages()[i].toStdString();
    if (!c.answers.isEmpty()) {
        EXPECT_EQ(prompter.asked.first().buttons, Prompter::Buttons::YesNoCancel);
        EXPECT_EQ(prompter.asked.first().defaultAnswer, Answer::Yes);
    }
    EXPECT_EQ(readBytes(file(QStringLiteral("a.html"))), c.fileAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Closing,
    ::testing::Values(CloseCase{"Unchanged", "<html></html>", {}, false, true, {}, "<html></html>"},
                      CloseCase{"OnlySpaces", "   ", {}, false, true, {}, "<html></html>"},
                      CloseCase{"OnlyLineEndsCancel", "\r\n", {Answer::Cancel}, false, false, {CloseQuestion},
                                "<html></html>"},
                      CloseCase{"No", "<html>x</html>", {Answer::No}, false, true, {CloseQuestion}, "<html></html>"},
                      CloseCase{"Yes", "<html>x</html>", {Answer::Yes}, false, true, {CloseQuestion, Written},
                                "<html>x</html>"},
                      CloseCase{"YesButTheWriteFails", "<html>x</html>", {Answer::Yes}, true, false,
                                {CloseQuestion, Failed}, "<html></html>"}),
    [](const ::testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

} // namespace
