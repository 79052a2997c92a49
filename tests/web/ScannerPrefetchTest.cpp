// The scanner tells the web check which URLs it will check before it checks them: the list must be
// exactly the URLs it then checks, in that order, because the parallel check relies on it.

#include "ScannerFixture.h"

#include <gtest/gtest.h>

namespace {

class RecordingWebCheck : public WebLinkCheck {
public:
    WebVerdict checkWebLink(const QString& url) override
    {
        checked.append(url);
        WebVerdict verdict;
        verdict.exists = url.contains(QStringLiteral("/ok"));
        return verdict;
    }
    void prefetch(const QStringList& urls, AnsweredCallback) override { announced.append(urls); }
    void cancelPrefetch() override { ++cancels; }

    QList<QStringList> announced;
    QStringList checked;
    int cancels = 0;
};

struct PrefetchFixture {
    QTextDocument textDocument;
    RichTextBox editor{&textDocument};
    Document document;
    RunState run;
    RecordingProgress progress;
    RecordingWebCheck web;
    LinkRegistry registry;
    LinkScanner scanner{document, run, editor, progress, web, registry};

    bool check(const QString& text, const QString& base, bool isFile)
    {
        document.htmlData = text;
        return scanner.checkAllLinks(base, isFile, true);
    }
};

const QString Links =
    QStringLiteral("<a name=top><a href=#top><a href=\"http://h/ok/a.html\"><a href=mailto:x@y><a href=\"\">"
                   "<a href=rel/ok.html><a href=/ok/root.html><a href=/gone/root.html><a href='FTP://h/f'>"
                   "<a href=\"http://h/ok/a.html\"><a href=javascript:x><a href=\" https://h/q?a=1&amp;b=2 \">");

TEST(ScannerPrefetch, AnnouncesTheWebUrlsOfAWebDocumentInTheOrderItChecksThem)
{
    PrefetchFixture f;
    ASSERT_TRUE(f.check(Links, QStringLiteral(" http://h/dir/ "), false));
    const QStringList expected{QStringLiteral("http://h/ok/a.html"),
                               QStringLiteral("http://h/dir/rel/ok.html"),
                               QStringLiteral("http://h/dir/ok/root.html"),
                               QStringLiteral("http://h/dir/gone/root.html"),
                               QStringLiteral("FTP://h/f"),
                               QStringLiteral("http://h/ok/a.html"),
                               QStringLiteral("https://h/q?a=1&amp;b=2")};
    ASSERT_EQ(f.web.announced.size(), 1);
    EXPECT_EQ(f.web.announced.first(), expected);
    EXPECT_EQ(f.web.checked, expected);
    // The root-relative link that the web does not have is then looked for as a file.
    EXPECT_EQ(resultsOf(f.scanner.table())[6], LinkResult::NgFile);
    EXPECT_EQ(f.web.cancels, 1);
}

TEST(ScannerPrefetch, ALocalDocumentAnnouncesOnlyItsAbsoluteWebLinks)
{
    PrefetchFixture f;
    ASSERT_TRUE(f.check(Links, QStringLiteral("/nowhere"), true));
    const QStringList expected{QStringLiteral("http://h/ok/a.html"), QStringLiteral("FTP://h/f"),
                               QStringLiteral("http://h/ok/a.html"), QStringLiteral("https://h/q?a=1&amp;b=2")};
    ASSERT_EQ(f.web.announced.size(), 1);
    EXPECT_EQ(f.web.announced.first(), expected);
    EXPECT_EQ(f.web.checked, expected);
}

TEST(ScannerPrefetch, AStopEndsWhatWasAnnounced)
{
    PrefetchFixture f;
    f.progress.onPoll = [&](int) {
        if (f.web.checked.size() == 2)
            f.run.abort.request();
    };
    EXPECT_FALSE(f.check(Links, QStringLiteral("/nowhere"), true));
    EXPECT_EQ(f.web.announced.value(0).size(), 4);
    EXPECT_EQ(f.web.checked.size(), 2);
    EXPECT_EQ(f.web.cancels, 1);
}

} // namespace
