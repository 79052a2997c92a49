#include "WindowFixture.h"
#include "WithLoopbackServers.h"
#include "links/LinkKinds.h"

#include <QDockWidget>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <sys/stat.h>

namespace {

const QString ReadFailed = QStringLiteral("読み込みに失敗しました。");
const QString Stopped = QStringLiteral("読み込みを中止しました。");
const QString Guard = QStringLiteral("現在編集中のデータは変更されています。\r\nデータの読み込みを行いますか？");

class Loading : public WindowFixture {
protected:
    // A load that fails, and the window as it was: the message says why.
    void expectReadFailure(const QString& path, const QString& why)
    {
        prompter.asked.clear();
        load(path);
        EXPECT_EQ(messages(), QStringList{ReadFailed + QStringLiteral("\r\n") + why}) << path.toStdString();
        EXPECT_EQ(prompter.asked.first().buttons, Prompter::Buttons::Ok);
        EXPECT_FALSE(window.document().docLoaded);
        EXPECT_TRUE(window.document().docPath.isEmpty());
        expectUnlocked();
    }
};

TEST_F(Loading, LoadButtonReadsChecksAndPaintsACp932File)
{
    const QString path = writeDocument(QStringLiteral("日本語 page.html"),
                                       "<html>\x93\xfa\x96\x7b\r\n<a name=x></a><a href=#x>ok</a><a href=gone.html>");
    load(QStringLiteral("  ") + path + u' ');
    EXPECT_TRUE(prompter.asked.isEmpty()) << messages().join(u'|').toStdString();
    EXPECT_EQ(window.editor().text(),
              QStringLiteral("<html>日本\r\n<a name=x></a><a href=#x>ok</a><a href=gone.html>"));
    EXPECT_EQ(window.document().htmlData, window.editor().text());
    EXPECT_EQ(window.document().docPath, path);
    EXPECT_EQ(window.document().docBase, folder.path());
    EXPECT_TRUE(window.document().docIsFile);
    EXPECT_TRUE(window.document().docLoaded);
    EXPECT_EQ(shownResults(), (QList<LinkResult>{LinkResult::OkPage, LinkResult::NgFile}));
    EXPECT_EQ(settledPaintAt(24), std::pair(LinkColor::OkPage, true));
    EXPECT_FALSE(window.isTextChanged());
    expectUnlocked();
}

TEST_F(Loading, UnreadablePathsSayWhy)
{
    const QString fifo = folder.filePath(QStringLiteral("pipe.html"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString missing = folder.filePath(QStringLiteral("missing.html"));
    const std::pair<QString, QString> cases[] = {
        {QString(), QStringLiteral("ファイルがありません: ")},
        {QStringLiteral("   "), QStringLiteral("ファイルがありません: ")},
        {missing, QStringLiteral("ファイルがありません: ") + missing},
        {folder.path(), QStringLiteral("ファイルではなくフォルダーです: ") + folder.path()},
        {fifo, QStringLiteral("通常のファイルではありません: ") + fifo},
    };
    for (const auto& [path, why] : cases)
        expectReadFailure(path, why);
}

// As editors do, the window notices another program's change when it comes back, and asks once.
TEST_F(Loading, AChangeByAnotherProgramIsNoticedWhenTheWindowComesBack)
{
    const QString path = writeDocument(QStringLiteral("page.html"), "<html>mine");
    load(path);
    const auto comeBack = [this] {
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&window, &activation);
        QTest::qWait(20);
        waitUntilIdle();
    };
    comeBack();
    EXPECT_TRUE(prompter.asked.isEmpty()) << "nothing changed";
    writeDocument(QStringLiteral("page.html"), "<html>changed by another program");
    prompter.answers = {Prompter::Answer::No};
    comeBack();
    ASSERT_EQ(prompter.ids(), QList{PromptId::ChangedOnDiskReload});
    EXPECT_EQ(prompter.asked[0].prompt.args, QStringList{path});
    comeBack();
    EXPECT_EQ(prompter.asked.size(), 1) << "the same change is asked about once";
    writeDocument(QStringLiteral("page.html"), "<html>changed again");
    prompter.answers = {Prompter::Answer::Yes};
    comeBack();
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>changed again"));
    expectUnlocked();
}

TEST_F(Loading, FileWithoutHtmlTagAsksFirst)
{
    load(writeDocument(QStringLiteral("first.html"), "<html>first"));
    const QString plain = writeDocument(QStringLiteral("notes.txt"), "<a href=#x>");
    prompter.answers = {Prompter::Answer::No};
    load(plain);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("HTMLタグが見つかりません｡\r\n")));
    EXPECT_TRUE(messages()[0].endsWith(QStringLiteral("\r\n読込を続けますか？")));
    EXPECT_EQ(prompter.asked[0].defaultAnswer, Prompter::Answer::No);
    // Declined: the previous document stays what it was, and can be written at once.
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>first"));
    EXPECT_TRUE(window.document().docLoaded);
    EXPECT_EQ(window.document().docPath, folder.filePath(QStringLiteral("first.html")));
    EXPECT_FALSE(window.isTextChanged());
    expectUnlocked();

    prompter.asked.clear();
    prompter.answers = {Prompter::Answer::Yes};
    load(plain);
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(window.editor().text(), QStringLiteral("<a href=#x>"));
    EXPECT_EQ(window.document().docPath, plain);
}

TEST_F(Loading, NulByteEndsTheText)
{
    load(writeDocument(QStringLiteral("nul.html"), QByteArray("<html>before\0after", 18)));
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>before"));
}

TEST_F(Loading, GuardAsksBeforeEditsAreDiscarded)
{
    const QString path = writeDocument(QStringLiteral("g.html"), "<html>text");
    load(path);
    window.editor().setSelection(6, 0);
    QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
    cursor.insertText(QStringLiteral("x"));
    EXPECT_TRUE(window.isTextChanged());

    prompter.answers = {Prompter::Answer::No};
    load(path);
    EXPECT_EQ(messages(), QStringList{Guard});
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>xtext"));

    prompter.asked.clear();
    prompter.answers = {Prompter::Answer::Yes};
    load(path);
    EXPECT_EQ(messages(), QStringList{Guard});
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>text"));

    // An edit undone leaves the document unchanged: no question.
    cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
    cursor.insertText(QStringLiteral("y"));
    control<QPlainTextEdit>("documentEdit")->undo();
    EXPECT_FALSE(window.isTextChanged());
    prompter.asked.clear();
    load(path);
    EXPECT_TRUE(prompter.asked.isEmpty());
}

TEST_F(Loading, BrowseAndFileOpenLoadTheChosenFile)
{
    const QString path = writeDocument(QStringLiteral("b.html"), "<html>browse");
    prompter.fileNames = {QStringLiteral(" ") + path + u' '};
    clickAndWait("browseButton");
    EXPECT_EQ(prompter.dialogs, QList{FileDialogKind::OpenDocument});
    EXPECT_EQ(fileDialogFilter(FileDialogKind::OpenDocument),
              QStringLiteral("HTMLファイル (*.HTM;*.HTML)|*.HTM;*HTML|すべてのファイル|*.*"));
    EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), path);
    EXPECT_EQ(window.document().docPath, path);

    // A cancelled dialog loads nothing, not even the last name: the document stays loaded.
    prompter.asked.clear();
    window.findChild<QAction*>(QStringLiteral("openAction"))->trigger();
    EXPECT_EQ(prompter.dialogs.size(), 2);
    EXPECT_TRUE(prompter.asked.isEmpty());
    EXPECT_TRUE(window.document().docLoaded);

    const QString other = writeDocument(QStringLiteral("c.html"), "<html>menu");
    prompter.fileNames = {other};
    window.findChild<QAction*>(QStringLiteral("openAction"))->trigger();
    waitUntilIdle();
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>menu"));
}

// Sends a drag that enters a widget and drops there; whether the widget (or the one it passes the drag on to)
// took it.
bool dragAndDrop(QWidget* target, QMimeData& data)
{
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

// Files dropped anywhere on the window, the path box and the editor included, open the first one as the open
// command does (a folder as a site), after the question about unsaved edits; text dropped on the editor is
// inserted as text, and the path box refuses it.
TEST_F(Loading, DroppedFilesOpenWhereverTheyFallAndDroppedTextIsInserted)
{
    const QString first = writeDocument(QStringLiteral("d1.html"), "<html>first");
    const QString second = writeDocument(QStringLiteral("d2.html"), "<html>second");
    writeDocument(QStringLiteral("site/index.html"), "<html>");
    const struct {
        QWidget* target;
        QString dropped;
        bool edited; // the text was edited before: the drop asks first
    } cases[] = {
        {control<QPlainTextEdit>("pathEdit")->viewport(), first, false},
        {control<QPlainTextEdit>("documentEdit")->viewport(), second, false},
        {control<QLabel>("statusSentence"), first, true},
        {&window, folder.filePath(QStringLiteral("site")), false},
    };
    for (const auto& c : cases) {
        if (c.edited)
            window.editor().replaceRanges({{0, 0, QStringLiteral("typed")}});
        prompter.asked.clear();
        prompter.answers = {Prompter::Answer::Yes};
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(c.dropped), QUrl::fromLocalFile(second)});
        EXPECT_TRUE(dragAndDrop(c.target, data)) << c.dropped.toStdString();
        // Opened once the drop is over.
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.runState().isBusy; }, 5000)) << c.dropped.toStdString();
        waitUntilIdle();
        EXPECT_EQ(prompter.ids(), c.edited ? QList{PromptId::DiscardEdits} : QList<PromptId>{});
        if (QFileInfo(c.dropped).isDir()) {
            EXPECT_TRUE(control<QDockWidget>("sitePanel")->isVisibleTo(&window));
            EXPECT_EQ(window.document().docPath, first); // the document stays until a page is chosen
        } else {
            EXPECT_EQ(window.document().docPath, c.dropped);
            EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), c.dropped);
        }
    }

    QMimeData text;
    text.setText(QStringLiteral("dropped text"));
    EXPECT_FALSE(dragAndDrop(control<QPlainTextEdit>("pathEdit")->viewport(), text));
    EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), first);
    EXPECT_TRUE(dragAndDrop(control<QPlainTextEdit>("documentEdit")->viewport(), text));
    EXPECT_EQ(window.editor().text(), QStringLiteral("dropped text<html>first"));
    EXPECT_FALSE(window.runState().isBusy);
}

using LoadingByUrl = WithLoopbackServers<Loading>;

TEST_F(LoadingByUrl, UrlDocumentTakesItsBaseFromTheUrl)
{
    const QString url = servers->url(QStringLiteral("127.0.0.1"), QStringLiteral("/document/doc.html"));
    load(url);
    EXPECT_TRUE(prompter.asked.isEmpty()) << messages().join(u'|').toStdString();
    EXPECT_TRUE(window.document().docLoaded);
    EXPECT_FALSE(window.document().docIsFile);
    EXPECT_EQ(window.document().docPath, url);
    EXPECT_EQ(window.document().docBase, url.left(url.lastIndexOf(u'/')));
    EXPECT_EQ(shownResults(),
              (QList<LinkResult>{LinkResult::OkPage, LinkResult::OkWeb, LinkResult::NgWeb, LinkResult::OkWeb}));
    expectUnlocked();
}

TEST_F(LoadingByUrl, AWebDocumentThatCannotBeHadSaysWhy)
{
    const QString missing = servers->url(QStringLiteral("127.0.0.1"), QStringLiteral("/missing/doc.html"));
    expectReadFailure(missing, QStringLiteral("404 見つかりません (Not Found)"));
    const QString closed = QStringLiteral("http://127.0.0.1:%1/doc.html").arg(LoopbackServers::closedLoopbackPort());
    expectReadFailure(closed, QStringLiteral("接続を拒否されました"));
}

// The text is on screen while the links are checked; a stop keeps the document as loaded, with the links
// decided so far, and a close request stops as the stop button does.
TEST_F(LoadingByUrl, AStopDuringTheCheckKeepsTheDocumentAndWhatWasDecided)
{
    // The first link stalls, so the load is still checking links when the timer fires.
    const QString stalling = QStringLiteral("<html><a href=\"%1\">x</a><a href=#x>")
                                 .arg(servers->url(QStringLiteral("127.0.0.1"), QStringLiteral("/stall/x.html")));
    const QString path = writeDocument(QStringLiteral("stall.html"), stalling.toUtf8());
    window.show();
    QString captionDuringLoad;
    QString textDuringLoad;
    bool editableDuringLoad = true;
    QTimer::singleShot(300, &window, [&] {
        captionDuringLoad = button("exitButton")->text();
        textDuringLoad = window.editor().text();
        editableDuringLoad = !control<QPlainTextEdit>("documentEdit")->isReadOnly();
        button("exitButton")->click();
    });
    load(path);
    EXPECT_EQ(captionDuringLoad, QStringLiteral("中止(&X)"));
    EXPECT_EQ(textDuringLoad, stalling);
    EXPECT_FALSE(editableDuringLoad);
    EXPECT_EQ(messages(), QStringList{Stopped});
    EXPECT_TRUE(window.document().docLoaded);
    EXPECT_EQ(window.document().docPath, path);
    EXPECT_FALSE(window.isTextChanged());
    EXPECT_EQ(shownResults(), (QList<LinkResult>{LinkResult::Unchecked, LinkResult::NgPage}));
    EXPECT_FALSE(window.linkSpans().at(0).link.decided);
    expectUnlocked();

    prompter.asked.clear();
    QTimer::singleShot(300, &window, [&] { window.close(); });
    load(path);
    EXPECT_EQ(messages(), QStringList{Stopped});
    EXPECT_TRUE(window.isVisible());
    expectUnlocked();
}

// Stopped before a page by URL has arrived: the document on screen and the path box stay as they were.
TEST_F(LoadingByUrl, AStopBeforeThePageArrivesKeepsThePreviousDocument)
{
    const QString first = writeDocument(QStringLiteral("first.html"), "<html>first");
    load(first);
    prompter.fileNames = {servers->url(QStringLiteral("127.0.0.1"), QStringLiteral("/stall/page.html"))};
    QTimer::singleShot(300, &window, [&] { button("exitButton")->click(); });
    window.findChild<QAction*>(QStringLiteral("openAction"))->trigger();
    waitUntilIdle();
    EXPECT_EQ(messages(), QStringList{Stopped});
    EXPECT_EQ(window.editor().text(), QStringLiteral("<html>first"));
    EXPECT_EQ(window.document().docPath, first);
    EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), first);
    expectUnlocked();
}

} // namespace

namespace {

using Saving = WindowFixture;

TEST_F(Saving, WriteButtonKeepsABackupAndHistorySurvivesARestart)
{
    const QString path = writeDocument(QStringLiteral("page.html"), "<html>old");
    load(path);
    QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral(" new"));
    button("writeButton")->click();
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("<html>old new"));
    QFile backup(folder.filePath(QStringLiteral("page.001")));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), QByteArray("<html>old"));
    EXPECT_FALSE(window.isTextChanged());

    // A second run of the program reads the history from the same INI file.
    ScriptedPrompter otherPrompter;
    MainWindow restarted(otherPrompter, folder.filePath(QStringLiteral("tarnwick.INI")));
    auto* history = restarted.findChild<QComboBox*>(QStringLiteral("historyCombo"));
    ASSERT_EQ(history->count(), 1);
    EXPECT_EQ(history->itemText(0), QStringLiteral("page.html"));
}

TEST_F(Saving, ClosingWithEditsAsksAndCancelKeepsTheWindow)
{
    load(writeDocument(QStringLiteral("close.html"), "<html>text"));
    QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
    cursor.insertText(QStringLiteral("x"));
    window.show();
    prompter.answers = {Prompter::Answer::Cancel};
    window.close();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(prompter.asked.size(), 1);
    EXPECT_EQ(prompter.asked[0].buttons, Prompter::Buttons::YesNoCancel);
    prompter.answers = {Prompter::Answer::No};
    window.close();
    EXPECT_FALSE(window.isVisible());
}

} // namespace
