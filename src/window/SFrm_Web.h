#pragma once

#include "WindowProgress.h"
#include "common/CodePage.h"
#include "common/DocumentState.h"
#include "links/LinkNavigator.h"
#include "links/LinkScanner.h"
#include "web/DocumentLoader.h"
#include "web/ParallelWebCheck.h"
#include "web/WebCheck.h"

#include <QMainWindow>

#include <array>
#include <memory>

class DocumentWriter;
class History;
class HistoryList;
class PathBox;
class Prompter;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QPlainTextEdit;
class StatusStrip;
class TextEditBox;

// The main window: path box, history list, command buttons, the editor holding the document, the
// status strip and the menus. It owns the document state for the whole run.
class SFrm_Web : public QMainWindow {
    Q_OBJECT
public:
    // iniPath: the INI file that keeps the history of opened files.
    SFrm_Web(Prompter& prompter, const CodePage& codePage, const QString& iniPath, QWidget* parent = nullptr);
    ~SFrm_Web() override;

    DocumentState& state() { return m_state; }
    RichTextBox& editor();
    const LinkTable& linkTable() const { return m_scanner->table(); }

    // Loads what the path box names and checks its links. True when it ran to its end.
    bool Fnc_ReadHtmlData();
    // True when the editor's text differs from the document as read or written.
    bool Fnc_IsTextChanged() const;
    const History& history() const { return *m_history; }
    // Describes the class of the link under the selection in the status strip.
    bool Fnc_SelectDataKindPrint();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createMenus();
    void setTabOrder();
    void Form_Load(const QString& iniPath);
    void Form_Resize();
    void Cmd1_Click(int index);
    void Command1_Click();
    void MENU_OPEN_Click();
    void Text1_OLEDragDrop(const QStringList& paths);
    void Command2_Click(int index);
    void Command3_Click(int index);
    void RTextB_SelChange();
    // The unsaved-edits guard: true when the open may go on.
    bool confirmDiscardEdits();
    // Disables (or enables again) every control that could start another operation.
    void setCommandsEnabled(bool enabled);
    // The status strip of a load or a check of all links: the caret description gives way to progress.
    void showLoadingStatus();
    // Restores the window after a load or a check run, however it ended.
    void endRun();
    bool isOperationRunning() const { return m_state.IsBusy || m_state.IsNavigating; }

    Prompter& m_prompter;
    const CodePage& m_codePage;
    DocumentState m_state;

    QLabel* Label1 = nullptr;
    PathBox* Text1 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Cmb1 = nullptr;
    QPushButton* Command1 = nullptr;
    std::array<QPushButton*, 3> Cmd1{};
    QCheckBox* Check1 = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* Cmb2 = nullptr;
    std::array<QPushButton*, 2> Command2{};
    std::array<QPushButton*, 2> Command3{};
    QWidget* Picture1 = nullptr;
    QPlainTextEdit* RTextB = nullptr;
    StatusStrip* Picture2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label2 = nullptr;
    QAction* MENU_OPEN = nullptr;
    QAction* MENU_END = nullptr;
    QAction* MENU_COLOR = nullptr;
    QAction* MENU_Version = nullptr;

    TextEditBox* m_editor = nullptr;
    std::unique_ptr<WindowProgress> m_progress;
    std::unique_ptr<WebCheck> m_web;
    // The full check makes its web requests concurrently; the single check goes one at a time.
    std::unique_ptr<ParallelWebCheck> m_parallelWeb;
    std::unique_ptr<LinkScanner> m_scanner;
    std::unique_ptr<DocumentLoader> m_loader;
    std::unique_ptr<LinkNavigator> m_navigator;
    std::unique_ptr<History> m_history;
    std::unique_ptr<DocumentWriter> m_writer;
};
