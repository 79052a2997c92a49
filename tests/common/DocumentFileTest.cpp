#include "common/DocumentFile.h"
#include "common/CodePage.h"
#include "common/FileTest.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

TEST(ReadLocalFile, DecodesKeepsLineEndsAndCutsAtNul)
{
    QTemporaryDir dir;
    const CodePage cp932;
    QString html = QStringLiteral("unchanged");
    ASSERT_TRUE(readLocalFile(writeFile(dir, QStringLiteral("a.html"), "\x93\xfa\r\nx\ny\r"), cp932, html));
    EXPECT_EQ(html, QStringLiteral("日\r\nx\ny\r"));
    ASSERT_TRUE(readLocalFile(writeFile(dir, QStringLiteral("nul.html"), QByteArray("ab\0cd", 5)), cp932, html));
    EXPECT_EQ(html, QStringLiteral("ab"));
    ASSERT_TRUE(readLocalFile(QStringLiteral("  ") + writeFile(dir, QStringLiteral("e.html"), "") + u' ', cp932, html));
    EXPECT_EQ(html, QString());
}

TEST(ReadLocalFile, FailsWithoutTouchingTheText)
{
    QTemporaryDir dir;
    const CodePage cp932;
    QString html = QStringLiteral("kept");
    EXPECT_FALSE(readLocalFile(QString(), cp932, html));
    EXPECT_FALSE(readLocalFile(QStringLiteral("   "), cp932, html));
    EXPECT_FALSE(readLocalFile(dir.filePath(QStringLiteral("missing.html")), cp932, html));
    EXPECT_FALSE(readLocalFile(dir.path(), cp932, html));
    const QString locked = writeFile(dir, QStringLiteral("locked.html"), "x");
    QFile::setPermissions(locked, QFileDevice::Permissions());
    if (!QFile(locked).open(QIODevice::ReadOnly)) { // root reads anything
        EXPECT_FALSE(readLocalFile(locked, cp932, html));
    }
    EXPECT_EQ(html, QStringLiteral("kept"));
}

TEST(CheckHtmlTag, NeedsABlankOrBracketAfterTheName)
{
    EXPECT_TRUE(checkHtmlTag(QStringLiteral("x <html lang=ja>")));
    EXPECT_TRUE(checkHtmlTag(QStringLiteral("<HtMl>")));
    EXPECT_FALSE(checkHtmlTag(QStringLiteral("<html\r\n>")));
    EXPECT_FALSE(checkHtmlTag(QStringLiteral("<html\t>")));
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
