// The full check with its requests made concurrently against the one-at-a-time check (limits of 1 and 1):
// the same documents against the same kind of loopback servers, checked each way on servers of their
// own, must give the same code for every link and exactly the same requests (every link and every probe,
// counted per host by the servers).

#include "FullCheckHarness.h"
#include "ScriptedPrompter.h"
#include "web/DocumentCheckJob.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace {

QString host(int n)
{
    return QStringLiteral("127.0.0.%1").arg(n);
}

constexpr int HostCount = 25;
constexpr int SoftNotFound = 2;
constexpr int PlainNotFound = 3;

struct Way {
    const char* name;
    TransferScheduler::Limits limits;
};

const Way OneAtATime{"one at a time", TransferScheduler::Limits{1, 1}};
const Way Parallel{"default limits", TransferScheduler::Limits{}};
// Few places change which answers arrive first, and so which probes become certain when.
const Way NarrowParallel{"limits 3/1", TransferScheduler::Limits{3, 1}};

struct CheckRecord {
    QList<int> codes;
    QJsonObject requests; // the servers' /__stats: {host: {"GET /path": count}}
};

using DocumentOf = std::function<QString(const LoopbackServers&)>;
// Runs the checks of one way on the harness and returns the codes they gave, one run after the other.
using Checker = std::function<QList<int>(FullCheckHarness&, const QString& document, const LoopbackServers&)>;

// Starts servers on HostCount addresses, writes the document for their ports, checks it one way.
CheckRecord checkOneWay(const Way& way, const DocumentOf& documentOf, const Checker& runCheck)
{
    LoopbackServerOptions options;
    options.hosts.clear();
    for (int n = 1; n <= HostCount; ++n)
        options.hosts.append(host(n));
    options.soft404Host = host(SoftNotFound);
    options.plain404Host = host(PlainNotFound);
    LoopbackServers servers(options);
    if (!servers.isReady()) {
        ADD_FAILURE() << servers.errorText().toStdString();
        return {};
    }
    const ScopedEnvironment ca("CURL_CA_BUNDLE", servers.caFile().toLocal8Bit());
    FullCheckHarness harness(way.limits);
    const QList<int> codes = runCheck(harness, documentOf(servers), servers);
    EXPECT_LE(harness.web.scheduler().peakRunning(), way.limits.transfers) << way.name;
    EXPECT_LE(harness.web.scheduler().peakRunningToOneHost(), way.limits.transfersPerHost) << way.name;
    return {codes, servers.stats()};
}

// The codes as one line of text, so that a failure shows all of them.
std::string codeList(const QList<int>& codes)
{
    QStringList texts;
    for (const int code : codes)
        texts.append(QString::number(code));
    return texts.join(u' ').toStdString();
}

// Every way must give the codes and the requests of the one-at-a-time check; the codes must be expected.
void expectSameEveryWay(const DocumentOf& documentOf, const Checker& runCheck, const QList<int>& expectedCodes)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    const CheckRecord reference = checkOneWay(OneAtATime, documentOf, runCheck);
    EXPECT_EQ(codeList(reference.codes), codeList(expectedCodes));
    for (const Way& way : {Parallel, NarrowParallel}) {
        const CheckRecord record = checkOneWay(way, documentOf, runCheck);
        EXPECT_EQ(codeList(record.codes), codeList(reference.codes)) << way.name;
        EXPECT_EQ(record.requests, reference.requests)
            << way.name << "\none at a time: " << QJsonDocument(reference.requests).toJson().toStdString() << "\n"
            << way.name << ": " << QJsonDocument(record.requests).toJson().toStdString();
    }
}

QString link(const QString& href)
{
    return QStringLiteral("<p><a href=\"%1\">x</a></p>\r\n").arg(href);
}

// Every behaviour of the servers, a web document's relative links, and more hosts than the cache holds.
QString mixedDocument(const LoopbackServers& s)
{
    using Scheme = LoopbackServers::Scheme;
    const auto http = [&s](int n, const char* path) { return s.url(host(n), QString::fromLatin1(path)); };
    const auto ftp = [&s](int n, const char* path) { return s.url(host(n), QString::fromLatin1(path), Scheme::Ftp); };
    const QString refused = QStringLiteral("http://%1:%2/refused.html");
    const int closed = LoopbackServers::closedLoopbackPort();

    QString text = QStringLiteral("<html><body><a name=\"top\"></a>\r\n");
    text += link(QStringLiteral("#top"));
    // A link that fails late (it stalls) before links of the same host that answer at once: the host's
    // probe belongs to the second link, and its repeat finds it cached.
    text += link(http(1, "/stall/first.html"));
    text += link(http(1, "/ok/after-stall.html"));
    text += link(refused.arg(host(1)).arg(closed));
    text += link(http(1, "/ok/after-stall.html"));
    text += link(http(SoftNotFound, "/ok/soft.html"));
    text += link(http(PlainNotFound, "/ok/plain.html"));
    // An echoing host whose first link is missing: its probe echoes that link's path.
    text += link(http(4, "/missing/first.html"));
    text += link(http(4, "/ok/echo.html"));
    text += link(http(4, "/noheaders/a.html"));
    text += link(http(4, "/redirect/ok/r.html"));
    text += link(http(4, "/redirect/missing/r.html"));
    text += link(http(4, "/redirect-to/127.0.0.5/ok/x.html"));
    text += link(http(5, "/redirect-ftp/small.txt"));
    // FTP probes bring nothing back, so every FTP link that answered probes again.
    text += link(ftp(6, "/small.txt"));
    text += link(ftp(6, "/big.bin"));
    text += link(ftp(6, "/nothere.txt"));
    text += link(ftp(6, "/small.txt#part"));
    text += link(http(7, "/big/setup.exe"));
    text += link(http(7, "/ok/tool.EXE"));
    text += link(http(7, "/big/data.bin"));
    text += link(s.url(host(8), QStringLiteral("/ok/secure.html"), Scheme::Https));
    text += link(http(8, "/echo-request/q?a=1&amp;b=2"));
    // Relative to the web document's base: on the web, the root-relative one too.
    text += link(QStringLiteral("relative.html"));
    text += link(QStringLiteral("/root.html"));
    text += link(QStringLiteral("../missing/gone.html"));
    text += link(QStringLiteral("mailto:someone@example.org"));
    // Host 25 fails first; its next link comes when the cache is already full.
    text += link(refused.arg(host(25)).arg(closed));
    for (int n = 9; n <= 24; ++n)
        text += link(s.url(host(n), QStringLiteral("/ok/h%1.html").arg(n)));
    // The cache took hosts 1-5, 7-8 and then 9-21: 22-25 probe at every link.
    text += link(http(23, "/ok/again.html"));
    text += link(http(24, "/missing/again.html"));
    text += link(http(21, "/ok/again.html"));
    text += link(http(22, "/ok/again.html"));
    text += link(http(25, "/ok/late.html"));
    text += link(http(25, "/ok/later.html"));
    text += link(http(2, "/ok/soft-again.html"));
    return text + QStringLiteral("</body></html>\r\n");
}

TEST(CheckEquivalence, MixedDocumentAndItsRecheckGiveTheSameCodesAndRequests)
{
    const QList<int> expected{
        toCode(LinkResult::OkPage), // #top
        toCode(LinkResult::NgWeb),         toCode(LinkResult::OkWeb),
        toCode(LinkResult::NgWeb),         toCode(LinkResult::OkWeb), // host 1: stall, ok, refused, repeat
        toCode(LinkResult::NgWeb),         toCode(LinkResult::NgWeb), // soft and plain not-found hosts
        toCode(LinkResult::NgWeb),         toCode(LinkResult::OkWeb),
        toCode(LinkResult::NgWeb), // echo host: missing, ok, no headers
        toCode(LinkResult::OkWeb),         toCode(LinkResult::NgWeb),
        toCode(LinkResult::OkWeb),         toCode(LinkResult::OkWeb), // redirects (the last to an FTP file)
        toCode(LinkResult::OkWeb),         toCode(LinkResult::OkWeb),
        toCode(LinkResult::NgWeb),         toCode(LinkResult::OkWeb), // FTP small, big (cut), missing, small again
        toCode(LinkResult::OkWeb),         toCode(LinkResult::NgWeb),
        toCode(LinkResult::OkWeb),                                    // .exe cut, small .EXE, big page
        toCode(LinkResult::OkWeb),         toCode(LinkResult::OkWeb), // HTTPS, entities
        toCode(LinkResult::OkWeb),         toCode(LinkResult::OkWeb),
        toCode(LinkResult::NgWeb),                                    // relative, root-relative, missing relative
        toCode(LinkResult::NoCheckMailto), toCode(LinkResult::NgWeb), // mailto, refused on host 25
    };
    QList<int> all = expected;
    for (int n = 9; n <= 24; ++n)
        all.append(toCode(LinkResult::OkWeb));
    all << toCode(LinkResult::OkWeb) << toCode(LinkResult::NgWeb) << toCode(LinkResult::OkWeb)
        << toCode(LinkResult::OkWeb) << toCode(LinkResult::OkWeb) << toCode(LinkResult::OkWeb)
        << toCode(LinkResult::NgWeb);

    // Checked twice, as a load and then "check all again": the second run starts with a full cache.
    expectSameEveryWay(
        mixedDocument,
        [](FullCheckHarness& harness, const QString& document, const LoopbackServers& servers) {
            const QString base = servers.url(host(1), QStringLiteral("/ok/"));
            EXPECT_TRUE(harness.check(document, base, false));
            QList<int> codes = harness.codes();
            EXPECT_TRUE(harness.check(document, base, false));
            return codes + harness.codes();
        },
        all + all);
}

// A document opened by URL: its own fetch caches its host's probe, which the links then use.
TEST(CheckEquivalence, DocumentOpenedByUrlSharesItsProbe)
{
    expectSameEveryWay(
        [](const LoopbackServers& servers) { return servers.url(host(1), QStringLiteral("/document/doc.html")); },
        [](FullCheckHarness& harness, const QString& url, const LoopbackServers&) {
            ScriptedPrompter prompter;
            DocumentCheckJob job(harness.web, prompter, url, CheckSettings(), nullptr);
            QSignalSpy finished(&job, &DocumentCheckJob::finished);
            job.start();
            EXPECT_TRUE(finished.wait(60000));
            EXPECT_EQ(job.outcome(), DocumentCheckJob::Outcome::Checked);
            return codesOf(job.table());
        },
        {toCode(LinkResult::OkPage), toCode(LinkResult::OkWeb), toCode(LinkResult::NgWeb), toCode(LinkResult::OkWeb)});
}

} // namespace
