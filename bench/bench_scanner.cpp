// Times the full check (scan, in-page and file checks) of generated documents of 1 MB and 10 MB with
// about 5,000 and 50,000 links, as the check job runs it between turns of the event loop. No network:
// the documents hold no web links.
// Times the load of the 10 MB document from a file as well: reading, detecting and decoding it, against
// decoding in one fixed code page as the program did before it detected encodings.
//
// "bench_scanner --hostile N [PIECE]" times instead one hostile page, PIECE (by default "<a href=x ") N
// times before a single ">", so that every candidate tag runs to that one ">", and prints its peak memory.

#include "BestTime.h"
#include "common/CodePage.h"
#include "common/Document.h"
#include "common/DocumentFile.h"
#include "links/LinkCheckJob.h"
#include "links/WebLinkCheck.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace {

class NoWeb : public WebLinkCheck {
public:
    std::unique_ptr<WebRun> start(const QStringList&, WebRunCallbacks) override { return nullptr; }
};

// A document of about `links` links and `bytes` characters: file, in-page and never-checked links
// between filler text, CR LF line ends, anchors spread through it.
QString generate(int links, int bytes, const QString& folder)
{
    QRandomGenerator random(7);
    QString text = QStringLiteral("<html>\r\n<body>\r\n");
    text.reserve(bytes + 1024);
    const int entries = links + links / 3; // one in four tags is a NAME anchor, not a link
    const int fillerPerLink = qMax(0, bytes / entries - 28);
    const QString filler =
        QStringLiteral("本文のテキスト lorem ipsum dolor sit amet. ").repeated(fillerPerLink / 40 + 1);
    for (int i = 0; i < entries; ++i) {
        switch (i % 4) {
        case 0:
            text += QStringLiteral("<a href=\"f%1.html\">file</a>").arg(random.bounded(200));
            break;
        case 1:
            text += QStringLiteral("<a href=\"#n%1\">page</a>").arg(random.bounded(links / 4 + 10));
            break;
        case 2:
            text += QStringLiteral("<a name=\"n%1\">anchor</a>").arg(i / 4);
            break;
        default:
            text += QStringLiteral("<a href=\"mailto:x%1@example.invalid\">mail</a>").arg(i);
        }
        text += filler.left(fillerPerLink);
        text += QStringLiteral("\r\n");
    }
    text += QStringLiteral("</body>\r\n</html>\r\n");
    for (int i = 0; i < 100; ++i) {
        QFile file(folder + QStringLiteral("/f%1.html").arg(i));
        file.open(QIODevice::WriteOnly);
    }
    return text;
}

double timeCheck(const QString& text, const QString& folder, int& linkCount)
{
    NoWeb web;
    LinkCheckJob check(text, CheckContext{folder, true, {}}, web);
    QEventLoop loop;
    QObject::connect(&check, &LinkCheckJob::finished, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    check.start();
    loop.exec();
    linkCount = check.table().count();
    return timer.nsecsElapsed() / 1e9;
}

// The load's share before the check: the file read, then decoded in the fixed code page (the way before)
// or in the encoding detected for it (the way now).
void timeLoad(const QString& text, const char* encoding, const QString& folder)
{
    const QString path = folder + QStringLiteral("/load-%1.html").arg(QString::fromLatin1(encoding));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(CodePage(QString::fromLatin1(encoding)).encode(text).bytes);
    file.close();
    const double fixed = milliseconds([&] {
        QString read = CodePage(QString::fromLatin1(encoding)).decode(readLocalFile(path).bytes);
        const qsizetype nul = read.indexOf(QChar(u'\0'));
        if (nul >= 0)
            read.truncate(nul);
    });
    QString detected;
    const double detecting = milliseconds([&] {
        const DocumentText read = decodeDocumentText(readLocalFile(path).bytes, QString(), QStringLiteral("auto"));
        detected = read.encoding.displayName();
    });
    std::printf("load %-6s %5.1f MB: fixed code page %7.1f ms, detected (%s) %7.1f ms, %+.1f%%\n", encoding,
                QFileInfo(path).size() / 1048576.0, fixed, qPrintable(detected), detecting,
                (detecting / fixed - 1) * 100);
}

// Peak resident memory of this process so far, in MB.
double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

void timeHostile(int repeats, const QString& piece, const QString& folder)
{
    const QString text = QStringLiteral("<html>") + piece.repeated(repeats) + u'>';
    int found = 0;
    const double seconds = timeCheck(text, folder, found);
    std::printf("hostile page: %6.2f MB, %6d links: %.3f s, peak memory %.0f MB\n", text.size() / 1048576.0, found,
                seconds, peakMegabytes());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "--hostile") == 0) {
        timeHostile(std::atoi(argv[2]), QString::fromUtf8(argc == 4 ? argv[3] : "<a href=x "), dir.path());
        return 0;
    }

    double oneMb = 0;
    for (const auto& [links, bytes] : {std::pair{5000, 1 << 20}, std::pair{50000, 10 << 20}}) {
        const QString text = generate(links, bytes, dir.path());
        int found = 0;
        const double seconds = timeCheck(text, dir.path(), found);
        std::printf("full check: %6.1f MB, %6d links: %.3f s\n", text.size() / 1048576.0, found, seconds);
        if (oneMb == 0)
            oneMb = seconds;
        else
            std::printf("ratio 10 MB / 1 MB: %.1f (linear would be about 10)\n", seconds / oneMb);
        if (bytes > 1 << 20) {
            for (const char* encoding : {"CP932", "UTF-8", "EUC-JP"})
                timeLoad(text, encoding, dir.path());
        }
    }
    return 0;
}
