#pragma once

#include "common/Document.h"
#include "common/RunState.h"
#include "links/LinkTable.h"
#include "web/Engine.h"

#include <QMainWindow>

#include <memory>

class EncodingMenu;
class History;
class HistoryList;
class LinkListModel;
class LinkListPanel;
class PathBox;
class Prompter;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class RichTextBox;
class StatusStrip;
class TextEditBox;
class WindowProgress;

// The main window: path box, history list, command buttons, the editor holding the document, the
// status strip and the menus. It owns the document and the run state for the whole run.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // iniPath: the INI file that keeps the history of opened files.
    MainWindow(Prompter& prompter, const QString& iniPath, const EngineSettings& settings = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    const Document& document() const { return m_document; }
    const RunState& runState() const { return m_run; }
    RichTextBox& editor();
    const LinkTable& linkTable() const;
    const History& history() const { return *m_history; }

    // Loads what the path box names and checks its links. True when it ran to its end.
    // encoding: read in this one rather than as the setting says (DocumentLoader::load).
    bool readHtmlData(const QString& encoding = QString());
    // True when the editor's text differs from the document as read or written.
    bool isTextChanged() const;
    // Describes the class of the link under the selection in the status strip.
    bool selectDataKindPrint();
    // Opens the document the command line names (`tarnwick [FILE|URL]`, see startDocumentPath) as the load
    // button does, with its messages; a blank argument leaves the window empty.
    void openAtStart(const QString& argument);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class OperationScope;

    void createControls();
    void createMenus();
    void createLinkList();
    // The link list after a full check: one row per link of the table, or none when the check stopped
    // before painting.
    void refreshLinkList(bool painted);
    // The keys on top of the access keys: each runs its button's or menu item's command.
    void createShortcuts();
    void setTabOrder();
    void loadHistory(const QString& iniPath);
    void fillMoveKinds();
    void layoutControls();

    void onLoadClicked();
    void onWriteClicked();
    void onBrowseClicked();
    void onFilesDropped(const QStringList& paths);
    void onPreviousLinkClicked();
    void onNextLinkClicked();
    void onCheckOneLinkClicked();
    // The status strip of a single check: the caret description says a link is being checked.
    void showCheckingOneLinkStatus();
    void onCheckAllLinksClicked();
    void onEditorSelectionChanged();
    void onColorLegendTriggered();
    void onLinkListTagChosen(int textOffset);
    void onSaveLinkListRequested();
    void onAboutTriggered();
    // Reads the current document again in the encoding chosen in the encoding menu.
    void reopenInEncoding(const QString& encoding);

    // Puts a path into the path box and loads it.
    void openPath(const QString& path);
    void moveToLink(bool forward);
    // The unsaved-edits guard: true when the open may go on.
    bool confirmDiscardEdits();
    // Disables (or enables again) every control that could start another operation.
    void setCommandsEnabled(bool enabled);
    // The status strip of a load or a check of all links: the caret description gives way to progress.
    void showLoadingStatus();
    void setCaretStatusVisible(bool visible);
    // Why the link painted at a text offset has its colour, worded for the user; empty when no check
    // painted the character there.
    QString linkReasonAt(int offset) const;
    // The same for the selection: its first character, or for a bare caret the character before it.
    QString linkReasonOfSelection() const;
    bool showLinkReasonTip(const QPoint& viewportPosition, const QPoint& globalPosition);

    Prompter& m_prompter;
    Document m_document;
    RunState m_run;

    QLabel* m_pathLabel = nullptr;
    PathBox* m_pathEdit = nullptr;
    QLabel* m_historyLabel = nullptr;
    QComboBox* m_historyCombo = nullptr;
    QPushButton* m_browseButton = nullptr;
    QPushButton* m_loadButton = nullptr;
    QPushButton* m_writeButton = nullptr;
    QPushButton* m_exitButton = nullptr;
    QCheckBox* m_backupCheckBox = nullptr;
    QLabel* m_moveKindLabel = nullptr;
    QComboBox* m_moveKindCombo = nullptr;
    QPushButton* m_previousLinkButton = nullptr;
    QPushButton* m_nextLinkButton = nullptr;
    QPushButton* m_checkOneLinkButton = nullptr;
    QPushButton* m_checkAllLinksButton = nullptr;
    QWidget* m_editorArea = nullptr;
    QPlainTextEdit* m_documentEdit = nullptr;
    StatusStrip* m_statusStrip = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_statusSentence = nullptr;
    QLabel* m_linkReason = nullptr;
    QLabel* m_operationStatus = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_colorLegendAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QMenu* m_viewMenu = nullptr;
    LinkListModel* m_linkListModel = nullptr;
    LinkListPanel* m_linkListPanel = nullptr;
    EncodingMenu* m_encodingMenu = nullptr;

    TextEditBox* m_editor = nullptr;
    std::unique_ptr<WindowProgress> m_progress;
    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<History> m_history;
};
