#pragma once

#include "common/Prompter.h"

class QWidget;

// Questions and reports as message boxes without icon, captioned with the program's title, worded in
// Japanese; the line number in an input dialog; and the file dialogs (Qt's own, so that installQtJapanese words
// them too). A file dialog starts at the name chosen last; the write dialog takes a new name as well as an
// existing file.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }

    Answer ask(const Prompt& prompt) override;
    QString chooseFile(FileDialogKind kind) override;
    std::optional<int> askLineNumber(int current, int lines) override;

    // "desc|pattern;pattern|desc|pattern" -> "desc (pattern pattern);;desc (pattern)".
    static QString toQtFilter(const QString& filter);

private:
    QWidget* m_parent;
    QString m_lastFileName;
};
