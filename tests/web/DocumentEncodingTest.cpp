// Documents in every common encoding through the engine: detection on loading (local files and pages
// fetched by URL), the text and encoding the document keeps, and the bytes a write puts on disk.

#include "LoopbackTest.h"
#include "ScriptedPrompter.h"
#include "common/Document.h"
#include "common/RunState.h"
#include "store/DocumentWriter.h"
#include "web/AnswerDecoding.h"
#include "web/DocumentCheckJob.h"
#include "web/WebLink.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Answer = Prompter::Answer;
using Outcome = DocumentCheckJob::Outcome;

QByteArray encoded(const QString& text, const char* encoding, bool mark = false)
{
    return encodeDocument(text, {QString::fromLatin1(encoding), mark}).bytes;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Documents read and checked as tarnwick-check does, with scripted answers, a folder for files, and the
// writer of the window working on a text that stands for the editor's.
struct Workbench {
    explicit Workbench(const QString& encoding = QStringLiteral("auto")) : encoding(encoding) {}

    QString writeFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // encoding: for this load only, instead of the setting.
    Outcome load(const QString& path, const QString& encodingOnce = QString())
    {
        CheckSettings settings;
        settings.encoding = encodingOnce.isEmpty() ? encoding : encodingOnce;
        job = std::make_unique<DocumentCheckJob>(web, prompter, path, settings, nullptr);
        QSignalSpy finished(job.get(), &DocumentCheckJob::finished);
        job->start();
        EXPECT_TRUE(finished.wait(60000));
        if (job->outcome() == Outcome::Checked) {
            document = job->document();
            text = document.htmlData;
        }
        return job->outcome();
    }

    // Writes the text to a new file chosen in the dialog (a web document) and returns its bytes.
    QByteArray writeAs(const QString& name)
    {
        prompter.fileNames = {folder.filePath(name)};
        EXPECT_EQ(writer.writeHtmlData(false), DocumentWriter::Outcome::WrittenAsFile);
        return fileBytes(folder.filePath(name));
    }

    QString encoding;
    QTemporaryDir folder;
    Document document;
    RunState run;
    QString text; // the editor's
    ScriptedPrompter prompter;
    WebCheck web;
    DocumentWriter writer{document, run, [this] { return text; }, prompter, {}};
    std::unique_ptr<DocumentCheckJob> job;
};

struct AnswerCase {
    const char* name;
    QByteArray body;
    const char* documentEncoding;
    QString text;
    friend void PrintTo(const AnswerCase& c, std::ostream* out) { *out << c.name; }
};

class WebAnswerText : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(WebAnswerText, FollowsTheAnswersOwnBytesThenTheDocument)
{
    const AnswerCase& c = GetParam();
    EXPECT_EQ(decodeWebAnswer(c.body, {QString::fromLatin1(c.documentEncoding)}), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, WebAnswerText,
    ::testing::Values(AnswerCase{"DocumentsEncoding", "<p>\x93\xfa</p>", "CP932", QStringLiteral("<p>日</p>")},
                      AnswerCase{"MetaDeclaration", "<meta charset=euc-jp><p>\xc6\xfc", "CP932",
                                 QStringLiteral("<meta charset=euc-jp><p>日")},
                      AnswerCase{"ByteOrderMark", "\xef\xbb\xbf<p>\xe6\x97\xa5", "CP932", QStringLiteral("<p>日")},
                      AnswerCase{"UnknownMetaDeclaration", "<meta charset=x-none><p>\xc6\xfc", "EUC-JP",
                                 QStringLiteral("<meta charset=x-none><p>日")},
                      AnswerCase{"Utf16DocumentReadsUnmarkedPagesAsUtf8", "<p>\xe6\x97\xa5", "UTF-16LE",
                                 QStringLiteral("<p>日")}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

struct LocalCase {
    const char* name;
    const char* configured;
    QByteArray bytes;
    TextEncoding encoding;
    QString text;
    friend void PrintTo(const LocalCase& c, std::ostream* out) { *out << c.name; }
};

class LocalDetection : public ::testing::TestWithParam<LocalCase> {};

TEST_P(LocalDetection, EachRuleDecidesTheEncodingOfAFile)
{
    const LocalCase& c = GetParam();
    Workbench bench(QString::fromLatin1(c.configured));
    EXPECT_EQ(bench.load(bench.writeFile(QStringLiteral("d.html"), c.bytes)), Outcome::Checked);
    EXPECT_TRUE(bench.prompter.asked.isEmpty());
    EXPECT_EQ(bench.document.encoding, c.encoding);
    EXPECT_EQ(bench.document.htmlData, c.text);
}

const QString JapaneseParagraph = QStringLiteral(
    "<html><body><p>吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめした所で"
    "ニャーニャー泣いていた事だけは記憶している。</p></body></html>");

INSTANTIATE_TEST_SUITE_P(
    Rules, LocalDetection,
    ::testing::Values(
        LocalCase{"Forced",
                  "windows-1252",
                  "<html>\xe6\x97\xa5",
                  {QStringLiteral("WINDOWS-1252")},
                  QStringLiteral("<html>æ—¥")},
        LocalCase{"ByteOrderMark",
                  "auto",
                  QByteArray("\xfe\xff\0<\0h\0t\0m\0l\0>\x65\xe5", 16),
                  {QStringLiteral("UTF-16BE"), true},
                  QStringLiteral("<html>日")},
        LocalCase{"MetaDeclaration",
                  "auto",
                  "<html><meta charset=euc-jp><p>\xa4\xa2",
                  {QStringLiteral("EUC-JP")},
                  QStringLiteral("<html><meta charset=euc-jp><p>あ")},
        LocalCase{"Utf8",
                  "auto",
                  "<html><p>\xe6\x97\xa5\xe6\x9c\xac",
                  {QStringLiteral("UTF-8")},
                  QStringLiteral("<html><p>日本")},
        LocalCase{"Guess", "auto", encoded(JapaneseParagraph, "EUC-JP"), {QStringLiteral("EUC-JP")}, JapaneseParagraph},
        LocalCase{"Fallback", "auto", "<html><p>ascii", {QStringLiteral("CP932")}, QStringLiteral("<html><p>ascii")}),
    [](const ::testing::TestParamInfo<LocalCase>& info) { return std::string(info.param.name); });

// A reopen in a chosen encoding reads in that one, once; the next load follows the setting again.
TEST(ReopenInEncoding, OverridesTheSettingForOneLoad)
{
    Workbench bench;
    const QString path = bench.writeFile(QStringLiteral("r.html"), "<html>\xe6\x97\xa5");
    EXPECT_EQ(bench.load(path, QStringLiteral("WINDOWS-1252")), Outcome::Checked);
    EXPECT_EQ(bench.document.encoding, TextEncoding{QStringLiteral("WINDOWS-1252")});
    EXPECT_EQ(bench.document.htmlData, QStringLiteral("<html>æ—¥"));
    // Written in the encoding chosen: after an edit the same bytes but the edit.
    bench.text = QStringLiteral("<HTML>æ—¥");
    EXPECT_EQ(bench.writer.writeHtmlData(false), DocumentWriter::Outcome::Written);
    EXPECT_EQ(fileBytes(path), QByteArray("<HTML>\xe6\x97\xa5"));
    EXPECT_EQ(bench.load(path), Outcome::Checked);
    EXPECT_EQ(bench.document.encoding, TextEncoding{QStringLiteral("UTF-8")});
    EXPECT_EQ(bench.document.htmlData, QStringLiteral("<HTML>日"));
}

struct RoundTripCase {
    const char* name;
    const char* encoding;
    bool mark;
    QString text;
    friend void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.name; }
};

// A page in every common encoding, found by its declaration (or its mark) on loading.
const RoundTripCase RoundTrips[] = {
    {"Utf8", "UTF-8", false, QStringLiteral("<html><title>x</title><p>日本語 ©\r\n</html>")},
    {"Utf8Mark", "UTF-8", true, QStringLiteral("<html><title>x</title><p>日本語\n</html>")},
    {"Utf16LittleEndianMark", "UTF-16LE", true, QStringLiteral("<html><title>x</title><p>日本語 😀\r\n</html>")},
    {"Utf16BigEndianMark", "UTF-16BE", true, QStringLiteral("<html><title>x</title><p>日本語\r</html>")},
    {"ShiftJis", "CP932", false,
     QStringLiteral("<html><meta charset=shift_jis><title>x</title><p>日本語～＼①ｱ\r\n</html>")},
    {"EucJp", "EUC-JP", false, QStringLiteral("<html><meta charset=euc-jp><title>x</title><p>日本語\r\n</html>")},
    {"Iso2022Jp", "ISO-2022-JP", false,
     QStringLiteral("<html><meta charset=iso-2022-jp><title>x</title><p>日本語</p>\r\n</html>")},
    {"Windows1252", "WINDOWS-1252", false,
     QStringLiteral("<html><meta charset=windows-1252><title>x</title><p>café “€”\r\n</html>")},
    {"Gb18030", "GB18030", false, QStringLiteral("<html><meta charset=gb18030><title>x</title><p>中文网页\r\n</html>")},
    {"Big5", "BIG5-HKSCS", false, QStringLiteral("<html><meta charset=big5><title>x</title><p>繁體中文\r\n</html>")},
    {"EucKr", "CP949", false, QStringLiteral("<html><meta charset=euc-kr><title>x</title><p>한국어\r\n</html>")},
    {"Windows1251", "WINDOWS-1251", false,
     QStringLiteral("<html><meta charset=windows-1251><title>x</title><p>Русский\r\n</html>")},
    {"Koi8R", "KOI8-R", false, QStringLiteral("<html><meta charset=koi8-r><title>x</title><p>Русский\r\n</html>")},
    {"Iso8859_2", "ISO-8859-2", false,
     QStringLiteral("<html><meta charset=iso-8859-2><title>x</title><p>Żółć\r\n</html>")},
};

std::string roundTripName(const ::testing::TestParamInfo<RoundTripCase>& info)
{
    return std::string(info.param.name);
}

class LocalRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(LocalRoundTrip, AWriteChangesNoByteButTheEdit)
{
    const RoundTripCase& c = GetParam();
    const QByteArray bytes = encoded(c.text, c.encoding, c.mark);
    Workbench bench;
    const QString path = bench.writeFile(QStringLiteral("page.html"), bytes);
    ASSERT_EQ(bench.load(path), Outcome::Checked);
    EXPECT_TRUE(bench.prompter.asked.isEmpty());
    EXPECT_EQ(bench.document.encoding, (TextEncoding{QString::fromLatin1(c.encoding), c.mark}));
    EXPECT_EQ(bench.text, c.text);

    bench.text = QString(c.text).replace(QStringLiteral("<title>x"), QStringLiteral("<title>y"));
    EXPECT_EQ(bench.writer.writeHtmlData(true), DocumentWriter::Outcome::Written);
    EXPECT_EQ(bench.prompter.ids(), QList{PromptId::Written});
    const QByteArray title = encoded(QStringLiteral("<title>x"), c.encoding);
    const QByteArray edited = encoded(QStringLiteral("<title>y"), c.encoding);
    ASSERT_EQ(bytes.count(title), 1);
    EXPECT_EQ(fileBytes(path), QByteArray(bytes).replace(title, edited));
    EXPECT_EQ(fileBytes(bench.folder.filePath(QStringLiteral("page.001"))), bytes);
}

INSTANTIATE_TEST_SUITE_P(Encodings, LocalRoundTrip, ::testing::ValuesIn(RoundTrips), roundTripName);

struct BadCase {
    const char* name;
    QByteArray bytes;
    TextEncoding encoding;
    QList<PromptId> onLoading; // besides the HTML tag question, answered Yes
    QList<PromptId> onWriting; // before the write, each answered Yes
};

// Appends a line to what was read and writes it: the file must hold its bytes as they were, then the line,
// unless the write asked first.
void expectNoSilentLoss(const BadCase& c)
{
    SCOPED_TRACE(c.name);
    Workbench bench;
    const QString path = bench.writeFile(QStringLiteral("bad.html"), c.bytes);
    bench.prompter.answers = QList<Answer>(8, Answer::Yes);
    ASSERT_EQ(bench.load(path), Outcome::Checked);
    QList<PromptId> loading = bench.prompter.ids();
    loading.removeAll(PromptId::NoHtmlTag);
    EXPECT_EQ(loading, c.onLoading);
    EXPECT_EQ(bench.document.encoding, c.encoding);

    bench.prompter.asked.clear();
    bench.text = bench.text + QStringLiteral("\r\n");
    EXPECT_EQ(bench.writer.writeHtmlData(false), DocumentWriter::Outcome::Written);
    EXPECT_EQ(bench.prompter.ids(), c.onWriting + QList{PromptId::Written});
    if (c.onWriting.isEmpty()) {
        EXPECT_TRUE(fileBytes(path) == c.bytes + encoded(QStringLiteral("\r\n"), qPrintable(c.encoding.name)));
    }
}

TEST(BadInput, NothingIsLostWithoutAQuestion)
{
    const QByteArray utf8Japanese = encoded(JapaneseParagraph, "UTF-8");
    const BadCase cases[] = {
        {"OnlyAMark", "\xef\xbb\xbf", {QStringLiteral("UTF-8"), true}, {}, {}},
        {"OnlyAUtf16Mark", "\xff\xfe", {QStringLiteral("UTF-16LE"), true}, {}, {}},
        {"UnknownMetaEncoding",
         "<html><meta charset=\"x-unheard-of\">" + utf8Japanese,
         {QStringLiteral("UTF-8")},
         {},
         {}},
        {"MetaLiesShiftJis", "<html><meta charset=shift_jis>" + utf8Japanese, {QStringLiteral("UTF-8")}, {}, {}},
        {"MetaLiesUtf8",
         "<html><meta charset=utf-8>" + encoded(JapaneseParagraph, "CP932"),
         {QStringLiteral("CP932")},
         {},
         {}},
        {"Utf16WithoutMark", encoded(JapaneseParagraph, "UTF-16LE"), {QStringLiteral("UTF-16LE")}, {}, {}},
        {"Utf16BigEndianWithoutMark", encoded(JapaneseParagraph, "UTF-16BE"), {QStringLiteral("UTF-16BE")}, {}, {}},
        {"DeclarationAfterFourKilobytes",
         "<html><!--" + QByteArray(5000, '-') + "--><meta charset=euc-jp>" + encoded(JapaneseParagraph, "EUC-JP"),
         {QStringLiteral("EUC-JP")},
         {},
         {}},
        {"TruncatedUtf8",
         utf8Japanese + "\xe6\x97",
         {QStringLiteral("UTF-8")},
         {PromptId::UnreadBytes},
         {PromptId::WriteUnreadBytes}},
        {"NulInTheMiddle",
         QByteArray("<html>\x93\xfa\0tail", 13),
         {QStringLiteral("CP932")},
         {PromptId::UnreadBytes},
         {PromptId::WriteUnreadBytes}},
    };
    for (const BadCase& c : cases)
        expectNoSilentLoss(c);
}

// Ten megabytes of UTF-8 with one invalid byte at the very end: read as UTF-8, reported once with its line,
// and asked about before a write, whose No leaves the file alone.
TEST(BadInput, OneInvalidByteAtTheEndOfTenMegabytes)
{
    const QString line = QStringLiteral("<p>吾輩は猫である。名前はまだ無い。<a href=\"#n\">リンク</a></p>\r\n");
    QString text = QStringLiteral("<html>\r\n");
    int lines = 1;
    while (text.size() * 3 < 10 * 1024 * 1024) {
        text += line;
        ++lines;
    }
    const QByteArray bytes = text.toUtf8() + "\xff";
    Workbench bench;
    const QString path = bench.writeFile(QStringLiteral("big.html"), bytes);
    ASSERT_EQ(bench.load(path), Outcome::Checked);
    EXPECT_EQ(bench.document.encoding, TextEncoding{QStringLiteral("UTF-8")});
    ASSERT_EQ(bench.prompter.ids(), QList{PromptId::UnreadBytes});
    EXPECT_EQ(bench.prompter.asked[0].prompt.args, (QStringList{QStringLiteral("UTF-8"), QStringLiteral("1"),
                                                                QString::number(lines + 1), QStringLiteral("0")}));
    EXPECT_EQ(bench.text, text + QChar::ReplacementCharacter);

    bench.prompter.asked.clear();
    bench.text = bench.text + u'x';
    EXPECT_EQ(bench.writer.writeHtmlData(false), DocumentWriter::Outcome::NothingWritten);
    EXPECT_EQ(bench.prompter.ids(), QList{PromptId::WriteUnreadBytes});
    EXPECT_TRUE(fileBytes(path) == bytes);
}

// --- by URL, from the loopback server's /bytes/ route --------------------------------------------------

QString bytesUrl(const LoopbackServers& servers, const QString& charset, const QByteArray& body)
{
    return servers.url(LoopbackTest::NormalHost,
                       QStringLiteral("/bytes/%1/%2").arg(charset, QString::fromLatin1(body.toHex())));
}

struct UrlCase {
    const char* name;
    const char* charset; // of the Content-Type header; "-": none
    QByteArray body;
    TextEncoding encoding;
    QString text;
    friend void PrintTo(const UrlCase& c, std::ostream* out) { *out << c.name; }
};

class UrlDetection : public LoopbackTest, public ::testing::WithParamInterface<UrlCase> {};

TEST_P(UrlDetection, TheContentTypeJoinsTheRules)
{
    const UrlCase& c = GetParam();
    Workbench bench;
    EXPECT_EQ(bench.load(bytesUrl(servers(), QString::fromLatin1(c.charset), c.body)), Outcome::Checked);
    EXPECT_TRUE(bench.prompter.asked.isEmpty());
    EXPECT_EQ(bench.document.encoding, c.encoding);
    EXPECT_EQ(bench.document.htmlData, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, UrlDetection,
    ::testing::Values(
        UrlCase{
            "HeaderCharset", "euc-jp", "<html><p>\xa4\xa2", {QStringLiteral("EUC-JP")}, QStringLiteral("<html><p>あ")},
        UrlCase{
            "WithoutHeaderCharset", "-", "<html><p>\xa4\xa2", {QStringLiteral("CP932")}, QStringLiteral("<html><p>､｢")},
        UrlCase{"HeaderBeatsMeta",
                "windows-1252",
                "<html><meta charset=euc-jp><p>\xa4\xa2",
                {QStringLiteral("WINDOWS-1252")},
                QStringLiteral("<html><meta charset=euc-jp><p>¤¢")},
        UrlCase{"MarkBeatsHeader",
                "shift_jis",
                "\xef\xbb\xbf<html>\xe6\x97\xa5",
                {QStringLiteral("UTF-8"), true},
                QStringLiteral("<html>日")},
        UrlCase{"LyingHeader",
                "shift_jis",
                "<html><p>\xe6\x97\xa5\xe6\x9c\xac\xe8\xaa\x9e",
                {QStringLiteral("UTF-8")},
                QStringLiteral("<html><p>日本語")},
        UrlCase{"UnknownHeaderCharset",
                "x-unheard-of",
                "<html><meta charset=euc-jp><p>\xa4\xa2",
                {QStringLiteral("EUC-JP")},
                QStringLiteral("<html><meta charset=euc-jp><p>あ")}),
    [](const ::testing::TestParamInfo<UrlCase>& info) { return std::string(info.param.name); });

class UrlRoundTrip : public LoopbackTest, public ::testing::WithParamInterface<RoundTripCase> {};

// A page written without edits is the page as it was served, byte for byte.
TEST_P(UrlRoundTrip, AnUneditedPageIsWrittenByteForByte)
{
    const RoundTripCase& c = GetParam();
    const QByteArray bytes = encoded(c.text, c.encoding, c.mark);
    Workbench bench;
    ASSERT_EQ(bench.load(bytesUrl(servers(), QStringLiteral("-"), bytes)), Outcome::Checked);
    EXPECT_EQ(bench.document.encoding, (TextEncoding{QString::fromLatin1(c.encoding), c.mark}));
    EXPECT_TRUE(bench.writeAs(QStringLiteral("saved.html")) == bytes);
    EXPECT_EQ(bench.prompter.ids(), QList{PromptId::Written});
}

INSTANTIATE_TEST_SUITE_P(Encodings, UrlRoundTrip, ::testing::ValuesIn(RoundTrips), roundTripName);

using UrlDocuments = LoopbackTest;

// A page that leaves ISO-2022-JP in its two-byte state at the end is written with the return to ASCII.
TEST_F(UrlDocuments, AnIso2022JpPageEndsInTheInitialShiftStateWhenWritten)
{
    const QByteArray served = "<html><meta charset=iso-2022-jp><p>\x1b$BF|K\\\x38\x6c";
    Workbench bench;
    ASSERT_EQ(bench.load(bytesUrl(servers(), QStringLiteral("-"), served)), Outcome::Checked);
    EXPECT_EQ(bench.document.htmlData, QStringLiteral("<html><meta charset=iso-2022-jp><p>日本語"));
    const QByteArray written = bench.writeAs(QStringLiteral("jis.html"));
    EXPECT_TRUE(written == served + "\x1b(B");
}

// Web answers are decoded in the document's encoding: the host's not-found answer, fetched with a page, is
// read once the page's own encoding is known, and kept for the check of its links.
TEST_F(UrlDocuments, TheProbeOfTheDocumentsHostIsReadInTheDocumentsEncodingAndKept)
{
    Workbench bench;
    const QString url = bytesUrl(servers(), QStringLiteral("utf-8"), "<html><p>\xe6\x97\xa5");
    ASSERT_EQ(bench.load(url), Outcome::Checked);
    EXPECT_EQ(bench.document.encoding.name, QStringLiteral("UTF-8"));
    EXPECT_TRUE(bench.job->documentWeb()->notFoundCache().contains(requestHost(url)));
}

// The pages a document links to are read in the document's encoding unless they name their own: the
// anchor a link's fragment names is found in them.
TEST_F(UrlDocuments, LinkedPagesAreReadInTheDocumentsEncodingUnlessTheyNameTheirOwn)
{
    const QString undeclared =
        bytesUrl(servers(), QStringLiteral("-"), encoded(QStringLiteral("<a name=\"日本\">"), "EUC-JP"));
    const QString declared =
        bytesUrl(servers(), QStringLiteral("-"), "<meta charset=utf-8><a name=\"\xe6\x97\xa5\xe6\x9c\xac\">");
    const QString page = QStringLiteral("<html><meta charset=euc-jp><a href=\"%1#日本\">a</a><a href=\"%2#日本\">b</a>")
                             .arg(undeclared, declared);
    Workbench bench;
    ASSERT_EQ(bench.load(bench.writeFile(QStringLiteral("links.html"), encoded(page, "EUC-JP"))), Outcome::Checked);
    ASSERT_EQ(bench.document.encoding.name, QStringLiteral("EUC-JP"));
    const LinkTable& table = bench.job->table();
    ASSERT_EQ(table.entries.size(), 2);
    for (const LinkEntry& entry : table.entries) {
        EXPECT_EQ(entry.result, LinkResult::OkWeb);
        EXPECT_EQ(entry.reason.web.fragmentFound, std::optional<bool>(true));
    }
}

} // namespace
