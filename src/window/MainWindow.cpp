#include "MainWindow.h"

#include "ActionButton.h"
#include "CheckSettingsFile.h"
#include "DroppedFiles.h"
#include "EditorSearch.h"
#include "EncodingMenu.h"
#include "FindBar.h"
#include "HistoryList.h"
#include "LinkKindChoice.h"
#include "LinkListModel.h"
#include "LinkListPanel.h"
#include "LinkStepper.h"
#include "PathBox.h"
#include "SitePanel.h"
#include "StartDocument.h"
#include "StatusStrip.h"
#include "TextEditBox.h"
#include "Twips.h"
#include "WindowProgress.h"
#include "WindowTexts.h"
#include "common/AppInfo.h"
#include "common/DocumentSource.h"
#include "common/PromptText.h"
#include "common/Prompter.h"
#include "common/SearchCopy.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/ColorLegendWindow.h"
#include "dialogs/ScreenPlacement.h"
#include "editor/LinkPainter.h"
#include "editor/LinkSpans.h"
#include "links/LinkCheckJob.h"
#include "links/PageAnchors.h"
#include "links/ReasonText.h"
#include "links/RepairSuggestions.h"
#include "links/SingleLink.h"
#include "store/FileReplace.h"
#include "store/History.h"
#include "web/LoadJob.h"
#include "web/Site.h"
#include "web/WebCheck.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// The exit button's captions, idle and while an operation runs.
QString exitCaption()
{
    return QCoreApplication::translate("MainWindow", "E&xit");
}

QString stopCaption()
{
    return QCoreApplication::translate("MainWindow", "Stop (&X)");
}

// The inner area the window opens with, and the fixed heights of the layout, in twips.
constexpr int InitialWidth = 11805;
constexpr int InitialHeight = 7305;
constexpr int EditorTop = 2100;
constexpr int StripHeight = 375;

template <typename Widget> Widget* place(Widget* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

// Deletes a job once the event loop is back, so that no job is deleted inside one of its own signals.
template <typename Job> void dispose(QPointer<Job>& job)
{
    if (job)
        job->deleteLater();
    job.clear();
}

// The document's name in the title: its file's name, or for a page its URL's last part (the URL when that is empty).
QString titleName(const Document& document)
{
    if (document.docIsFile)
        return QFileInfo(document.docPath).fileName();
    const QString name = QUrl(document.docPath).fileName();
    return name.isEmpty() ? document.docPath : name;
}

} // namespace

MainWindow::MainWindow(Prompter& prompter, const QString& iniPath, const CheckSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter), m_settings(settings),
      m_web(std::make_unique<WebCheck>(settings.limits, settings.request))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(AppTitle);
    setAcceptDrops(true);
    createActions();
    createControls();
    createMenus();
    setTabOrder();

    m_editor = new TextEditBox(m_documentEdit);
    m_spans = new LinkSpans(*m_editor, this);
    m_painter = new LinkPainter(*m_spans, m_editor->document(), this);
    m_painter->setPalette(m_documentEdit->palette());
    // The links' colours follow the editor's palette, dark or light (eventFilter).
    m_documentEdit->installEventFilter(this);
    m_progress = std::make_unique<WindowProgress>(m_operationStatus, m_progressBar, m_statusStrip);
    m_documentWeb = std::make_unique<DocumentWebCheck>(*m_web, m_document.encoding);
    m_search = new EditorSearch(*m_editor, *m_findBar, m_prompter, m_settings, this);
    m_linkStepper = std::make_unique<LinkStepper>(*m_editor, *m_spans, m_prompter);
    connect(m_editor, &RichTextBox::selectionChanged, this, &MainWindow::onEditorSelectionChanged);
    connect(m_editor->document(), &QTextDocument::contentsChanged, this, &MainWindow::showDocumentTitle);
    createLinkList();
    createSitePanel();

    // A screen too small for the window at its scale (a high scale factor on a laptop) gets as much as fits, and the
    // layout keeps the status strip at the bottom of it.
    resize(sizeOnScreen(*this, QSize(twipsToPixels(InitialWidth, this),
                                     twipsToPixels(InitialHeight, this) + menuBar()->sizeHint().height())));
    loadHistory(iniPath);
    fillLinkKindList(*m_moveKindCombo, anyLinkLabel());
}

MainWindow::~MainWindow() = default;

RichTextBox& MainWindow::editor()
{
    return *m_editor;
}

void MainWindow::createActions()
{
    // One action per command, shared by its button, its menu item and its key.
    const auto action = [this](const QString& text, const char* name, const QKeySequence& keys, auto slot) {
        auto* created = new QAction(text, this);
        created->setObjectName(QString::fromLatin1(name));
        created->setShortcut(keys);
        connect(created, &QAction::triggered, this, slot);
        addAction(created);
        return created;
    };
    m_openAction = action(tr("&Open"), "openAction", Qt::CTRL | Qt::Key_O, &MainWindow::onBrowseTriggered);
    m_openFolderAction = action(tr("Open &folder..."), "openFolderAction", Qt::CTRL | Qt::SHIFT | Qt::Key_O,
                                &MainWindow::onOpenFolderTriggered);
    m_previousFailedPageAction = action(tr("Previous NG page"), "previousFailedPageAction",
                                        Qt::CTRL | Qt::SHIFT | Qt::Key_F3, [this] { onFailedPageTriggered(false); });
    m_nextFailedPageAction = action(tr("Next NG page"), "nextFailedPageAction", Qt::CTRL | Qt::Key_F3,
                                    [this] { onFailedPageTriggered(true); });
    m_loadAction = action(tr("L&oad"), "loadAction", {}, &MainWindow::onLoadTriggered);
    m_writeAction = action(tr("&Write"), "writeAction", Qt::CTRL | Qt::Key_S, &MainWindow::onWriteTriggered);
    m_writeAsAction =
        action(tr("Write &as..."), "writeAsAction", Qt::CTRL | Qt::SHIFT | Qt::Key_S, &MainWindow::onWriteAsTriggered);
    m_previousLinkAction =
        action(QStringLiteral("▲"), "previousLinkAction", Qt::SHIFT | Qt::Key_F3, [this] { moveToLink(false); });
    m_nextLinkAction = action(QStringLiteral("▼"), "nextLinkAction", Qt::Key_F3, [this] { moveToLink(true); });
    m_checkOneLinkAction = action(tr("Check one (I)"), "checkOneLinkAction", {}, &MainWindow::onCheckOneLinkTriggered);
    m_checkAllLinksAction =
        action(tr("Check &all again"), "checkAllLinksAction", Qt::Key_F5, &MainWindow::onCheckAllLinksTriggered);
    // Not F3 for the next match, as elsewhere: F3 steps through the links. In the find bar Enter finds the next one.
    m_findAction = action(tr("&Find..."), "findAction", Qt::CTRL | Qt::Key_F, [this] { m_search->openBar(false); });
    m_replaceAction =
        action(tr("&Replace..."), "replaceAction", Qt::CTRL | Qt::Key_H, [this] { m_search->openBar(true); });
    m_findNextAction = action(tr("Find &next"), "findNextAction", {}, [this] { m_search->find(true); });
    m_findPreviousAction = action(tr("Find &previous"), "findPreviousAction", {}, [this] { m_search->find(false); });
    m_replaceOneAction = action(tr("Replace"), "replaceOneAction", {}, [this] { m_search->replaceOne(); });
    m_replaceAllAction = action(tr("Replace all"), "replaceAllAction", {}, [this] { m_search->replaceAll(); });
    m_goToLineAction =
        action(tr("&Go to line..."), "goToLineAction", Qt::CTRL | Qt::Key_G, [this] { m_search->goToLine(); });
    m_suggestAction = action(tr("&Suggestions for this link..."), "suggestAction", Qt::CTRL | Qt::Key_K,
                             &MainWindow::onSuggestionsTriggered);
    m_updateRedirectsAction = action(tr("Update all &permanent redirects"), "updateRedirectsAction", {},
                                     &MainWindow::onUpdateRedirectsTriggered);
    // While an operation runs, the close turns into a stop (closeEvent).
    m_exitAction = action(exitCaption(), "exitAction", Qt::CTRL | Qt::Key_Q, [this] { close(); });
}

void MainWindow::createControls()
{
    auto* area = new QWidget(this);
    setCentralWidget(area);
    const auto at = [this](int left, int top, int width, int height) {
        return twipsRect(left, top, width, height, this);
    };

    m_pathLabel = place(new QLabel(tr("F&ile"), area), "pathLabel", at(120, 120, 1095, 255));
    m_pathEdit = place(new PathBox(area), "pathEdit", at(1440, 120, 5055, 1095));
    m_pathLabel->setBuddy(m_pathEdit);
    m_historyLabel = place(new QLabel(tr("Histor&y"), area), "historyLabel", at(120, 1300, 1095, 255));
    m_historyCombo = place(new QComboBox(area), "historyCombo", at(1440, 1260, 5055, 345));
    m_historyLabel->setBuddy(m_historyCombo);
    m_browseButton = place(new QPushButton(tr("B&rowse"), area), "browseButton", at(6660, 120, 1395, 315));
    m_loadButton = place(new QPushButton(tr("L&oad"), area), "loadButton", at(6660, 510, 1395, 315));
    m_writeButton = place(new QPushButton(tr("&Write"), area), "writeButton", at(6660, 900, 1395, 315));
    m_backupCheckBox = place(new QCheckBox(tr("Make a &backup file when writing."), area), "backupCheckBox",
                             at(6660, 1320, 5115, 255));
    m_backupCheckBox->setChecked(true);
    m_moveKindLabel = place(new QLabel(tr("&Move to"), area), "moveKindLabel", at(120, 1725, 1215, 255));
    m_moveKindCombo = place(new QComboBox(area), "moveKindCombo", at(1440, 1680, 1995, 345));
    m_moveKindLabel->setBuddy(m_moveKindCombo);
    m_previousLinkButton =
        place(new QPushButton(QStringLiteral("▲"), area), "previousLinkButton", at(3480, 1680, 495, 345));
    m_nextLinkButton = place(new QPushButton(QStringLiteral("▼"), area), "nextLinkButton", at(4080, 1680, 495, 345));
    m_checkOneLinkButton =
        place(new QPushButton(tr("Check one (I)"), area), "checkOneLinkButton", at(6660, 1680, 1395, 345));
    m_checkAllLinksButton =
        place(new QPushButton(tr("Check &all again"), area), "checkAllLinksButton", at(8160, 1680, 1395, 345));
    m_exitButton = place(new QPushButton(exitCaption(), area), "exitButton", at(8160, 120, 1395, 315));

    m_editorArea = place(new QWidget(area), "editorArea", at(0, EditorTop, 9075, 4275));
    m_documentEdit = place(new QPlainTextEdit(m_editorArea), "documentEdit", QRect(QPoint(0, 0), m_editorArea->size()));
    m_documentEdit->setFont(QFont(QStringLiteral("IPAGothic")));
    m_documentEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_findBar = new FindBar({m_findPreviousAction, m_findNextAction, m_replaceOneAction, m_replaceAllAction});
    // The editor takes the area but for the find bar below it, when the bar is shown.
    auto* editorLayout = new QVBoxLayout(m_editorArea);
    editorLayout->setContentsMargins(0, 0, 0, 0);
    editorLayout->setSpacing(0);
    editorLayout->addWidget(m_documentEdit);
    editorLayout->addWidget(m_findBar);
    // Back to the text, not to whichever control follows the bar.
    connect(m_findBar, &FindBar::closed, m_documentEdit, qOverload<>(&QWidget::setFocus));

    m_statusStrip = place(new StatusStrip(area), "statusStrip", at(0, 6900, 9855, StripHeight));
    m_progressBar = place(new QProgressBar(m_statusStrip), "progressBar", at(0, 30, 2475, 315));
    m_progressBar->setFormat(QStringLiteral("%v / %m")); // links decided / all links
    m_progressBar->hide();
    m_statusSentence = place(new QLabel(m_statusStrip), "statusSentence", at(30, 30, 5535, 315));
    // Why the link at the caret has its colour, beside the sentence that names the colour.
    m_linkReason = place(new QLabel(m_statusStrip), "linkReason", at(5600, 30, 2800, 315));
    m_documentEdit->viewport()->installEventFilter(this);
    m_documentEdit->installEventFilter(this);
    m_operationStatus = place(new QLabel(m_statusStrip), "operationStatus", at(2535, 30, 2235, 315));
    // The area shrinks and grows with the window and with the link list docked beside it.
    area->installEventFilter(this);

    connect(m_exitButton, &QPushButton::clicked, this, &QWidget::close);
    bindButton(m_browseButton, m_openAction);
    bindButton(m_loadButton, m_loadAction);
    bindButton(m_writeButton, m_writeAction);
    bindButton(m_previousLinkButton, m_previousLinkAction);
    bindButton(m_nextLinkButton, m_nextLinkAction);
    bindButton(m_checkOneLinkButton, m_checkOneLinkAction);
    bindButton(m_checkAllLinksButton, m_checkAllLinksAction);
    connect(m_pathEdit, &PathBox::filesDropped, this, &MainWindow::onFilesDropped, Qt::QueuedConnection);
}

void MainWindow::createMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    fileMenu->addAction(m_openAction);
    fileMenu->addAction(m_openFolderAction);
    fileMenu->addAction(m_writeAsAction);
    fileMenu->addSeparator();
    fileMenu->addAction(m_previousFailedPageAction);
    fileMenu->addAction(m_nextFailedPageAction);
    fileMenu->addSeparator();
    fileMenu->addAction(m_exitAction);

    m_encodingMenu = new EncodingMenu(m_document, menuBar(), m_statusStrip, this);
    connect(m_encodingMenu, &EncodingMenu::encodingChosen, this, &MainWindow::reopenInEncoding);

    QMenu* searchMenu = menuBar()->addMenu(tr("&Search"));
    searchMenu->setObjectName(QStringLiteral("searchMenu"));
    searchMenu->addActions({m_findAction, m_findNextAction, m_findPreviousAction, m_replaceAction});
    searchMenu->addSeparator();
    searchMenu->addAction(m_goToLineAction);

    QMenu* linkMenu = menuBar()->addMenu(tr("Lin&k"));
    linkMenu->setObjectName(QStringLiteral("linkMenu"));
    linkMenu->addActions({m_suggestAction, m_updateRedirectsAction});

    m_viewMenu = menuBar()->addMenu(tr("&View"));
    m_viewMenu->setObjectName(QStringLiteral("viewMenu"));
    QAction* resources = m_viewMenu->addAction(tr("Check images, stylesheets and scripts too"));
    resources->setObjectName(QStringLiteral("resourcesAction"));
    resources->setCheckable(true);
    resources->setChecked(m_settings.resources);
    connect(resources, &QAction::toggled, this, &MainWindow::onResourcesToggled);

    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    m_colorLegendAction = helpMenu->addAction(tr("Link &colours"), this, &MainWindow::onColorLegendTriggered);
    m_colorLegendAction->setObjectName(QStringLiteral("colorLegendAction"));
    helpMenu->addSeparator();
    m_aboutAction = helpMenu->addAction(tr("&About"), this, &MainWindow::onAboutTriggered);
    m_aboutAction->setObjectName(QStringLiteral("aboutAction"));
}

void MainWindow::onResourcesToggled(bool on)
{
    // Kept for the next check and the next start of the program.
    m_settings.resources = on;
    const QString iniPath = m_history->iniPath();
    const WriteResult result = writeResourcesSetting(iniPath, on);
    if (!result.ok())
        m_prompter.ask({PromptId::WriteFailed, {iniPath, result.systemError}, result.failure});
}

void MainWindow::createLinkList()
{
    m_linkListModel = new LinkListModel(*m_spans, this);
    m_linkListPanel = new LinkListPanel(*m_linkListModel, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_linkListPanel);
    m_linkListPanel->hide();
    QAction* toggle = m_linkListPanel->toggleViewAction();
    toggle->setObjectName(QStringLiteral("linkListAction"));
    toggle->setText(tr("&Link list"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_viewMenu->addAction(toggle);
    connect(m_linkListPanel, &LinkListPanel::tagChosen, this, &MainWindow::onLinkListTagChosen);
    connect(m_linkListPanel, &LinkListPanel::saveCsvRequested, this, &MainWindow::onSaveLinkListRequested);
    connect(m_linkListPanel, &LinkListPanel::suggestionChosen, this, &MainWindow::applySuggestion);
    connect(m_editor->document(), &QTextDocument::contentsChanged, m_linkListPanel, &LinkListPanel::refreshShownRows);
}

void MainWindow::onLinkListTagChosen(int textOffset)
{
    // As a move does: only the tag's "<" selected, scrolled into view, and described on the strip.
    m_editor->setSelection(textOffset, 1);
}

void MainWindow::onSaveLinkListRequested()
{
    saveCsv(m_linkListPanel->csvText());
}

void MainWindow::saveCsv(const QString& csv)
{
    const QString path = trimBlanks(m_prompter.chooseFile(FileDialogKind::SaveLinkList));
    if (path.isEmpty())
        return;
    // With a byte-order mark, so that spreadsheet programs read it as UTF-8.
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + csv.toUtf8();
    const WriteResult result = writeDocumentFile(path, bytes, false);
    if (!result.ok())
        m_prompter.ask({PromptId::WriteFailed, {path, result.systemError}, result.failure});
}

void MainWindow::setTabOrder()
{
    QWidget* const order[] = {m_pathEdit,       m_historyCombo,       m_browseButton,        m_loadButton,
                              m_writeButton,    m_backupCheckBox,     m_moveKindCombo,       m_previousLinkButton,
                              m_nextLinkButton, m_checkOneLinkButton, m_checkAllLinksButton, m_documentEdit,
                              m_exitButton};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void MainWindow::loadHistory(const QString& iniPath)
{
    m_history = std::make_unique<History>(iniPath);
    m_history->readHistoryData();
    auto* historyList = new HistoryList(
        *m_history, m_historyCombo, m_run, [this] { return confirmDiscardEdits(); },
        [this](const QString& path) { startLoad(path); }, this);
    historyList->fill();
    m_writer = std::make_unique<DocumentWriter>(
        m_document, m_run, [this] { return m_editor->text(); }, m_prompter,
        [this](const QString& path) { m_history->setHistoryData(path); });
}

void MainWindow::layoutControls()
{
    const QSize inner = centralWidget()->size();
    m_statusStrip->setGeometry(0, inner.height() - m_statusStrip->height(), inner.width(), m_statusStrip->height());
    // A window too small for the editor leaves the editor its last positive height.
    const int editorHeight = inner.height() - m_editorArea->y() - m_statusStrip->height();
    m_editorArea->setGeometry(0, m_editorArea->y(), inner.width(),
                              editorHeight > 0 ? editorHeight : m_editorArea->height());
    // The reason takes the strip up to the encoding shown at its right end.
    constexpr int EncodingRoomTwips = 1800;
    m_linkReason->resize(std::max(0, inner.width() - m_linkReason->x() - twipsToPixels(EncodingRoomTwips, this)),
                         m_linkReason->height());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_run.isBusy) {
        // A close request while something runs stops it; the window stays.
        stopOperation();
        event->ignore();
        return;
    }
    if (!m_writer->maybeSaveBeforeClose(m_backupCheckBox->isChecked())) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::onWriteTriggered()
{
    const bool backup = m_backupCheckBox->isChecked();
    const QString typed = trimBlanks(m_pathEdit->toPlainText());
    // A name typed over the document's may be where the user means the text to go; a URL is nowhere to write.
    const bool otherName = m_document.docLoaded && !typed.isEmpty() && !isUrlPath(typed) &&
                           QFileInfo(typed) != QFileInfo(m_document.docPath);
    if (!otherName) {
        showWritten(m_writer->writeHtmlData(backup));
        return;
    }
    switch (m_prompter.ask({PromptId::WriteToPathBoxName, {typed, m_document.docPath}})) {
    case Prompter::Answer::Yes:
        showWritten(m_writer->writeHtmlDataAs(typed, backup));
        break;
    case Prompter::Answer::No:
        showWritten(m_writer->writeHtmlData(backup));
        break;
    default:
        break;
    }
}

void MainWindow::onWriteAsTriggered()
{
    showWritten(m_writer->writeHtmlDataAs(QString(), m_backupCheckBox->isChecked()));
}

void MainWindow::showWritten(DocumentWriter::Outcome outcome)
{
    switch (outcome) {
    case DocumentWriter::Outcome::WrittenAsFile:
        m_pathEdit->setPlainText(m_document.docPath);
        [[fallthrough]];
    case DocumentWriter::Outcome::Written:
        updateSitePage();
        break;
    case DocumentWriter::Outcome::ReloadWanted:
        startLoad(m_document.docPath);
        break;
    default:
        break;
    }
    showDocumentTitle();
}

void MainWindow::showDocumentTitle()
{
    if (!m_document.docLoaded) {
        setWindowTitle(AppTitle);
        return;
    }
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(titleName(m_document), AppTitle));
    setWindowModified(isTextChanged());
}

bool MainWindow::event(QEvent* event)
{
    // As editors do, a change made by another program while the window was away is noticed on return;
    // asked once the activation is through.
    if (event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &MainWindow::checkDocumentOnDisk);
    if (takeFileDrop(event))
        return true;
    return QMainWindow::event(event);
}

void MainWindow::checkDocumentOnDisk()
{
    if (m_run.isBusy || !m_document.docIsFile || !m_document.diskStamp)
        return;
    const std::optional<FileStamp> now = fileStampOf(m_document.docPath);
    // Each change is asked about once; a file that is gone is left to the next write.
    if (!now || *now == *m_document.diskStamp || now == m_noticedStamp)
        return;
    m_noticedStamp = now;
    if (m_prompter.ask({PromptId::ChangedOnDiskReload, {m_document.docPath}}) == Prompter::Answer::Yes)
        startLoad(m_document.docPath);
}

void MainWindow::onLoadTriggered()
{
    if (confirmDiscardEdits())
        startLoad(m_pathEdit->toPlainText());
}

bool MainWindow::isTextChanged() const
{
    // The length first: it costs no copy of the text, and most edits change it.
    return m_editor->textLength() != m_document.htmlData.size() || m_editor->text() != m_document.htmlData;
}

bool MainWindow::confirmDiscardEdits()
{
    return !isTextChanged() || m_prompter.ask({PromptId::DiscardEdits}) == Prompter::Answer::Yes;
}

void MainWindow::onBrowseTriggered()
{
    const QString chosen = trimBlanks(m_prompter.chooseFile(FileDialogKind::OpenDocument));
    if (chosen.isEmpty() || !confirmDiscardEdits())
        return;
    startLoad(chosen);
}

bool MainWindow::takeFileDrop(QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = droppedLocalPaths(drop->mimeData());
    // While an operation runs nothing can be opened: the drag is refused, as the open commands are disabled.
    if (paths.isEmpty() || m_run.isBusy)
        return false;
    drop->acceptProposedAction();
    // Opened once the drop is over: the question about unsaved edits must not hold up the program dragged from.
    if (type == QEvent::Drop)
        QTimer::singleShot(0, this, [this, paths] { onFilesDropped(paths); });
    return true;
}

void MainWindow::onFilesDropped(const QStringList& paths)
{
    if (m_run.isBusy || paths.isEmpty() || trimBlanks(paths.first()).isEmpty())
        return;
    if (QFileInfo(paths.first()).isDir())
        openSite(paths.first());
    else if (confirmDiscardEdits())
        startLoad(paths.first());
}

void MainWindow::openAtStart(const QString& argument)
{
    const QString path = startDocumentPath(argument);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).isDir())
        openSite(path);
    else
        startLoad(path);
}

void MainWindow::reopenInEncoding(const QString& encoding)
{
    if (m_run.isBusy || !m_document.docLoaded || !confirmDiscardEdits())
        return;
    startLoad(m_document.docPath, encoding);
}

void MainWindow::setCommandsEnabled(bool enabled)
{
    for (QAction* action :
         {m_openAction, m_openFolderAction, m_previousFailedPageAction, m_nextFailedPageAction, m_loadAction,
          m_writeAction, m_writeAsAction, m_previousLinkAction, m_nextLinkAction, m_checkOneLinkAction,
          m_checkAllLinksAction, m_replaceOneAction, m_replaceAllAction, m_suggestAction, m_updateRedirectsAction})
        action->setEnabled(enabled);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_backupCheckBox, m_historyCombo, m_moveKindCombo, m_pathEdit})
        control->setEnabled(enabled);
    m_encodingMenu->refresh(enabled);
}

void MainWindow::beginOperation()
{
    m_run.isBusy = true;
    m_exitButton->setText(stopCaption());
    setCommandsEnabled(false);
    // The text can be read, scrolled and selected meanwhile, not changed.
    m_documentEdit->setReadOnly(true);
}

void MainWindow::endOperation()
{
    m_documentEdit->setReadOnly(false);
    m_exitButton->setText(exitCaption());
    setCommandsEnabled(true);
    setCaretStatusVisible(true);
    m_operationStatus->clear();
    m_progress->showCurrentLink(QString());
    m_progressBar->hide();
    m_run.isBusy = false;
    selectDataKindPrint();
    emit operationEnded();
}

void MainWindow::startLoad(const QString& path, const QString& encoding)
{
    if (m_run.isBusy)
        return;
    beginOperation();
    showLoadingStatus();
    m_loadJob = new LoadJob(*m_web, DocumentSource::fromPathBox(path),
                            encoding.isEmpty() ? m_settings.encoding : encoding, this);
    connect(m_loadJob, &LoadJob::finished, this, &MainWindow::onLoadFinished);
    m_loadJob->start();
}

void MainWindow::onLoadFinished()
{
    const LoadJob& load = *m_loadJob;
    const auto disposeLoad = qScopeGuard([this] { dispose(m_loadJob); });
    if (!load.text()) {
        endOperation();
        m_prompter.ask({PromptId::ReadFailed, {reasonText(load.failure())}});
        return;
    }
    if (!load.source().isUrl && !checkHtmlTag(load.text()->text) &&
        m_prompter.ask({PromptId::NoHtmlTag}) != Prompter::Answer::Yes) {
        endOperation();
        return;
    }
    takeLoadedDocument(load);
    m_checkIsPartOfLoad = true;
    startCheck(new LinkCheckJob(m_document.htmlData, newCheckContext(), *m_documentWeb, this));
    if (m_document.readLoss.any())
        m_prompter.ask(readLossPrompt(PromptId::UnreadBytes, m_document.encoding, m_document.readLoss));
}

CheckContext MainWindow::newCheckContext()
{
    // A site's page shares the site's reading of the pages and starts root-relative links from its folder.
    if (currentSitePage() >= 0) {
        CheckSettings settings = m_settings;
        settings.siteRoot = m_site->folder();
        return checkContextOf(m_document, settings, &m_site->pageAnchors());
    }
    // Each check reads the pages its file links lead into afresh, so that edits made to them meanwhile count.
    m_pageAnchors = std::make_unique<PageAnchors>(m_settings.encoding);
    return checkContextOf(m_document, m_settings, m_pageAnchors.get());
}

void MainWindow::takeLoadedDocument(const LoadJob& load)
{
    m_spans->clear();
    m_document = load.document();
    m_documentWeb = std::make_unique<DocumentWebCheck>(*m_web, m_document.encoding, load.notFoundCache());
    m_editor->setText(m_document.htmlData);
    m_pathEdit->setPlainText(m_document.docPath);
    if (m_document.docIsFile)
        m_history->setHistoryData(m_document.docPath);
    m_encodingMenu->refresh(false);
    showDocumentTitle();
}

void MainWindow::startCheck(LinkCheckJob* check)
{
    m_checkJob = check;
    // The repairs of this check: the list lets go of the last check's first.
    m_linkListModel->setSuggestions(nullptr);
    m_suggestions = std::make_unique<RepairSuggestions>(check->table().text, check->context(), m_settings.encoding);
    m_linkListModel->setSuggestions(m_suggestions.get());
    connect(check, &LinkCheckJob::phaseChanged, this, [this](CheckPhase phase) { m_progress->setPhase(phase); });
    m_spansFollowCheck = false;
    connect(check, &LinkCheckJob::linksFound, this, [this] {
        m_spans->reset(m_checkJob->table());
        m_spansFollowCheck = true;
    });
    connect(check, &LinkCheckJob::linksDecided, this,
            [this](const QList<int>& indices) { m_spans->update(m_checkJob->table(), indices); });
    connect(check, &LinkCheckJob::progressChanged, this, [this](int value, int maximum) {
        m_progress->setProgressRange(0, maximum);
        m_progress->setProgressValue(value);
    });
    connect(check, &LinkCheckJob::waitingFor, this,
            [this](const QString& value) { m_progress->showCurrentLink(value); });
    connect(check, &LinkCheckJob::finished, this, &MainWindow::onCheckFinished);
    m_progress->setProgressVisible(true);
    check->start();
}

void MainWindow::onCheckFinished()
{
    dispose(m_checkJob);
    updateSitePage();
    endOperation();
    showLinkCounts();
}

void MainWindow::showLinkCounts()
{
    const LinkKindChoice failed{LinkKindChoice::Scope::FailedLinks};
    int failedCount = 0;
    for (int span = 0; span < m_spans->count(); ++span) {
        const LinkEntry& link = m_spans->at(span).link;
        failedCount += link.decided && failed.accepts(classOf(link.result));
    }
    m_statusSentence->setText(linkCountsText(failedCount, m_spans->count()));
    m_linkReason->clear();
    m_linkReason->setToolTip(QString());
}

void MainWindow::stopOperation()
{
    if (m_site && m_site->isRunning()) {
        // The pages decided keep their rows.
        m_site->stopRun();
        endOperation();
        return;
    }
    if (m_loadJob) {
        // The text has not arrived: the document on screen stays the one it was.
        m_loadJob->cancel();
        dispose(m_loadJob);
        endOperation();
        m_prompter.ask({PromptId::LoadStopped});
        return;
    }
    if (!m_checkJob)
        return;
    m_checkJob->cancel();
    // What was decided and not yet shown is shown; the rest stays unpainted and undecided.
    if (m_spansFollowCheck) {
        QList<int> decided;
        for (int index = 0; index < m_checkJob->table().count(); ++index) {
            if (m_checkJob->table().entries[size_t(index)].decided)
                decided.append(index);
        }
        m_spans->update(m_checkJob->table(), decided);
    }
    m_spansFollowCheck = false;
    m_singleCheckStart = -1;
    dispose(m_checkJob);
    const bool wasLoad = m_checkIsPartOfLoad;
    endOperation();
    if (wasLoad)
        m_prompter.ask({PromptId::LoadStopped});
}

void MainWindow::showLoadingStatus()
{
    m_statusSentence->clear();
    m_linkReason->clear();
    setCaretStatusVisible(false);
    m_operationStatus->setText(tr("Loading..."));
    m_progressBar->setValue(0);
}

void MainWindow::moveToLink(bool forward)
{
    m_linkStepper->step(linkKindChoiceAt(m_moveKindCombo->currentIndex()), forward);
}

void MainWindow::onEditorSelectionChanged()
{
    if (!m_run.isBusy)
        selectDataKindPrint();
}

void MainWindow::selectDataKindPrint()
{
    // The span under the selection: under its first character, or for a caret the character before it. A
    // selection that reaches beyond that span holds several kinds of text: the sentence stays as it was.
    const int start = m_editor->selStart();
    const int length = m_editor->selLength();
    const std::optional<int> span = m_spans->spanAt(length > 0 ? start : start - 1);
    if (length > 0) {
        const int end = start + length;
        const bool withinSpan = span && end <= m_spans->offsetOf(*span) + int(m_spans->at(*span).tagText.size());
        const auto [first, last] =
            m_spans->spansOverlapping(m_editor->toDocumentPosition(start), m_editor->toDocumentPosition(end));
        if (!withinSpan && first != last)
            return;
    }
    const LinkEntry* link = span ? &m_spans->at(*span).link : nullptr;
    const std::optional<LinkClass> linkClass = link && link->decided ? classOf(link->result) : std::nullopt;
    m_statusSentence->setText(linkClass ? linkClassSentence(*linkClass) : QString());
    m_linkReason->setText(linkClass ? linkReasonOfSelection() : QString());
    m_linkReason->setToolTip(m_linkReason->text());
}

void MainWindow::setCaretStatusVisible(bool visible)
{
    m_statusSentence->setVisible(visible);
    m_linkReason->setVisible(visible);
}

QString MainWindow::linkReasonAt(int offset) const
{
    const std::optional<int> span = offset < 0 ? std::nullopt : m_spans->spanAt(offset);
    if (!span || !m_spans->at(*span).link.decided)
        return QString();
    const LinkEntry& link = m_spans->at(*span).link;
    return reasonText(describeReason(link.result, link.reason));
}

QString MainWindow::linkReasonOfSelection() const
{
    const int start = m_editor->selStart();
    return linkReasonAt(m_editor->selLength() > 0 ? start : start - 1);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        layoutControls();
    if (watched == m_documentEdit && event->type() == QEvent::PaletteChange)
        m_painter->setPalette(m_documentEdit->palette());
    // Files dropped on the editor are opened, not written into the text as addresses; text is inserted.
    if ((watched == m_documentEdit || watched == m_documentEdit->viewport()) && takeFileDrop(event))
        return true;
    if (watched == m_documentEdit->viewport() && event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        return showLinkReasonTip(help->pos(), help->globalPos());
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::showLinkReasonTip(const QPoint& viewportPosition, const QPoint& globalPosition)
{
    // The character under the pointer: the one the cursor position nearest to it stands before.
    const QTextCursor cursor = m_documentEdit->cursorForPosition(viewportPosition);
    const QString reason = linkReasonAt(m_editor->toTextOffset(cursor.position()));
    if (reason.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(globalPosition, reason, m_documentEdit->viewport());
    return true;
}

void MainWindow::onCheckOneLinkTriggered()
{
    const QString text = m_editor->text();
    const std::optional<LinkEntry> link =
        linkAtSelection(text, m_editor->selStart(), m_editor->selLength(), m_settings.resources);
    if (!link)
        return;
    m_editor->setSelection(link->shownStart() - 1, 1);
    if (link->decided) {
        // A tag without HREF: shown as a link no check could classify.
        m_spans->updateTag(link->shownStart() - 1, text.mid(link->shownStart() - 1, link->shownLength()), *link);
        selectDataKindPrint();
        return;
    }
    beginOperation();
    // Set once the window is locked: no selection change describes the caret again until the check ends.
    setCaretStatusVisible(true);
    m_statusSentence->setText(tr("Checking the link"));
    m_linkReason->clear();
    m_singleCheckStart = link->shownStart() - 1;
    m_checkIsPartOfLoad = false;
    m_checkJob = new LinkCheckJob(text, *link, newCheckContext(), *m_documentWeb, this);
    connect(m_checkJob, &LinkCheckJob::finished, this, &MainWindow::onSingleCheckFinished);
    m_checkJob->start();
}

void MainWindow::onSingleCheckFinished()
{
    const LinkTable& table = m_checkJob->table();
    const LinkEntry& link = table.entries.front();
    m_spans->updateTag(m_singleCheckStart, table.text.mid(link.shownStart() - 1, link.shownLength()), link);
    // The editor was read-only meanwhile: the link still stands where it did. Its first character is
    // selected, as a move between links leaves it, whatever the caret did meanwhile.
    m_editor->setSelection(m_singleCheckStart, 1);
    m_singleCheckStart = -1;
    dispose(m_checkJob);
    endOperation();
}

void MainWindow::onCheckAllLinksTriggered()
{
    // A site's page asks the web again, and what it learns serves the site's other pages.
    if (const int page = currentSitePage(); page >= 0)
        m_site->forgetAnswersOf(page);
    beginOperation();
    showLoadingStatus();
    m_checkIsPartOfLoad = false;
    startCheck(new LinkCheckJob(m_editor->text(), newCheckContext(), *m_documentWeb, this));
}

void MainWindow::onColorLegendTriggered()
{
    QList<ColorLegendWindow::Line> lines;
    for (const LinkClass linkClass : AllLinkClasses)
        lines.append({linkClassSentence(linkClass), linkClassLabel(linkClass), colorOf(linkClass)});
    ColorLegendWindow::showFor(this, lines);
}

void MainWindow::onAboutTriggered()
{
    AboutDialog::showModal(this, m_prompter);
}
