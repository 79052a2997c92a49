#include "SFrm_Web.h"

#include "PathBox.h"
#include "HistoryList.h"
#include "StatusStrip.h"
#include "TextEditBox.h"
#include "common/AppInfo.h"
#include "Twips.h"
#include "common/Prompter.h"
#include "dialogs/SFrm_About.h"
#include "dialogs/SFrm_ColorHelp.h"
#include "common/SearchCopy.h"
#include "links/CurrentLinkCheck.h"
#include "store/ChangeDetection.h"
#include "store/DocumentWriter.h"
#include "store/History.h"
#include "links/LinkKinds.h"
#include "web/SFrm_Inet.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QPlainTextEdit>

#include <exception>

namespace {

const QString ExitCaption = QStringLiteral("終了(&X)");
const QString StopCaption = QStringLiteral("中止(&X)");
const QString DiscardQuestion = QStringLiteral("現在編集中のデータは変更されています。\r\nデータの読み込みを行いますか？");
const QString BrowseFilter = QStringLiteral("HTMLファイル (*.HTM;*.HTML)|*.HTM;*HTML|すべてのファイル|*.*");

// The inner area the window opens with, and the fixed heights of the layout, in twips.
constexpr int InitialWidth = 11805;
constexpr int InitialHeight = 7305;
constexpr int EditorTop = 2100;
constexpr int StripHeight = 375;

template <typename Widget>
Widget* place(Widget* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

} // namespace

SFrm_Web::SFrm_Web(Prompter& prompter, const CodePage& codePage, const QString& iniPath, QWidget* parent)
    : QMainWindow(parent), m_prompter(prompter), m_codePage(codePage)
{
    setObjectName(QStringLiteral("SFrm_Web"));
    setWindowTitle(AppTitle);
    createControls();
    createMenus();
    setTabOrder();

    m_editor = new TextEditBox(RTextB);
    m_progress = std::make_unique<WindowProgress>(Label2, ProgressBar1, Picture2);
    m_web = std::make_unique<WebCheck>(m_state, m_codePage);
    m_parallelWeb = std::make_unique<ParallelWebCheck>(m_state, *m_web);
    m_scanner = std::make_unique<LinkScanner>(m_state, *m_editor, *m_progress, *m_parallelWeb);
    m_loader = std::make_unique<DocumentLoader>(m_state, m_codePage, *m_web, *m_scanner, m_prompter);
    m_navigator = std::make_unique<LinkNavigator>(m_state, *m_editor, *m_progress, m_prompter);
    connect(m_editor, &RichTextBox::selectionChanged, this, &SFrm_Web::RTextB_SelChange);

    resize(twipsToPixels(InitialWidth, this), twipsToPixels(InitialHeight, this) + menuBar()->sizeHint().height());
    Form_Load(iniPath);
}

SFrm_Web::~SFrm_Web() = default;

RichTextBox& SFrm_Web::editor()
{
    return *m_editor;
}

void SFrm_Web::createControls()
{
    auto* area = new QWidget(this);
    setCentralWidget(area);
    const auto at = [this](int left, int top, int width, int height) {
        return twipsRect(left, top, width, height, this);
    };

    Label1 = place(new QLabel(QStringLiteral("ファイル(&U)"), area), "Label1", at(120, 120, 1095, 255));
    Text1 = place(new PathBox(area), "Text1", at(1440, 120, 5055, 1095));
    Label1->setBuddy(Text1);
    Label3 = place(new QLabel(QStringLiteral("履歴(&C)"), area), "Label3", at(120, 1300, 1095, 255));
    Cmb1 = place(new QComboBox(area), "Cmb1", at(1440, 1260, 5055, 345));
    Label3->setBuddy(Cmb1);
    Command1 = place(new QPushButton(QStringLiteral("参照(&R)"), area), "Command1", at(6660, 120, 1395, 315));
    Cmd1[2] = place(new QPushButton(QStringLiteral("読込(&O)"), area), "Cmd1_2", at(6660, 510, 1395, 315));
    Cmd1[1] = place(new QPushButton(QStringLiteral("書込(&W)"), area), "Cmd1_1", at(6660, 900, 1395, 315));
    Check1 = place(new QCheckBox(QStringLiteral("書き込み時にバックアップファイルを作成する。(&B)"), area), "Check1",
                   at(6660, 1320, 5115, 255));
    Check1->setChecked(true);
    Label4 = place(new QLabel(QStringLiteral("移動種類(&M)"), area), "Label4", at(120, 1725, 1215, 255));
    Cmb2 = place(new QComboBox(area), "Cmb2", at(1440, 1680, 1995, 345));
    Label4->setBuddy(Cmb2);
    Command2[0] = place(new QPushButton(QStringLiteral("▲"), area), "Command2_0", at(3480, 1680, 495, 345));
    Command2[1] = place(new QPushButton(QStringLiteral("▼"), area), "Command2_1", at(4080, 1680, 495, 345));
    Command3[0] = place(new QPushButton(QStringLiteral("単一調査(I)"), area), "Command3_0", at(6660, 1680, 1395, 345));
    Command3[1] = place(new QPushButton(QStringLiteral("全再調査(&A)"), area), "Command3_1", at(8160, 1680, 1395, 345));
    Cmd1[0] = place(new QPushButton(ExitCaption, area), "Cmd1_0", at(8160, 120, 1395, 315));

    Picture1 = place(new QWidget(area), "Picture1", at(0, EditorTop, 9075, 4275));
    RTextB = place(new QPlainTextEdit(Picture1), "RTextB", QRect(QPoint(0, 0), Picture1->size()));
    RTextB->setFont(QFont(QStringLiteral("IPAGothic")));
    RTextB->setLineWrapMode(QPlainTextEdit::NoWrap);

    Picture2 = place(new StatusStrip(area), "Picture2", at(0, 6900, 9855, StripHeight));
    ProgressBar1 = place(new QProgressBar(Picture2), "ProgressBar1", at(0, 30, 2475, 315));
    ProgressBar1->setTextVisible(false);
    ProgressBar1->hide();
    Label5 = place(new QLabel(Picture2), "Label5", at(30, 30, 5535, 315));
    Label2 = place(new QLabel(Picture2), "Label2", at(2535, 30, 2235, 315));

    connect(Cmd1[0], &QPushButton::clicked, this, [this] { Cmd1_Click(0); });
    connect(Cmd1[1], &QPushButton::clicked, this, [this] { Cmd1_Click(1); });
    connect(Cmd1[2], &QPushButton::clicked, this, [this] { Cmd1_Click(2); });
    connect(Command1, &QPushButton::clicked, this, &SFrm_Web::Command1_Click);
    connect(Text1, &PathBox::filesDropped, this, &SFrm_Web::Text1_OLEDragDrop);
    for (int index : {0, 1}) {
        connect(Command2[index], &QPushButton::clicked, this, [this, index] { Command2_Click(index); });
        connect(Command3[index], &QPushButton::clicked, this, [this, index] { Command3_Click(index); });
    }
}

void SFrm_Web::createMenus()
{
    QMenu* MENU01 = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    MENU01->setObjectName(QStringLiteral("MENU01"));
    MENU_OPEN = MENU01->addAction(QStringLiteral("開く(&O)"), this, &SFrm_Web::MENU_OPEN_Click);
    MENU_OPEN->setObjectName(QStringLiteral("MENU_OPEN"));
    MENU01->addSeparator();
    MENU_END = MENU01->addAction(ExitCaption, this, &QWidget::close);
    MENU_END->setObjectName(QStringLiteral("MENU_END"));

    QMenu* MENU_HELP = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    MENU_HELP->setObjectName(QStringLiteral("MENU_HELP"));
    MENU_COLOR = MENU_HELP->addAction(QStringLiteral("リンク文字列の色(&C)"), this,
                                      [this] { SFrm_ColorHelp::showFor(this); });
    MENU_COLOR->setObjectName(QStringLiteral("MENU_COLOR"));
    MENU_HELP->addSeparator();
    MENU_Version = MENU_HELP->addAction(QStringLiteral("バージョン情報(&A)"), this,
                                        [this] { SFrm_About::showModal(this); });
    MENU_Version->setObjectName(QStringLiteral("MENU_Version"));
}

void SFrm_Web::setTabOrder()
{
    const QWidget* order[] = {Text1,       Cmb1,        Command1, Cmd1[2], Cmd1[1], Check1, Cmb2, Command2[0],
                              Command2[1], Command3[0], Command3[1], RTextB, Cmd1[0]};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
}

void SFrm_Web::Form_Load(const QString& iniPath)
{
    m_state.InetReady = false;
    m_state.IsNavigating = m_state.IsBusy = m_state.AbortRequested = m_state.DocLoaded = false;

    m_history = std::make_unique<History>(iniPath);
    m_history->Fnc_ReadHistoryData();
    auto* historyList = new HistoryList(
        *m_history, Cmb1, m_state, [this] { return confirmDiscardEdits(); },
        [this](const QString& path) {
            Text1->setPlainText(path);
            Text1->repaint();
            Fnc_ReadHtmlData();
        },
        this);
    historyList->fill();
    m_loader->setLocalFileLoadedHook([this](const QString& path) { m_history->Fnc_SetHistoryData(path); });
    m_writer = std::make_unique<DocumentWriter>(m_state, *m_editor, m_codePage, m_prompter, *m_history);
    Cmb2->clear();
    for (const LinkKind& kind : LinkKinds)
        Cmb2->addItem(QString::fromUtf16(kind.label));
    Cmb2->setCurrentIndex(0);
}

void SFrm_Web::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void SFrm_Web::Form_Resize()
{
    const QSize inner = centralWidget()->size();
    Picture2->setGeometry(0, inner.height() - Picture2->height(), inner.width(), Picture2->height());
    // A window too small for the editor leaves the editor its last positive height.
    const int editorHeight = inner.height() - Picture1->y() - Picture2->height();
    Picture1->setGeometry(0, Picture1->y(), inner.width(), editorHeight > 0 ? editorHeight : Picture1->height());
    RTextB->setGeometry(0, 0, Picture1->width(), Picture1->height());
}

void SFrm_Web::closeEvent(QCloseEvent* event)
{
    if (isOperationRunning()) {
        // A close request while something runs stops it; the window stays.
        m_state.AbortRequested = true;
        event->ignore();
        return;
    }
    if (!m_writer->maybeSaveBeforeClose(Check1->isChecked())) {
        event->ignore();
        return;
    }
    event->accept();
}

void SFrm_Web::Cmd1_Click(int index)
{
    try {
        if (index == 0) {
            if (m_state.IsBusy)
                m_state.AbortRequested = true;
            else
                close();
        } else if (index == 1) {
            if (m_writer->Fnc_WriteHtmlData(Check1->isChecked()) == DocumentWriter::Outcome::WrittenAsFile)
                Text1->setPlainText(m_state.DocPath);
        } else if (index == 2 && confirmDiscardEdits()) {
            Fnc_ReadHtmlData();
        }
    } catch (const std::exception&) {
        // Every handler keeps the window usable.
    }
}

bool SFrm_Web::Fnc_IsTextChanged() const
{
    return ::Fnc_IsTextChanged(*m_editor, m_state);
}

bool SFrm_Web::confirmDiscardEdits()
{
    return !Fnc_IsTextChanged() ||
           m_prompter.message(DiscardQuestion, Prompter::Buttons::YesNo, Prompter::Answer::No) == Prompter::Answer::Yes;
}

void SFrm_Web::Command1_Click()
{
    // An open started from inside a running operation's event processing would run two loads at once.
    if (isOperationRunning())
        return;
    const QString chosen = trimBlanks(m_prompter.openFileName(BrowseFilter));
    if (chosen.isEmpty() || !confirmDiscardEdits())
        return;
    Text1->setPlainText(chosen);
    Text1->repaint();
    Fnc_ReadHtmlData();
}

void SFrm_Web::MENU_OPEN_Click()
{
    Command1_Click();
}

void SFrm_Web::Text1_OLEDragDrop(const QStringList& paths)
{
    if (isOperationRunning() || paths.isEmpty() || trimBlanks(paths.first()).isEmpty())
        return;
    if (!confirmDiscardEdits())
        return;
    Text1->setPlainText(paths.first());
    Text1->repaint();
    QCoreApplication::processEvents();
    Fnc_ReadHtmlData();
}

void SFrm_Web::setCommandsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{Cmd1[1], Cmd1[2], Command1, Check1, Cmb1, Cmb2, Command2[0],
                                                            Command2[1], Command3[0], Command3[1], Text1})
        control->setEnabled(enabled);
}

bool SFrm_Web::Fnc_ReadHtmlData()
{
    bool ranToEnd = false;
    m_state.DocLoaded = false;
    m_state.AbortRequested = false;
    m_state.IsBusy = true;
    try {
        Cmd1[0]->setText(StopCaption);
        setCommandsEnabled(false);
        showLoadingStatus();
        const DetachedSelection offScreen(*m_editor);
        ranToEnd = m_loader->load(Text1->toPlainText()) != DocumentLoader::Outcome::Declined;
    } catch (const std::exception&) {
        ranToEnd = false;
    }
    endRun();
    return ranToEnd;
}

void SFrm_Web::showLoadingStatus()
{
    Label5->clear();
    Label5->hide();
    Label2->setText(QStringLiteral("読み込み中..."));
    ProgressBar1->setValue(0);
}

void SFrm_Web::endRun()
{
    Cmd1[0]->setText(ExitCaption);
    setCommandsEnabled(true);
    Label5->show();
    Label2->clear();
    ProgressBar1->hide();
    m_state.IsBusy = false;
    m_state.AbortRequested = false;
}

void SFrm_Web::Command2_Click(int index)
{
    m_state.AbortRequested = false;
    m_state.IsNavigating = true;
    Cmd1[0]->setText(StopCaption);
    setCommandsEnabled(false);
    try {
        {
            const DetachedSelection offScreen(*m_editor);
            m_navigator->Fnc_MoveToLink(index == 1, Cmb2->currentIndex());
        }
        Fnc_SelectDataKindPrint();
    } catch (const std::exception&) {
        // The buttons come back below whatever happened.
    }
    m_state.IsNavigating = false;
    Cmd1[0]->setText(ExitCaption);
    setCommandsEnabled(true);
}

void SFrm_Web::RTextB_SelChange()
{
    if (!isOperationRunning())
        Fnc_SelectDataKindPrint();
}

bool SFrm_Web::Fnc_SelectDataKindPrint()
{
    // A selection of several colours has no single class: the sentence stays as it was.
    if (const auto color = m_editor->selColor())
        Label5->setText(sentenceForColor(*color));
    return true;
}

void SFrm_Web::Command3_Click(int index)
{
    setCommandsEnabled(false);
    Label5->show();
    Label5->setText(QStringLiteral("調査中のリンク先"));
    try {
        const DetachedSelection offScreen(*m_editor);
        const InetSession inet(m_state, *m_web);
        Cmd1[0]->setText(StopCaption);
        if (index == 0) {
            const QString first = m_editor->selText();
            m_state.AbortRequested = false;
            m_state.IsBusy = true;
            Fnc_CheckCurrentLink(*m_editor, first, m_state.DocBase, m_state.DocIsFile, *m_web);
            Fnc_SelectDataKindPrint();
        } else {
            showLoadingStatus();
            m_state.AbortRequested = false;
            m_state.IsBusy = true;
            m_scanner->Fnc_CheckAllLinks(m_state.DocBase, m_state.DocIsFile, false);
        }
    } catch (const std::exception&) {
        // Whatever was painted stays painted; the window is restored below.
    }
    endRun();
}
