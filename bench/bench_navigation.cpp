// Times, in the real window on the offscreen platform, the load of generated documents of 1 MB and
// 10 MB (5,000 and 50,000 links): until the text is on screen and until the check is over; the moves of
// the navigation buttons from the first link to the last link of a class that only the last link has,
// and back to one only the first link has; and, within the load, the filling of the shown link list (its
// model, the sort by line and the table's first paint).
//
// "bench_navigation --slow-links URL-PREFIX [N]" times instead the load of a page of N (200) web links
// URL-PREFIX0.html ... : until its text is on screen, until the first link is painted, and until the last
// one is (bench/web_bench.py --window runs it against loopback servers that answer late).
//
// "bench_navigation --site FOLDER" times the opening of a folder as a site: until the run over every page
// has ended (its last row is filled).

#include "common/CodePage.h"
#include "common/Prompter.h"
#include "editor/LinkSpans.h"
#include "editor/RichTextBox.h"
#include "window/MainWindow.h"
#include "window/WindowTexts.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

class SilentPrompter : public Prompter {
public:
    Answer ask(const Prompt& prompt) override { return defaultAnswerOf(prompt.id); }
    QString chooseFile(FileDialogKind) override { return QString(); }
};

// The first link is a missing in-page link, the last a missing file; every other link is fine.
QString writeDocument(const QString& folder, int links)
{
    QFile(folder + QStringLiteral("/ok.html")).open(QIODevice::WriteOnly);
    QString text = QStringLiteral("<html>\r\n<a href=#nowhere>first</a>\r\n<a name=here>here</a>\r\n");
    const QString filler = QStringLiteral("本文 lorem ipsum dolor sit amet, consectetur adipiscing elit. ").repeated(3);
    for (int i = 1; i < links - 1; ++i)
        text += (i % 2 ? QStringLiteral("<a href=\"#here\">p</a> ") : QStringLiteral("<a href=\"ok.html\">f</a> ")) +
                filler + QStringLiteral("\r\n");
    text += QStringLiteral("<a href=missing.html>last</a>\r\n</html>\r\n");
    const QString path = folder + QStringLiteral("/doc%1.html").arg(links);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(CodePage().encode(text).bytes);
    return path;
}

double seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

// Times each filling of the link list: from the reset of its rows to the table having taken them in and
// painted them. The last filling of a load is the one with the checked links.
class LinkListFillTimer {
public:
    explicit LinkListFillTimer(QTableView& table) : m_table(table)
    {
        auto* rows = qobject_cast<QSortFilterProxyModel*>(table.model());
        QObject::connect(rows->sourceModel(), &QAbstractItemModel::modelAboutToBeReset, [this] { m_timer.start(); });
        // Connected after the table's own handler, so this runs once the table has taken the rows in.
        QObject::connect(rows, &QAbstractItemModel::modelReset, [this] {
            m_table.viewport()->repaint();
            m_lastFill = seconds(m_timer);
        });
    }
    double lastFill() const { return m_lastFill; }

private:
    QTableView& m_table;
    QElapsedTimer m_timer;
    double m_lastFill = 0;
};

void timeSlowLinks(const QString& folder, const QString& prefix, int links)
{
    QString text = QStringLiteral("<html>\r\n");
    for (int i = 0; i < links; ++i)
        text += QStringLiteral("<a href=\"%1%2.html\">%2</a><br>\r\n").arg(prefix).arg(i);
    const QString path = folder + QStringLiteral("/slow.html");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(text.toUtf8());
    file.close();

    SilentPrompter prompter;
    MainWindow window(prompter, folder + QStringLiteral("/bench.INI"));
    window.show();
    window.findChild<QPlainTextEdit*>(QStringLiteral("pathEdit"))->setPlainText(path);
    QElapsedTimer timer;
    double textShown = 0;
    double firstPainted = 0;
    double lastPainted = 0;
    QObject::connect(window.editor().document(), &QTextDocument::contentsChanged, [&] {
        if (textShown == 0)
            textShown = seconds(timer);
    });
    const LinkSpans& spans = window.linkSpans();
    QObject::connect(&spans, &LinkSpans::spansChanged, [&] {
        if (firstPainted == 0)
            firstPainted = seconds(timer);
        lastPainted = seconds(timer);
    });
    QEventLoop checked;
    QObject::connect(&window, &MainWindow::operationEnded, &checked, &QEventLoop::quit);
    timer.start();
    window.findChild<QPushButton*>(QStringLiteral("loadButton"))->click();
    checked.exec();
    std::printf("%d web links answering late: text on screen %.3f s, first verdict shown %.3f s, last %.3f s, "
                "check over %.3f s\n",
                spans.count(), textShown, firstPainted, lastPainted, seconds(timer));
}

void timeSiteRun(const QString& iniFolder, const QString& siteFolder)
{
    SilentPrompter prompter;
    MainWindow window(prompter, iniFolder + QStringLiteral("/bench.INI"));
    window.show();
    QEventLoop checked;
    QObject::connect(&window, &MainWindow::operationEnded, &checked, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    window.openAtStart(siteFolder);
    checked.exec();
    std::printf("site run over %s: %.3f s\n", qPrintable(siteFolder), seconds(timer));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir folder;
    if (argc >= 3 && QByteArray(argv[1]) == "--slow-links") {
        timeSlowLinks(folder.path(), QString::fromUtf8(argv[2]), argc >= 4 ? std::atoi(argv[3]) : 200);
        return 0;
    }
    if (argc >= 3 && QByteArray(argv[1]) == "--site") {
        timeSiteRun(folder.path(), QString::fromUtf8(argv[2]));
        return 0;
    }

    for (int links : {5000, 50000}) {
        const QString path = writeDocument(folder.path(), links);
        SilentPrompter prompter;
        MainWindow window(prompter, folder.filePath(QStringLiteral("bench.INI")));
        window.show();
        window.findChild<QAction*>(QStringLiteral("linkListAction"))->trigger();
        const LinkListFillTimer linkList(*window.findChild<QTableView*>(QStringLiteral("linkTable")));
        window.findChild<QPlainTextEdit*>(QStringLiteral("pathEdit"))->setPlainText(path);

        QElapsedTimer timer;
        double textShown = 0;
        const QMetaObject::Connection shown = QObject::connect(
            window.editor().document(), &QTextDocument::contentsChanged, [&] { textShown = seconds(timer); });
        QEventLoop checked;
        QObject::connect(&window, &MainWindow::operationEnded, &checked, &QEventLoop::quit);
        timer.start();
        window.findChild<QPushButton*>(QStringLiteral("loadButton"))->click();
        checked.exec();
        const double load = seconds(timer);
        QObject::disconnect(shown);

        auto* kinds = window.findChild<QComboBox*>(QStringLiteral("moveKindCombo"));
        window.editor().setSelection(0, 0);
        kinds->setCurrentIndex(kinds->findText(linkClassLabel(LinkClass::NgFile))); // only the last link
        timer.restart();
        window.findChild<QPushButton*>(QStringLiteral("nextLinkButton"))->click();
        const double down = seconds(timer);
        const int last = window.editor().selStart();

        kinds->setCurrentIndex(kinds->findText(linkClassLabel(LinkClass::NgPage))); // only the first link
        timer.restart();
        window.findChild<QPushButton*>(QStringLiteral("previousLinkButton"))->click();
        const double up = seconds(timer);

        std::printf("%5.1f MB, %5d links: text on screen %.3f s, load and check %.3f s (of which filling the link "
                    "list %.3f s), down to the last link %.3f s (at %d), up to the first %.3f s (at %d)\n",
                    window.editor().textLength() / 1048576.0, window.linkSpans().count(), textShown, load,
                    linkList.lastFill(), down, last, up, window.editor().selStart());
    }
    return 0;
}
