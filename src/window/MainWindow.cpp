#include "MainWindow.h"

#include "EncodingMenu.h"
#include "HistoryList.h"
#include "JapaneseTexts.h"
#include "LinkListModel.h"
#include "LinkListPanel.h"
#include "PathBox.h"
#include "Shortcuts.h"
#include "StartDocument.h"
#include "StatusStrip.h"
#include "TextEditBox.h"
#include "Twips.h"
#include "WindowProgress.h"
#include "common/AppInfo.h"
#include "common/Prompter.h"
#include "common/SearchCopy.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/ColorLegendWindow.h"
#include "links/CurrentLinkCheck.h"
#include "store/ChangeDetection.h"
#include "store/FileReplace.h"
#include "store/History.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolTip>

namespace {

const QString ExitCaption = QStringLiteral("終了(&X)");
const QString StopCaption = QStringLiteral("中止(&X)");

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

} // namespace

// Locks the window for one long operation and always unlocks it: the controls that could start
// another operation are disabled, the exit button stops the operation, and the stop request is
// cleared at both ends. `flag` says what runs (a load or check run, or a move between links).
class MainWindow::OperationScope {
public:
    OperationScope(MainWindow& window, bool RunState::*flag) : m_window(window), m_flag(flag)
    {
        m_window.m_run.abort.clear();
        m_window.m_run.*m_flag = true;
        m_window.m_exitButton->setText(StopCaption);
        m_window.setCommandsEnabled(false);
    }
    ~OperationScope()
    {
        m_window.m_exitButton->setText(ExitCaption);
        m_window.setCommandsEnabled(true);
        m_window.setCaretStatusVisible(true);
        m_window.m_operationStatus->clear();
        m_window.m_progressBar->hide();
        m_window.m_run.*m_flag = false;
        m_window.m_run.abort.clear();
    }
    OperationScope(const OperationScope&) = delete;
    OperationScope& operator=(const OperationScope&) = delete;

private:
    MainWindow& m_window;
    bool RunState::*m_flag;
};

MainWindow::MainWindow(Prompter& prompter, const QString& iniPath, const EngineSettings& settings, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(AppTitle);
    createControls();
    createMenus();
    createShortcuts();
    setTabOrder();

    m_editor = new TextEditBox(m_documentEdit);
    m_progress = std::make_unique<WindowProgress>(m_operationStatus, m_progressBar, m_statusStrip);
    m_engine = std::make_unique<Engine>(m_document, m_run, *m_editor, *m_progress, m_prompter, settings);
    connect(m_editor, &RichTextBox::selectionChanged, this, &MainWindow::onEditorSelectionChanged);
    createLinkList();

    resize(twipsToPixels(InitialWidth, this), twipsToPixels(InitialHeight, this) + menuBar()->sizeHint().height());
    loadHistory(iniPath);
    fillMoveKinds();
}

MainWindow::~MainWindow() = default;

RichTextBox& MainWindow::editor()
{
    return *m_editor;
}

const LinkTable& MainWindow::linkTable() const
{
    return m_engine->scanner().table();
}

void MainWindow::createControls()
{
    auto* area = new QWidget(this);
    setCentralWidget(area);
    const auto at = [this](int left, int top, int width, int height) {
        return twipsRect(left, top, width, height, this);
    };

    m_pathLabel = place(new QLabel(QStringLiteral("ファイル(&U)"), area), "pathLabel", at(120, 120, 1095, 255));
    m_pathEdit = place(new PathBox(area), "pathEdit", at(1440, 120, 5055, 1095));
    m_pathLabel->setBuddy(m_pathEdit);
    m_historyLabel = place(new QLabel(QStringLiteral("履歴(&C)"), area), "historyLabel", at(120, 1300, 1095, 255));
    m_historyCombo = place(new QComboBox(area), "historyCombo", at(1440, 1260, 5055, 345));
    m_historyLabel->setBuddy(m_historyCombo);
    m_browseButton = place(new QPushButton(QStringLiteral("参照(&R)"), area), "browseButton", at(6660, 120, 1395, 315));
    m_loadButton = place(new QPushButton(QStringLiteral("読込(&O)"), area), "loadButton", at(6660, 510, 1395, 315));
    m_writeButton = place(new QPushButton(QStringLiteral("書込(&W)"), area), "writeButton", at(6660, 900, 1395, 315));
    m_backupCheckBox = place(new QCheckBox(QStringLiteral("書き込み時にバックアップファイルを作成する。(&B)"), area),
                             "backupCheckBox", at(6660, 1320, 5115, 255));
    m_backupCheckBox->setChecked(true);
    m_moveKindLabel =
        place(new QLabel(QStringLiteral("移動種類(&M)"), area), "moveKindLabel", at(120, 1725, 1215, 255));
    m_moveKindCombo = place(new QComboBox(area), "moveKindCombo", at(1440, 1680, 1995, 345));
    m_moveKindLabel->setBuddy(m_moveKindCombo);
    m_previousLinkButton =
        place(new QPushButton(QStringLiteral("▲"), area), "previousLinkButton", at(3480, 1680, 495, 345));
    m_nextLinkButton = place(new QPushButton(QStringLiteral("▼"), area), "nextLinkButton", at(4080, 1680, 495, 345));
    m_checkOneLinkButton =
        place(new QPushButton(QStringLiteral("単一調査(I)"), area), "checkOneLinkButton", at(6660, 1680, 1395, 345));
    m_checkAllLinksButton =
        place(new QPushButton(QStringLiteral("全再調査(&A)"), area), "checkAllLinksButton", at(8160, 1680, 1395, 345));
    m_exitButton = place(new QPushButton(ExitCaption, area), "exitButton", at(8160, 120, 1395, 315));

    m_editorArea = place(new QWidget(area), "editorArea", at(0, EditorTop, 9075, 4275));
    m_documentEdit = place(new QPlainTextEdit(m_editorArea), "documentEdit", QRect(QPoint(0, 0), m_editorArea->size()));
    m_documentEdit->setFont(QFont(QStringLiteral("IPAGothic")));
    m_documentEdit->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_statusStrip = place(new StatusStrip(area), "statusStrip", at(0, 6900, 9855, StripHeight));
    m_progressBar = place(new QProgressBar(m_statusStrip), "progressBar", at(0, 30, 2475, 315));
    m_progressBar->setFormat(QStringLiteral("%v / %m")); // links decided / all links
    m_progressBar->hide();
    m_statusSentence = place(new QLabel(m_statusStrip), "statusSentence", at(30, 30, 5535, 315));
    // Why the link at the caret has its colour, beside the sentence that names the colour.
    m_linkReason = place(new QLabel(m_statusStrip), "linkReason", at(5600, 30, 2800, 315));
    m_documentEdit->viewport()->installEventFilter(this);
    m_operationStatus = place(new QLabel(m_statusStrip), "operationStatus", at(2535, 30, 2235, 315));
    // The area shrinks and grows with the window and with the link list docked beside it.
    area->installEventFilter(this);

    // The exit button closes the window; while an operation runs, the close turns into a stop request.
    connect(m_exitButton, &QPushButton::clicked, this, &QWidget::close);
    connect(m_writeButton, &QPushButton::clicked, this, &MainWindow::onWriteClicked);
    connect(m_loadButton, &QPushButton::clicked, this, &MainWindow::onLoadClicked);
    connect(m_browseButton, &QPushButton::clicked, this, &MainWindow::onBrowseClicked);
    connect(m_pathEdit, &PathBox::filesDropped, this, &MainWindow::onFilesDropped);
    connect(m_previousLinkButton, &QPushButton::clicked, this, &MainWindow::onPreviousLinkClicked);
    connect(m_nextLinkButton, &QPushButton::clicked, this, &MainWindow::onNextLinkClicked);
    connect(m_checkOneLinkButton, &QPushButton::clicked, this, &MainWindow::onCheckOneLinkClicked);
    connect(m_checkAllLinksButton, &QPushButton::clicked, this, &MainWindow::onCheckAllLinksClicked);
}

void MainWindow::createMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu->setObjectName(QStringLiteral("fileMenu"));
    // The same command as the browse button.
    m_openAction = fileMenu->addAction(QStringLiteral("開く(&O)"), this, &MainWindow::onBrowseClicked);
    m_openAction->setObjectName(QStringLiteral("openAction"));
    fileMenu->addSeparator();
    m_exitAction = fileMenu->addAction(ExitCaption, this, &QWidget::close);
    m_exitAction->setObjectName(QStringLiteral("exitAction"));

    m_encodingMenu = new EncodingMenu(m_document, menuBar(), m_statusStrip, this);
    connect(m_encodingMenu, &EncodingMenu::encodingChosen, this, &MainWindow::reopenInEncoding);

    m_viewMenu = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    m_viewMenu->setObjectName(QStringLiteral("viewMenu"));

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    helpMenu->setObjectName(QStringLiteral("helpMenu"));
    m_colorLegendAction =
        helpMenu->addAction(QStringLiteral("リンク文字列の色(&C)"), this, &MainWindow::onColorLegendTriggered);
    m_colorLegendAction->setObjectName(QStringLiteral("colorLegendAction"));
    helpMenu->addSeparator();
    m_aboutAction = helpMenu->addAction(QStringLiteral("バージョン情報(&A)"), this, &MainWindow::onAboutTriggered);
    m_aboutAction->setObjectName(QStringLiteral("aboutAction"));
}

void MainWindow::createLinkList()
{
    m_linkListModel = new LinkListModel(*m_editor, this);
    m_linkListPanel = new LinkListPanel(*m_linkListModel, this);
    addDockWidget(Qt::BottomDockWidgetArea, m_linkListPanel);
    m_linkListPanel->hide();
    QAction* toggle = m_linkListPanel->toggleViewAction();
    toggle->setObjectName(QStringLiteral("linkListAction"));
    toggle->setText(QStringLiteral("リンク一覧(&L)"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    m_viewMenu->addAction(toggle);
    connect(m_linkListPanel, &LinkListPanel::tagChosen, this, &MainWindow::onLinkListTagChosen);
    connect(m_linkListPanel, &LinkListPanel::saveCsvRequested, this, &MainWindow::onSaveLinkListRequested);
    connect(m_editor->document(), &QTextDocument::contentsChanged, m_linkListPanel, &LinkListPanel::refreshShownRows);
}

void MainWindow::refreshLinkList(bool painted)
{
    if (painted)
        m_linkListModel->rebuild(m_engine->scanner());
    else
        m_linkListModel->clear();
}

void MainWindow::onLinkListTagChosen(int textOffset)
{
    if (m_run.isOperationRunning())
        return;
    // As a move does: only the tag's "<" selected, scrolled into view, and described on the strip.
    m_editor->setSelection(textOffset, 1);
}

void MainWindow::onSaveLinkListRequested()
{
    const QString path = trimBlanks(m_prompter.chooseFile(FileDialogKind::SaveLinkList));
    if (path.isEmpty())
        return;
    // With a byte-order mark, so that spreadsheet programs read it as UTF-8.
    const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + m_linkListPanel->csvText().toUtf8();
    const WriteResult result = writeDocumentFile(path, bytes, false);
    if (!result.ok())
        m_prompter.ask({PromptId::WriteFailed, {path, result.systemError}, result.failure});
}

void MainWindow::createShortcuts()
{
    m_openAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    followEnabledState(m_openAction, m_browseButton);
    m_exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    addButtonShortcut(this, m_writeButton, QKeySequence(Qt::CTRL | Qt::Key_S), "writeShortcut");
    addButtonShortcut(this, m_checkAllLinksButton, QKeySequence(Qt::Key_F5), "checkAllLinksShortcut");
    addButtonShortcut(this, m_nextLinkButton, QKeySequence(Qt::Key_F3), "nextLinkShortcut");
    addButtonShortcut(this, m_previousLinkButton, QKeySequence(Qt::SHIFT | Qt::Key_F3), "previousLinkShortcut");
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
        [this](const QString& path) { openPath(path); }, this);
    historyList->fill();
    m_engine->setRecordInHistory([this](const QString& path) { m_history->setHistoryData(path); });
}

void MainWindow::fillMoveKinds()
{
    m_moveKindCombo->clear();
    m_moveKindCombo->addItem(anyLinkLabel());
    for (const LinkClass linkClass : AllLinkClasses)
        m_moveKindCombo->addItem(linkClassLabel(linkClass));
    m_moveKindCombo->setCurrentIndex(0);
}

void MainWindow::layoutControls()
{
    const QSize inner = centralWidget()->size();
    m_statusStrip->setGeometry(0, inner.height() - m_statusStrip->height(), inner.width(), m_statusStrip->height());
    // A window too small for the editor leaves the editor its last positive height.
    const int editorHeight = inner.height() - m_editorArea->y() - m_statusStrip->height();
    m_editorArea->setGeometry(0, m_editorArea->y(), inner.width(),
                              editorHeight > 0 ? editorHeight : m_editorArea->height());
    m_documentEdit->setGeometry(0, 0, m_editorArea->width(), m_editorArea->height());
    // The reason takes the strip up to the encoding shown at its right end.
    constexpr int EncodingRoomTwips = 1800;
    m_linkReason->resize(std::max(0, inner.width() - m_linkReason->x() - twipsToPixels(EncodingRoomTwips, this)),
                         m_linkReason->height());
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_run.isOperationRunning()) {
        // A close request while something runs stops it; the window stays.
        m_run.abort.request();
        event->ignore();
        return;
    }
    if (!m_engine->writer().maybeSaveBeforeClose(m_backupCheckBox->isChecked())) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::onWriteClicked()
{
    if (m_engine->writer().writeHtmlData(m_backupCheckBox->isChecked()) == DocumentWriter::Outcome::WrittenAsFile)
        m_pathEdit->setPlainText(m_document.docPath);
}

void MainWindow::onLoadClicked()
{
    if (confirmDiscardEdits())
        readHtmlData();
}

bool MainWindow::isTextChanged() const
{
    return ::isTextChanged(*m_editor, m_document);
}

bool MainWindow::confirmDiscardEdits()
{
    return !isTextChanged() || m_prompter.ask({PromptId::DiscardEdits}) == Prompter::Answer::Yes;
}

void MainWindow::onBrowseClicked()
{
    // An open started from inside a running operation's event processing would run two loads at once.
    if (m_run.isOperationRunning())
        return;
    const QString chosen = trimBlanks(m_prompter.chooseFile(FileDialogKind::OpenDocument));
    if (chosen.isEmpty() || !confirmDiscardEdits())
        return;
    openPath(chosen);
}

void MainWindow::onFilesDropped(const QStringList& paths)
{
    if (m_run.isOperationRunning() || paths.isEmpty() || trimBlanks(paths.first()).isEmpty())
        return;
    if (!confirmDiscardEdits())
        return;
    m_pathEdit->setPlainText(paths.first());
    m_pathEdit->repaint();
    QCoreApplication::processEvents();
    readHtmlData();
}

void MainWindow::openAtStart(const QString& argument)
{
    if (const QString path = startDocumentPath(argument); !path.isEmpty())
        openPath(path);
}

void MainWindow::openPath(const QString& path)
{
    m_pathEdit->setPlainText(path);
    m_pathEdit->repaint();
    readHtmlData();
}

void MainWindow::setCommandsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_writeButton, m_loadButton, m_browseButton, m_backupCheckBox, m_historyCombo, m_moveKindCombo,
             m_previousLinkButton, m_nextLinkButton, m_checkOneLinkButton, m_checkAllLinksButton, m_pathEdit})
        control->setEnabled(enabled);
    m_encodingMenu->refresh(enabled);
}

void MainWindow::reopenInEncoding(const QString& encoding)
{
    if (m_run.isOperationRunning() || !m_document.docLoaded || !confirmDiscardEdits())
        return;
    m_pathEdit->setPlainText(m_document.docPath);
    readHtmlData(encoding);
}

bool MainWindow::readHtmlData(const QString& encoding)
{
    m_document.docLoaded = false;
    const OperationScope busy(*this, &RunState::isBusy);
    showLoadingStatus();
    refreshLinkList(false);
    const DetachedSelection offScreen(*m_editor);
    const DocumentLoader::Outcome outcome = m_engine->loader().load(m_pathEdit->toPlainText(), encoding);
    refreshLinkList(outcome == DocumentLoader::Outcome::Loaded);
    return outcome != DocumentLoader::Outcome::Declined;
}

void MainWindow::showLoadingStatus()
{
    m_statusSentence->clear();
    m_linkReason->clear();
    setCaretStatusVisible(false);
    m_operationStatus->setText(QStringLiteral("読み込み中..."));
    m_progressBar->setValue(0);
}

void MainWindow::onPreviousLinkClicked()
{
    moveToLink(false);
}

void MainWindow::onNextLinkClicked()
{
    moveToLink(true);
}

void MainWindow::moveToLink(bool forward)
{
    const OperationScope navigating(*this, &RunState::isNavigating);
    const int kind = m_moveKindCombo->currentIndex();
    {
        const DetachedSelection offScreen(*m_editor);
        m_engine->navigator().moveToLink(forward,
                                         kind <= 0 ? std::nullopt : std::optional(AllLinkClasses.at(kind - 1)));
    }
    selectDataKindPrint();
}

void MainWindow::onEditorSelectionChanged()
{
    if (!m_run.isOperationRunning())
        selectDataKindPrint();
}

bool MainWindow::selectDataKindPrint()
{
    // A selection of several colours has no single class: the sentence stays as it was.
    if (const auto color = m_editor->selColor()) {
        const auto linkClass = classOfColor(*color);
        m_statusSentence->setText(linkClass ? linkClassSentence(*linkClass) : QString());
        m_linkReason->setText(linkClass ? linkReasonOfSelection() : QString());
        m_linkReason->setToolTip(m_linkReason->text());
    }
    return true;
}

void MainWindow::setCaretStatusVisible(bool visible)
{
    m_statusSentence->setVisible(visible);
    m_linkReason->setVisible(visible);
}

QString MainWindow::linkReasonAt(int offset) const
{
    const LinkRegistry::Entry* entry = m_engine->registry().find(m_editor->linkIdAt(offset));
    return entry ? reasonText(describeReason(entry->result, entry->reason)) : QString();
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
    const int offset = m_editor->toTextOffset(cursor.position());
    const QString reason = linkReasonAt(offset);
    if (reason.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(globalPosition, reason, m_documentEdit->viewport());
    return true;
}

void MainWindow::onCheckOneLinkClicked()
{
    const QString first = m_editor->selText();
    const OperationScope busy(*this, &RunState::isBusy);
    const DetachedSelection offScreen(*m_editor);
    showCheckingOneLinkStatus();
    const std::optional<CheckedTag> checked = checkCurrentLink(
        *m_editor, first, m_document.docBase, m_document.docIsFile, m_engine->web(), m_engine->registry(),
        m_document.encoding);
    if (checked)
        m_linkListModel->updateTag(checked->start, checked->length, checked->classification);
    selectDataKindPrint();
}

void MainWindow::showCheckingOneLinkStatus()
{
    // Set once the window is locked and the selection detached: from then on no selection change, neither
    // the check's own while it looks for the tag nor a click into the editor, describes the caret again
    // (onEditorSelectionChanged) until the check has painted the tag.
    setCaretStatusVisible(true);
    m_statusSentence->setText(QStringLiteral("調査中のリンク先"));
    m_linkReason->clear();
}

void MainWindow::onCheckAllLinksClicked()
{
    const OperationScope busy(*this, &RunState::isBusy);
    showLoadingStatus();
    const DetachedSelection offScreen(*m_editor);
    // A check stopped before it painted leaves the text, its colours and so the list as they were.
    if (m_engine->scanner().checkAllLinks(m_document.docBase, m_document.docIsFile, false))
        refreshLinkList(true);
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
