#pragma once

#include "common/Document.h"
#include "common/RunState.h"
#include "store/DocumentWriter.h"
#include "web/CheckSettings.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <optional>

class DocumentWebCheck;
class EditorSearch;
class EncodingMenu;
class FindBar;
class History;
class LinkCheckJob;
class LinkListModel;
class LinkListPanel;
class LinkPainter;
class LinkSpans;
class LinkStepper;
class LoadJob;
class PageAnchors;
class PathBox;
class Site;
class SitePanel;
class Prompter;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class RepairSuggestions;
class RichTextBox;
class StatusStrip;
class TextEditBox;
class WebCheck;
class WindowProgress;
struct LinkEntry;

// The main window: path box, history list, command buttons, the editor holding the document, the
// status strip and the menus. It owns the document for the whole run. Loading and checking run as jobs:
// the window stays live while they run, with the commands that could start another one disabled and
// the exit button turned into a stop button.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // iniPath: the INI file that keeps the history of opened files.
    MainWindow(Prompter& prompter, const QString& iniPath, const CheckSettings& settings = {},
               QWidget* parent = nullptr);
    ~MainWindow() override;

    const Document& document() const { return m_document; }
    const RunState& runState() const { return m_run; }
    RichTextBox& editor();
    const LinkSpans& linkSpans() const { return *m_spans; }
    const History& history() const { return *m_history; }

    // True when the editor's text differs from the document as read or written.
    bool isTextChanged() const;
    // Describes the class of the link under the selection in the status strip.
    void selectDataKindPrint();
    // Opens the document the command line names (`tarnwick [FILE|URL]`, see startDocumentPath) as the load
    // button does, with its messages; a blank argument leaves the window empty.
    void openAtStart(const QString& argument);

signals:
    // A load, a check or a single check has ended (done, failed or stopped) and the window is unlocked.
    void operationEnded();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createControls();
    void createMenus();
    void createLinkList();
    void setTabOrder();
    void loadHistory(const QString& iniPath);
    void layoutControls();

    void onLoadTriggered();
    void onWriteTriggered();
    // Offers to load the document again when another program changed its file.
    void checkDocumentOnDisk();
    void onWriteAsTriggered();
    // After a write: the path box and the title name the document as it now is.
    void showWritten(DocumentWriter::Outcome outcome);
    // "name[*] - Tarnwick" for a document, marked while its text is changed; the program's name alone without one.
    void showDocumentTitle();
    void onBrowseTriggered();
    void onFilesDropped(const QStringList& paths);
    void onCheckOneLinkTriggered();
    void onCheckAllLinksTriggered();
    void onEditorSelectionChanged();
    void onColorLegendTriggered();
    void onLinkListTagChosen(int textOffset);
    void onSaveLinkListRequested();
    // Asks where, then writes a CSV text there as UTF-8 with a byte-order mark; a failed write says so.
    void saveCsv(const QString& csv);
    void onAboutTriggered();
    void onResourcesToggled(bool on);
    // A folder as a site (MainWindowSite.cpp): its pages listed in the site panel, all checked in one run.
    void createSitePanel();
    void onOpenFolderTriggered();
    void openSite(const QString& folder);
    void onSiteRunFinished();
    void onSitePageChosen(int index);
    void onFailedPageTriggered(bool forward);
    void onSaveSiteCsvRequested();
    // The site's page in the editor; -1 when the document is none of the site's.
    int currentSitePage() const;
    // The page in the editor was checked or written: its row in the site follows.
    void updateSitePage();
    // Reads the current document again in the encoding chosen in the encoding menu.
    void reopenInEncoding(const QString& encoding);
    // Repairs (MainWindowRepair.cpp): the values that could repair a link, offered for the link at the caret and
    // in the link list; a value chosen takes the link's place as one undo step, and the link is checked again.
    void onSuggestionsTriggered();
    void applySuggestion(int span, const QString& value);
    // Every link moved for good takes the URL it moved to, all in one undo step.
    void onUpdateRedirectsTriggered();
    // A drag of files or folders anywhere on the window, the editor included, opens the first one; true when
    // the event was part of one.
    bool takeFileDrop(QEvent* event);

    // Reads a document and, once its text is on screen, checks its links. Until the text has arrived the
    // document on screen and the path box stay as they are. encoding: empty follows the setting.
    void startLoad(const QString& path, const QString& encoding = QString());
    void onLoadFinished();
    // Makes what the load read the document: its text on screen, its path in the path box.
    void takeLoadedDocument(const LoadJob& load);
    // The context of a new check of the document's links.
    CheckContext newCheckContext();
    // Runs a check job on the editor's text, which stays read-only meanwhile.
    void startCheck(LinkCheckJob* check);
    void onCheckFinished();
    void onSingleCheckFinished();
    // The exit button and a close request while an operation runs: the job stops, what it did stays.
    void stopOperation();
    void beginOperation();
    void endOperation();
    void moveToLink(bool forward);
    // The status strip after a check of all links: how many failed of how many, until the caret moves.
    void showLinkCounts();
    // The unsaved-edits guard: true when the open may go on.
    bool confirmDiscardEdits();
    // Disables (or enables again) every command and control that could start another operation.
    void setCommandsEnabled(bool enabled);
    // The status strip of a load or a check of all links: the caret description gives way to progress.
    void showLoadingStatus();
    void setCaretStatusVisible(bool visible);
    // Why the link at a text offset has its result, worded for the user; empty when no check decided one.
    QString linkReasonAt(int offset) const;
    // The same for the selection: its first character, or for a bare caret the character before it.
    QString linkReasonOfSelection() const;
    bool showLinkReasonTip(const QPoint& viewportPosition, const QPoint& globalPosition);

    Prompter& m_prompter;
    CheckSettings m_settings;
    Document m_document;
    RunState m_run;
    std::optional<FileStamp> m_noticedStamp;    // another program's change already asked about
    std::unique_ptr<PageAnchors> m_pageAnchors; // of the last check, when it was none of a site's pages
    // What repairs the links of the last check of all links; the link list asks it.
    std::unique_ptr<RepairSuggestions> m_suggestions;
    SitePanel* m_sitePanel = nullptr;
    QAction* m_openFolderAction = nullptr;
    QAction* m_previousFailedPageAction = nullptr;
    QAction* m_nextFailedPageAction = nullptr;

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
    FindBar* m_findBar = nullptr;
    StatusStrip* m_statusStrip = nullptr;
    QProgressBar* m_progressBar = nullptr;
    QLabel* m_statusSentence = nullptr;
    QLabel* m_linkReason = nullptr;
    QLabel* m_operationStatus = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_loadAction = nullptr;
    QAction* m_writeAction = nullptr;
    QAction* m_writeAsAction = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_previousLinkAction = nullptr;
    QAction* m_nextLinkAction = nullptr;
    QAction* m_checkOneLinkAction = nullptr;
    QAction* m_checkAllLinksAction = nullptr;
    QAction* m_findAction = nullptr;
    QAction* m_replaceAction = nullptr;
    QAction* m_findNextAction = nullptr;
    QAction* m_findPreviousAction = nullptr;
    QAction* m_replaceOneAction = nullptr;
    QAction* m_replaceAllAction = nullptr;
    QAction* m_goToLineAction = nullptr;
    QAction* m_suggestAction = nullptr;
    QAction* m_updateRedirectsAction = nullptr;
    QAction* m_colorLegendAction = nullptr;
    QAction* m_aboutAction = nullptr;
    QMenu* m_viewMenu = nullptr;
    LinkListModel* m_linkListModel = nullptr;
    LinkListPanel* m_linkListPanel = nullptr;
    EncodingMenu* m_encodingMenu = nullptr;

    TextEditBox* m_editor = nullptr;
    LinkSpans* m_spans = nullptr;
    LinkPainter* m_painter = nullptr;
    EditorSearch* m_search = nullptr;
    std::unique_ptr<LinkStepper> m_linkStepper;
    std::unique_ptr<WindowProgress> m_progress;
    std::unique_ptr<WebCheck> m_web;
    std::unique_ptr<Site> m_site; // the folder opened as a site; uses m_web, so it goes first
    // The web check of the document's links: the document's own not-found cache.
    std::unique_ptr<DocumentWebCheck> m_documentWeb;
    std::unique_ptr<DocumentWriter> m_writer;
    std::unique_ptr<History> m_history;
    // The job that runs, if any; a stopped or finished job is deleted on the next turn of the event loop.
    QPointer<LoadJob> m_loadJob;
    QPointer<LinkCheckJob> m_checkJob;
    bool m_checkIsPartOfLoad = false;
    bool m_spansFollowCheck = false; // the spans are those of the running check's table
    int m_singleCheckStart = -1;     // the text offset of the tag a single check checks
};
