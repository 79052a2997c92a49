// Whole documents in the styles pages are written in (a manual converted from texinfo, DocBook with a
// line break after every tag name, a documentation generator with id sections, a hand-written page):
// every link is found with its value, every result is right, and the single check agrees.

#include "CheckFixture.h"
#include "TestPaths.h"
#include "common/SearchCopy.h"
#include "links/TagValue.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

using R = LinkResult;

struct ExpectedLink {
    const char* value;
    LinkResult result;
};

struct CorpusCase {
    const char* file;
    std::vector<ExpectedLink> links;
};

// The web links that exist; the others do not.
const QSet<QString> ExistingWebLinks{QStringLiteral("http://example.invalid/downloads"),
                                     QStringLiteral("HTTP://Example.Invalid/Friend/")};

void PrintTo(const CorpusCase& corpusCase, std::ostream* out)
{
    *out << corpusCase.file;
}

class Corpus : public ::testing::TestWithParam<CorpusCase> {};

TEST_P(Corpus, FindsEveryLinkAndChecksItRight)
{
    const QString folder = QStringLiteral(TARNWICK_TEST_DATA_DIR "/pages");
    QFile file(folder + u'/' + QString::fromLatin1(GetParam().file));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());

    CheckFixture f;
    f.web = FakeWebCheck(ExistingWebLinks);
    ASSERT_TRUE(f.check(text, folder));
    const LinkTable& table = f.table();
    QStringList values;
    for (int i = 0; i < table.count(); ++i) {
        // The value the scanner kept is the one the tag on its own gives.
        const QString tag = table.tagText(table.entries[i]).toString();
        values.append(secondPassValue(tag, makeSearchCopy(tag)).value_or(QStringLiteral("(none)")));
        EXPECT_EQ(table.entries[i].value, values.last());
    }
    QStringList expectedValues;
    QList<LinkResult> expectedResults;
    for (const ExpectedLink& link : GetParam().links) {
        expectedValues.append(QString::fromUtf8(link.value));
        expectedResults.append(link.result);
    }
    ASSERT_EQ(values, expectedValues);
    EXPECT_EQ(f.results(), expectedResults);

    // The single check of each link, the caret just after its "<", reads the same tag and result (an
    // empty value aside: the single check looks it up as the document's folder).
    const std::vector<LinkEntry> entries = table.entries;
    for (const LinkEntry& entry : entries) {
        if (entry.result == R::NoCheckEmpty)
            continue;
        const auto checked = f.checkOne(text, entry.start, 0, folder);
        ASSERT_TRUE(checked) << entry.start;
        EXPECT_EQ(checked->start, entry.start);
        EXPECT_EQ(checked->length, entry.length);
        EXPECT_EQ(checked->result, entry.result) << entry.start;
    }
}

INSTANTIATE_TEST_SUITE_P(Styles, Corpus,
                         ::testing::Values(CorpusCase{"texinfo-manual.html",
                                                      {{"#Overview", R::OkPage},
                                                       {"dir.html#Top", R::NgFile},
                                                       {"#Index", R::OkPage},
                                                       {"#Overview", R::OkPage},
                                                       {"#Invoking", R::OkPage},
                                                       {"#Index", R::OkPage},
                                                       {"#Invoking", R::OkPage},
                                                       {"#Top", R::OkPage},
                                                       {"#Top", R::OkPage},
                                                       {"#Index", R::OkPage},
                                                       {"#Invoking-Options", R::NgPage},
                                                       {"sphinx-page.html#installation", R::OkFile},
                                                       {"#Overview", R::OkPage},
                                                       {"#Top", R::OkPage},
                                                       {"#index-overview", R::OkPage},
                                                       {"#index-invoking", R::OkPage},
                                                       {"#Invoking", R::OkPage},
                                                       {"#index-overview", R::OkPage},
                                                       {"#Overview", R::OkPage}}},
                                           CorpusCase{"docbook-chapter.html",
                                                      {{"texinfo-manual.html", R::OkFile},
                                                       {"ch02.html", R::NgFile},
                                                       {"#sect-install", R::OkPage},
                                                       {"#sect-config", R::OkPage},
                                                       {"#sect-upgrade", R::NgPage},
                                                       {"http://example.invalid/downloads", R::OkWeb},
                                                       {"#sect-config", R::OkPage},
                                                       {"mailto:docs@example.invalid", R::NoCheckMailto},
                                                       {"#ch01", R::OkPage},
                                                       {"texinfo-manual.html", R::OkFile},
                                                       {"ch02.html", R::NgFile}}},
                                           CorpusCase{"sphinx-page.html",
                                                      {{"genindex.html", R::NgFile},
                                                       {"#", R::OkPage}, // the top of the page
                                                       {"#welcome-to-sample-project", R::OkPage},
                                                       {"#installation", R::OkPage},
                                                       {"#usage", R::OkPage},
                                                       {"#Usage-Options", R::NgPage}, // id="usage-options"
                                                       {"#installation", R::OkPage},
                                                       {"#install-label", R::OkPage},
                                                       {"https://example.invalid/sample/", R::NgWeb},
                                                       {"#usage", R::OkPage},
                                                       {"#sample.run", R::OkPage},
                                                       {"#sample.stop", R::NgPage},
                                                       {"#usage-notes", R::NgPage},
                                                       {"docbook-chapter.html", R::OkFile}}},
                                           CorpusCase{"handwritten-page.html",
                                                      {{"#Links", R::NgPage},   // ID=links
                                                       {"#contact", R::NgPage}, // NAME="Contact"
                                                       {"texinfo-manual.html", R::OkFile},
                                                       {"sphinx-page.html#installation", R::OkFile},
                                                       {"old/page.htm", R::NgFile},
                                                       {"HTTP://Example.Invalid/Friend/", R::OkWeb},
                                                       {"http://example.invalid/gone.html", R::NgWeb},
                                                       {"mailto:me@example.invalid", R::NoCheckMailto},
                                                       {"javascript:history.back()", R::NoCheckJavascript},
                                                       {"", R::NoCheckEmpty},
                                                       {"#ghost", R::NgPage},
                                                       {"#h3name", R::NgPage},
                                                       {"#plain", R::NgPage},
                                                       {"#Top", R::OkPage},
                                                       {"#TOP", R::OkPage},
                                                       {"#Contact", R::OkPage},
                                                       {"#", R::OkPage}}}),
                         [](const ::testing::TestParamInfo<CorpusCase>& info) {
                             std::string name = info.param.file;
                             name = name.substr(0, name.find('.'));
                             std::erase(name, '-');
                             return name;
                         });

} // namespace
