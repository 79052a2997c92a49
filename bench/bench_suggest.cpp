// Times the suggestions for broken file links: a generated site of 10,000 files in 100 folders, and a document
// at its top with 1,000 links to files that do not exist (a quarter each written in another letter case, with
// two letters swapped, in the wrong folder, and named like nothing there). The check of the document runs
// first, untimed; timed is the suggestion step over its links, walk of the tree included, best of five. It
// checks that every link of the first three kinds gets the file it was meant to lead to as its first suggestion.
//
// "bench_suggest FILES LINKS" sizes the site and the document otherwise.

#include "links/LinkCheckJob.h"
#include "links/RepairSuggestions.h"
#include "web/WebCheck.h"

#include "BestTime.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const QStringList Words = {"about",   "archive", "blog",     "contact", "download", "event",   "faq",
                           "gallery", "guide",   "history",  "index",   "install",  "license", "manual",
                           "news",    "notes",   "press",    "privacy", "release",  "search",  "support",
                           "team",    "terms",   "tutorial", "update",  "usage",    "welcome", "works"};

// The path below the site of file number n: one of 100 folders, a name of two words and a number.
QString filePath(int n)
{
    return QStringLiteral("section-%1/%2-%3-%4.html")
        .arg(n % 100, 2, 10, QChar(u'0'))
        .arg(Words[n % Words.size()], Words[(n / Words.size()) % Words.size()])
        .arg(n);
}

// A broken link to file number n, and the value it was meant to be (empty when it was meant to be nothing).
std::pair<QString, QString> brokenLink(int n, int files)
{
    const QString meant = filePath(n % files);
    switch (n % 4) {
    case 0: {
        QString upper = meant;
        const qsizetype name = upper.lastIndexOf(u'/') + 1;
        upper[name] = upper[name].toUpper();
        return {upper, meant};
    }
    case 1: {
        QString swapped = meant;
        const qsizetype name = swapped.lastIndexOf(u'/') + 1;
        std::swap(swapped[name + 1], swapped[name + 2]);
        return {swapped, meant};
    }
    case 2:
        return {QStringLiteral("section-%1/").arg((n + 1) % 100, 2, 10, QChar(u'0')) + meant.section(u'/', 1), meant};
    default:
        return {QStringLiteral("nowhere/qzx-%1.html").arg(n), QString()};
    }
}

bool writeFile(const QString& path, const QByteArray& bytes = {})
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int files = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 10'000;
    const int links = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 1'000;
    QTemporaryDir site;
    for (int n = 0; n < files; ++n) {
        if (!writeFile(site.filePath(filePath(n)))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(site.filePath(filePath(n))));
            return 1;
        }
    }
    QString text = QStringLiteral("<html><body>\r\n");
    QStringList meant;
    for (int n = 0; n < links; ++n) {
        const auto [value, target] = brokenLink(n * 7, files);
        text += QStringLiteral("<a href=\"%1\">link %2</a><br>\r\n").arg(value).arg(n);
        meant.append(target);
    }
    text += QStringLiteral("</body></html>\r\n");

    WebCheck web;
    DocumentWebCheck documentWeb(web, TextEncoding());
    const CheckContext context{site.path(), true, TextEncoding(), false, QString(), nullptr};
    LinkCheckJob check(text, context, documentWeb);
    QEventLoop loop;
    QObject::connect(&check, &LinkCheckJob::finished, &loop, &QEventLoop::quit);
    check.start();
    loop.exec();

    int meantFirst = 0;
    int withSuggestions = 0;
    const double ms = milliseconds([&] {
        RepairSuggestions suggestions(text, context);
        meantFirst = 0;
        withSuggestions = 0;
        for (int n = 0; n < check.table().count(); ++n) {
            const QStringList offered = suggestions.of(check.table().entries[size_t(n)]);
            withSuggestions += !offered.isEmpty();
            meantFirst += !meant[n].isEmpty() && offered.value(0) == meant[n];
        }
    });
    int meantCount = 0;
    for (const QString& target : meant)
        meantCount += !target.isEmpty();
    std::printf("suggestions for %d broken file links in a tree of %d files: %.1f ms (best of 5, walk included)\n",
                check.table().count(), files, ms);
    std::printf("  links with suggestions: %d; meant file first: %d of %d\n", withSuggestions, meantFirst, meantCount);
    return meantFirst == meantCount ? 0 : 1;
}
