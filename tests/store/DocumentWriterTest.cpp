#include "store/DocumentWriter.h"
#include "ScriptedPrompter.h"
#include "StoreTestSupport.h"
#include "common/Document.h"
#include "common/RunState.h"
#include "store/History.h"

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
    void openLocal(const QString& name, const QByteArray& bytes, const QString& edited,
                   const TextEncoding& encoding = {QStringLiteral("CP932")})
    {
        writeBytes(file(name), bytes);
        document = Document{.htmlData = decodeDocument(bytes, encoding.name).text,
                            .docPath = file(name),
                            .docBase = dir.path(),
                            .docIsFile = true,
                            .docLoaded = true,
                            .encoding = encoding,
                            .diskStamp = fileStampOf(file(name))};
        editorText = edited;
    }
    // A web document as a load leaves it.
    static Document webDocument(const QString& text, const QString& url, const QString& base)
    {
        return Document{.htmlData = text, .docPath = url, .docBase = base, .docIsFile = false, .docLoaded = true};
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
    QString editorText;
    ScriptedPrompter prompter;
    History history{dir.filePath(QStringLiteral("history/t.INI"))};
    DocumentWriter writer{document, run, [this] { return editorText; }, prompter,
                          [this](const QString& path) { history.setHistoryData(path); }};
};

TEST_F(WriterTest, RefusesWithoutADocumentOrAChange)
{
    editorText = QStringLiteral("<html>edited</html>");
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
    EXPECT_FALSE((editorText != document.htmlData));
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
                                                        Outcome::WrittenAsFile,
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

TEST_F(WriterTest, AReadOnlyFileIsRefusedWithAndWithoutBackup)
{
    openLocal(QStringLiteral("ro.html"), "<html>old</html>", QStringLiteral("<html>new</html>"));
    QFile::setPermissions(file(QStringLiteral("ro.html")), QFileDevice::ReadOwner | QFileDevice::ReadGroup);

    for (const bool backup : {false, true}) {
        prompter.asked.clear();
        EXPECT_EQ(writer.writeHtmlData(backup), Outcome::Failed);
        ASSERT_EQ(prompter.ids(), QList{PromptId::WriteFailed});
        EXPECT_EQ(prompter.asked[0].prompt.args.value(0), file(QStringLiteral("ro.html")));
        EXPECT_EQ(prompter.asked[0].prompt.problem, WriteFailure::ReadOnly);
        EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("ro.html")});
        EXPECT_EQ(readBytes(file(QStringLiteral("ro.html"))), QByteArray("<html>old</html>"));
        EXPECT_TRUE((editorText != document.htmlData));
    }
}

struct FailureCase {
    const char* name;
    QString target; // relative to the folder
    WriteFailure problem;
    friend void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }
};

class WriteFailures : public WriterTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(WriteFailures, NameWhyTheFileWasNotWritten)
{
    const FailureCase& c = GetParam();
    QDir(dir.path()).mkdir(QStringLiteral("folder"));
    document = webDocument(QStringLiteral("<html>web</html>"), QStringLiteral("http://example.invalid/p.html"),
                           QStringLiteral("http://example.invalid"));
    editorText = document.htmlData;
    const QString target = c.target.startsWith(u'/') ? c.target : file(c.target);
    prompter.fileNames = {target};

    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Failed);
    ASSERT_EQ(prompter.ids(), QList{PromptId::WriteFailed});
    EXPECT_EQ(prompter.asked[0].prompt.problem, c.problem);
    EXPECT_EQ(prompter.asked[0].prompt.args.value(0), target);
    // Only a failed system call has a text of its own.
    EXPECT_EQ(prompter.asked[0].prompt.args.value(1).isEmpty(), c.problem != WriteFailure::System);
    EXPECT_FALSE(document.docIsFile);
}

INSTANTIATE_TEST_SUITE_P(
    Problems, WriteFailures,
    ::testing::Values(FailureCase{"Folder", QStringLiteral("folder"), WriteFailure::IsFolder},
                      FailureCase{"Device", QStringLiteral("/dev/null"), WriteFailure::NotRegularFile},
                      FailureCase{"BadName", QStringLiteral("a") + QChar(0xD800), WriteFailure::InvalidName},
                      FailureCase{"NoFolder", QStringLiteral("no folder/x.html"), WriteFailure::System}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

// A write that fails halfway (here: the file size limit, as a full disk would) leaves the document
// where it was: no backup generation and no temporary file remain.
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
    EXPECT_EQ(prompter.asked[0].prompt.problem, WriteFailure::System);
    EXPECT_FALSE(prompter.asked[0].prompt.args.value(1).isEmpty());
    EXPECT_TRUE((editorText != document.htmlData));
}

// Another program changed the file after it was read: it is overwritten only on a Yes; No asks for the file
// to be read again, and the default leaves everything as it is.
TEST_F(WriterTest, AnotherProgramsChangeIsOverwrittenOnlyOnYes)
{
    const std::tuple<Answer, Outcome, QByteArray> cases[] = {
        {Answer::Cancel, Outcome::NothingWritten, "<html>old</html>EXTERNAL"},
        {Answer::No, Outcome::ReloadWanted, "<html>old</html>EXTERNAL"},
        {Answer::Yes, Outcome::Written, "<html>new</html>"},
    };
    for (const auto& [answer, outcome, onDisk] : cases) {
        openLocal(QStringLiteral("page.html"), "<html>old</html>", QStringLiteral("<html>new</html>"));
        writeBytes(file(QStringLiteral("page.html")), "<html>old</html>EXTERNAL");
        prompter.asked.clear();
        prompter.answers = {answer};
        EXPECT_EQ(writer.writeHtmlData(false), outcome);
        ASSERT_FALSE(prompter.asked.isEmpty());
        EXPECT_EQ(prompter.asked[0].prompt.id, PromptId::ChangedOnDisk);
        EXPECT_EQ(prompter.asked[0].defaultAnswer, Answer::Cancel);
        EXPECT_EQ(readBytes(file(QStringLiteral("page.html"))), onDisk);
    }
    // Once written, the file as written is the reference: the next write asks nothing.
    editorText = QStringLiteral("<html>newer</html>");
    prompter.asked.clear();
    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Written);
    EXPECT_TRUE(prompter.asked.size() == 1 && prompter.asked[0].prompt.id == PromptId::Written);
}

TEST_F(WriterTest, ACharacterTheEncodingLacksStopsTheWriteBeforeAnyFileIsTouched)
{
    // The character written as its nearest comes first, but a character that cannot be written at all wins.
    openLocal(QStringLiteral("a.html"), "<html>old</html>", QStringLiteral("<html>¥\r\nline two\rthree 😀</html>"));
    EXPECT_EQ(writer.writeHtmlData(true), Outcome::Failed);
    ASSERT_EQ(prompter.ids(), QList{PromptId::Unencodable});
    EXPECT_EQ(prompter.asked[0].prompt.args, (QStringList{QStringLiteral("3"), QStringLiteral("😀"),
                                                          QStringLiteral("1F600"), QStringLiteral("Shift_JIS")}));
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("a.html")});
    EXPECT_EQ(readBytes(file(QStringLiteral("a.html"))), QByteArray("<html>old</html>"));
    EXPECT_TRUE((editorText != document.htmlData));
}

TEST_F(WriterTest, AWebDocumentIsWrittenWhereTheDialogSaysAndBecomesAFile)
{
    const QString url = QStringLiteral("http://example.invalid/dir/page.html");
    document = webDocument(QStringLiteral("<html>web</html>"), url, QStringLiteral("http://example.invalid/dir"));
    editorText = document.htmlData; // unchanged, and written all the same
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
    document = webDocument(QStringLiteral("<html>web</html>"), QStringLiteral("http://example.invalid/p.html"),
                           QStringLiteral("http://example.invalid"));
    editorText = QStringLiteral("<html>edited</html>");
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

struct EncodedCase {
    const char* name;
    TextEncoding encoding;
    QByteArray written; // the bytes of "<p>日</p>"
    friend void PrintTo(const EncodedCase& c, std::ostream* out) { *out << c.name; }
};

class WrittenEncodings : public WriterTest, public ::testing::WithParamInterface<EncodedCase> {};

TEST_P(WrittenEncodings, TheTextIsWrittenInTheDocumentsEncodingWithItsMark)
{
    const EncodedCase& c = GetParam();
    openLocal(QStringLiteral("e.html"), QByteArray(), QStringLiteral("<p>日</p>"), c.encoding);
    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Written);
    EXPECT_EQ(prompter.ids(), Written);
    EXPECT_EQ(readBytes(file(QStringLiteral("e.html"))), c.written);
    EXPECT_EQ(document.encoding, c.encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, WrittenEncodings,
    ::testing::Values(
        EncodedCase{"Utf8", {QStringLiteral("UTF-8")}, "<p>\xe6\x97\xa5</p>"},
        EncodedCase{"Utf8Mark", {QStringLiteral("UTF-8"), true}, "\xef\xbb\xbf<p>\xe6\x97\xa5</p>"},
        EncodedCase{"Utf16LittleEndianMark",
                    {QStringLiteral("UTF-16LE"), true},
                    QByteArray("\xff\xfe<\0p\0>\0\xe5\x65<\0/\0p\0>\0", 18)},
        EncodedCase{"Utf16BigEndian", {QStringLiteral("UTF-16BE")}, QByteArray("\0<\0p\0>\x65\xe5\0<\0/\0p\0>", 16)},
        EncodedCase{"ShiftJis", {QStringLiteral("CP932")}, "<p>\x93\xfa</p>"},
        EncodedCase{"EucJp", {QStringLiteral("EUC-JP")}, "<p>\xc6\xfc</p>"},
        // Back to the initial shift state before the markup goes on, and at the end.
        EncodedCase{"Iso2022Jp", {QStringLiteral("ISO-2022-JP")}, "<p>\x1b$BF|\x1b(B</p>"}),
    [](const ::testing::TestParamInfo<EncodedCase>& info) { return std::string(info.param.name); });

TEST_F(WriterTest, CharactersWrittenAsTheirNearestAreAskedAboutFirst)
{
    const QString edited = QStringLiteral("<html>\r\n価格 ¥100 〜 ¥200</html>");
    openLocal(QStringLiteral("n.html"), "<html></html>", edited);
    prompter.answers = {Answer::No};
    EXPECT_EQ(writer.writeHtmlData(true), Outcome::NothingWritten);
    ASSERT_EQ(prompter.ids(), QList{PromptId::NearestCharacters});
    EXPECT_EQ(prompter.asked[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(prompter.asked[0].defaultAnswer, Answer::No);
    EXPECT_EQ(prompter.asked[0].prompt.args,
              (QStringList{QStringLiteral("2"), QStringLiteral("¥"), QStringLiteral("00A5"), QStringLiteral("3"),
                           QStringLiteral("Shift_JIS"), QStringLiteral("\\")}));
    EXPECT_EQ(folderNames(dir), QStringList{QStringLiteral("n.html")});
    EXPECT_EQ(readBytes(file(QStringLiteral("n.html"))), QByteArray("<html></html>"));

    prompter.asked.clear();
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Written);
    EXPECT_EQ(prompter.ids(), (QList{PromptId::NearestCharacters, PromptId::Written}));
    EXPECT_EQ(readBytes(file(QStringLiteral("n.html"))),
              QByteArray("<html>\r\n\x89\xbf\x8a\x69 \\100 \x81\x60 \\200</html>"));
    // The user took the nearest characters for this text: it counts as written.
    EXPECT_EQ(document.htmlData, edited);
    EXPECT_FALSE((editorText != document.htmlData));
}

TEST_F(WriterTest, ClosingStaysOpenWhenTheNearestCharactersAreDeclined)
{
    openLocal(QStringLiteral("c.html"), "<html></html>", QStringLiteral("<html>−</html>"));
    prompter.answers = {Answer::Yes, Answer::No};
    EXPECT_FALSE(writer.maybeSaveBeforeClose(false));
    EXPECT_EQ(prompter.ids(), (QList{PromptId::SaveBeforeClose, PromptId::NearestCharacters}));
    EXPECT_EQ(prompter.asked[1].prompt.args.value(3), QStringLiteral("1"));
    EXPECT_EQ(prompter.asked[1].prompt.args.value(5), QStringLiteral("－"));
    EXPECT_EQ(readBytes(file(QStringLiteral("c.html"))), QByteArray("<html></html>"));
}

struct LossCase {
    const char* name;
    TextEncoding encoding;
    ReadLoss loss;     // as the load left it
    QString edited;    // the text to write
    QStringList asked; // the arguments of WriteUnreadBytes; empty when it is not asked
    friend void PrintTo(const LossCase& c, std::ostream* out) { *out << c.name; }
};

class UnreadBytes : public WriterTest, public ::testing::WithParamInterface<LossCase> {};

TEST_P(UnreadBytes, AreLostOnlyWhenTheUserSaysSo)
{
    const LossCase& c = GetParam();
    openLocal(QStringLiteral("u.html"), "<html>old</html>", c.edited, c.encoding);
    document.readLoss = c.loss;
    const QByteArray encoded = encodeDocument(c.edited, c.encoding).bytes;
    if (c.asked.isEmpty()) {
        EXPECT_EQ(writer.writeHtmlData(false), Outcome::Written);
        EXPECT_EQ(prompter.ids(), Written);
        EXPECT_EQ(readBytes(file(QStringLiteral("u.html"))), encoded);
        return;
    }
    prompter.answers = {Answer::No};
    EXPECT_EQ(writer.writeHtmlData(false), Outcome::NothingWritten);
    ASSERT_EQ(prompter.ids(), QList{PromptId::WriteUnreadBytes});
    EXPECT_EQ(prompter.asked[0].buttons, Prompter::Buttons::YesNo);
    EXPECT_EQ(prompter.asked[0].defaultAnswer, Answer::No);
    EXPECT_EQ(prompter.asked[0].prompt.args, c.asked);
    EXPECT_EQ(readBytes(file(QStringLiteral("u.html"))), QByteArray("<html>old</html>"));

    prompter.asked.clear();
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Written);
    EXPECT_EQ(readBytes(file(QStringLiteral("u.html"))), encoded);
    // The file now holds the text: the next write has nothing to ask.
    EXPECT_FALSE(document.readLoss.any());
    editorText = c.edited + u'x';
    prompter.asked.clear();
    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Written);
    EXPECT_EQ(prompter.ids(), Written);
}

const TextEncoding Utf8{QStringLiteral("UTF-8")};

INSTANTIATE_TEST_SUITE_P(
    Losses, UnreadBytes,
    ::testing::Values(LossCase{"ReplacementCharacterStillThere",
                               Utf8,
                               {2, 3, 0},
                               QStringLiteral("<p>a\uFFFD\uFFFD</p>"),
                               {"UTF-8", "2", "3", "0"}},
                      LossCase{"ReplacementCharacterEditedAway", Utf8, {2, 3, 0}, QStringLiteral("<p>ab</p>"), {}},
                      LossCase{"TextCutAtANul", Utf8, {0, 0, 7}, QStringLiteral("<p>a</p>"), {"UTF-8", "0", "0", "7"}},
                      LossCase{"BothButTheReplacementIsGone",
                               {QStringLiteral("UTF-16LE"), true},
                               {1, 1, 4},
                               QStringLiteral("<p>a</p>"),
                               {"UTF-16LE (BOM)", "0", "1", "4"}}),
    [](const ::testing::TestParamInfo<LossCase>& info) { return std::string(info.param.name); });

// Shift_JIS has no U+FFFD: the bytes it stands for cannot be written, and the write says where it stops.
TEST_F(WriterTest, AReplacementCharacterTheEncodingLacksIsRefusedBeforeAnyQuestion)
{
    openLocal(QStringLiteral("s.html"), "<html>\x81</html>", QStringLiteral("<html>\uFFFD!</html>"));
    document.readLoss = {1, 1, 0};
    EXPECT_EQ(writer.writeHtmlData(false), Outcome::Failed);
    ASSERT_EQ(prompter.ids(), QList{PromptId::Unencodable});
    EXPECT_EQ(prompter.asked[0].prompt.args.value(2), QStringLiteral("FFFD"));
    EXPECT_EQ(readBytes(file(QStringLiteral("s.html"))), QByteArray("<html>\x81</html>"));
}

} // namespace
