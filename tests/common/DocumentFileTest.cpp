#include "common/DocumentFile.h"
#include "common/FileTest.h"
#include "common/NativeName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

TEST(FileExists, FindsFilesAndFoldersWithoutExpandingWildcards)
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, QStringLiteral("日本 語.html"), "x");
    EXPECT_TRUE(fileExists(path));
    EXPECT_TRUE(fileExists(dir.path()));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("*.html"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("missing"))));
    EXPECT_FALSE(fileExists(QString()));
    EXPECT_FALSE(fileExists(path + QChar(u'\0')));
    EXPECT_FALSE(fileExists(dir.path() + QStringLiteral("/\xD800")));
}

TEST(ReadLocalFile, ReadsRegularFilesWholeByTheirNamesBytes)
{
    QTemporaryDir dir;
    const QByteArray bytes("\x93\xfa\r\nx\0y\r", 8);
    EXPECT_EQ(readLocalFile(writeFile(dir, QStringLiteral("a.html"), bytes)).bytes, bytes);
    const LocalFileRead empty =
        readLocalFile(QStringLiteral("  ") + writeFile(dir, QStringLiteral("e.html"), "") + u' ');
    EXPECT_EQ(empty.error, LocalReadError::None);
    EXPECT_EQ(empty.bytes, QByteArray());
    // A name that is not UTF-8 (Latin-1 "café.html").
    const QByteArray nativeName = QFile::encodeName(dir.path()) + "/caf\xe9.html";
    const int fd = ::open(nativeName.constData(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "<html>", 6), 6);
    ::close(fd);
    const QString held = fromNativeName(nativeName);
    EXPECT_EQ(readLocalFile(held).bytes, QByteArray("<html>"));
    EXPECT_EQ(shownName(held), dir.path() + QStringLiteral("/caf\uFFFD.html"));
}

TEST(ReadLocalFile, SaysWhyWhatIsNoReadableFileIsRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.html"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath(QStringLiteral("huge.html"));
    QFile sparse(huge);
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(MaxLocalDocumentBytes + 1));
    const std::pair<QString, LocalReadError> cases[] = {
        {QString(), LocalReadError::NoSuchFile},
        {QStringLiteral("   "), LocalReadError::NoSuchFile},
        {dir.filePath(QStringLiteral("missing.html")), LocalReadError::NoSuchFile},
        {dir.filePath(QStringLiteral("missing/a.html")), LocalReadError::NoSuchFile},
        {dir.path(), LocalReadError::Folder},
        {fifo, LocalReadError::NotRegularFile},                        // no writer: a blocking open would never return
        {QStringLiteral("/dev/zero"), LocalReadError::NotRegularFile}, // endless
        {huge, LocalReadError::TooLarge},
    };
    for (const auto& [path, error] : cases)
        EXPECT_EQ(readLocalFile(path).error, error) << path.toStdString();
    const QString locked = writeFile(dir, QStringLiteral("locked.html"), "x");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    if (!QFile(locked).open(QIODevice::ReadOnly)) { // root reads anything
        EXPECT_EQ(readLocalFile(locked).error, LocalReadError::PermissionDenied);
    }
}

struct TextCase {
    const char* name;
    QByteArray bytes;
    const char* configured;
    QString text;
    TextEncoding encoding;
    ReadLoss loss;
    friend void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }
};

class DecodeDocumentText : public ::testing::TestWithParam<TextCase> {};

TEST_P(DecodeDocumentText, CutsAtNulAndTellsWhatTheTextDoesNotHold)
{
    const TextCase& c = GetParam();
    const DocumentText read = decodeDocumentText(c.bytes, QString(), QString::fromLatin1(c.configured));
    EXPECT_EQ(read.text, c.text);
    EXPECT_EQ(read.encoding, c.encoding);
    EXPECT_EQ(read.loss.undecodableBytes, c.loss.undecodableBytes);
    EXPECT_EQ(read.loss.firstUndecodableLine, c.loss.firstUndecodableLine);
    EXPECT_EQ(read.loss.nulLine, c.loss.nulLine);
}

const TextEncoding Cp932{QStringLiteral("CP932")};
const TextEncoding Utf8{QStringLiteral("UTF-8")};

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeDocumentText,
    ::testing::Values(
        TextCase{"KeepsLineEnds", "\x93\xfa\r\nx\ny\r", "auto", QStringLiteral("日\r\nx\ny\r"), Cp932, {}},
        TextCase{"NulEndsTheText",
                 QByteArray("<html>\r\nb\0cd", 12),
                 "auto",
                 QStringLiteral("<html>\r\nb"),
                 Cp932,
                 {0, 0, 2}},
        TextCase{"UndecodableBytesWithTheirLine",
                 "a\rb\n\xe6\x97\xa5\xff\xfe\n",
                 "UTF-8",
                 QStringLiteral("a\rb\n日\uFFFD\uFFFD\n"),
                 Utf8,
                 {2, 3, 0}},
        // A U+FFFD the bytes spell before the bad byte does not move its line.
        TextCase{"SpelledReplacementCharacter",
                 "\xef\xbf\xbd\n\xff",
                 "UTF-8",
                 QStringLiteral("\uFFFD\n\uFFFD"),
                 Utf8,
                 {1, 2, 0}},
        TextCase{"UndecodableAfterTheNulIsNotRead",
                 QByteArray("a\n\0\xff", 4),
                 "UTF-8",
                 QStringLiteral("a\n"),
                 Utf8,
                 {0, 0, 2}},
        TextCase{"UndecodableBeforeTheNul",
                 QByteArray("\xff\n\0\xff", 4),
                 "UTF-8",
                 QStringLiteral("\uFFFD\n"),
                 Utf8,
                 {2, 1, 2}},
        TextCase{"MarkedUtf16BigEndian",
                 QByteArray("\xfe\xff\0<\0a\0>", 8),
                 "UTF-16",
                 QStringLiteral("<a>"),
                 {QStringLiteral("UTF-16BE"), true},
                 {}},
        TextCase{"UnmarkedUtf16BigEndian",
                 QByteArray("\0<\0a\0>", 6),
                 "utf-16",
                 QStringLiteral("<a>"),
                 {QStringLiteral("UTF-16BE")},
                 {}},
        TextCase{"Utf16WithoutHintIsLittleEndian",
                 "\x30\x42",
                 "UTF-16",
                 QStringLiteral("\u4230"),
                 {QStringLiteral("UTF-16LE")},
                 {}},
        TextCase{"OnlyAMark", "\xef\xbb\xbf", "auto", QString(), {QStringLiteral("UTF-8"), true}, {}}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

TEST(LineOfPosition, CountsEveryKindOfLineEnd)
{
    const QString text = QStringLiteral("a\r\nb\rc\nd");
    EXPECT_EQ(lineOfPosition(text, 0), 1);
    EXPECT_EQ(lineOfPosition(text, 2), 1); // the LF of a CR LF
    EXPECT_EQ(lineOfPosition(text, 3), 2);
    EXPECT_EQ(lineOfPosition(text, 5), 3);
    EXPECT_EQ(lineOfPosition(text, 7), 4);
    EXPECT_EQ(lineOfPosition(QStringLiteral("\r"), 1), 2);
}

TEST(CheckHtmlTag, NeedsWhiteSpaceOrBracketAfterTheName)
{
    EXPECT_TRUE(checkHtmlTag(QStringLiteral("x <html lang=ja>")));
    EXPECT_TRUE(checkHtmlTag(QStringLiteral("<HtMl>")));
    EXPECT_TRUE(checkHtmlTag(QStringLiteral("<html\r\n>")));
    EXPECT_TRUE(checkHtmlTag(QStringLiteral("<htmlx><html\tlang=en>")));
    EXPECT_TRUE(checkHtmlTag(QStringLiteral("<HTML\nxmlns=\"http://www.w3.org/1999/xhtml\">")));
    EXPECT_FALSE(checkHtmlTag(QStringLiteral("<htmlx>")));
    EXPECT_FALSE(checkHtmlTag(QStringLiteral("<html")));
    EXPECT_FALSE(checkHtmlTag(QStringLiteral("<head></head>")));
    EXPECT_FALSE(checkHtmlTag(QString()));
}

TEST(SplitFilePath, GivesFolderNameAndStem)
{
    const auto parts = splitFilePath(QStringLiteral("/site/dir/page.v2.html"));
    EXPECT_EQ(parts[0], QStringLiteral("/site/dir/"));
    EXPECT_EQ(parts[1], QStringLiteral("page.v2.html"));
    EXPECT_EQ(parts[2], QStringLiteral("page.v2"));
    EXPECT_EQ(splitFilePath(QStringLiteral("/README"))[2], QStringLiteral("README"));
    EXPECT_EQ(fileDocBase(QStringLiteral("/site/index.htm")), QStringLiteral("/site"));
    EXPECT_EQ(fileDocBase(QStringLiteral("/index.htm")), QString());
    EXPECT_EQ(fileDocBase(QStringLiteral("rel/index.htm")), QDir::currentPath() + QStringLiteral("/rel"));
}

TEST(UrlDocBase, FollowsTheUrlShape)
{
    EXPECT_EQ(urlDocBase(QStringLiteral("http://h.example/dir/page.htm")), QStringLiteral("http://h.example/dir"));
    EXPECT_EQ(urlDocBase(QStringLiteral("http://h.example/dir/")), QStringLiteral("http://h.example/dir/"));
    EXPECT_EQ(urlDocBase(QStringLiteral("http://www.h.example")), QStringLiteral("http://www.h.example"));
    EXPECT_EQ(urlDocBase(QStringLiteral("http://localhost/dir")), QStringLiteral("http://localhost/dir/"));
    EXPECT_EQ(urlDocBase(QStringLiteral("http://h.example/dir")), QStringLiteral("http://h.example"));
}

} // namespace
