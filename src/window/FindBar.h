#pragma once

#include "TextSearch.h"

#include <QWidget>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;

// The bar under the editor that finds text and replaces it: what to find, how to match it, and in its replace row
// what to put in its place. Its buttons trigger the window's actions, so that a command has one enabled state. In
// the field of what to find Enter finds the next match and Shift+Enter the previous one; Escape hides the bar.
class FindBar : public QWidget {
    Q_OBJECT
public:
    struct Actions {
        QAction* findPrevious;
        QAction* findNext;
        QAction* replaceOne;
        QAction* replaceAll;
    };

    FindBar(const Actions& actions, QWidget* parent = nullptr);

    // Shows the bar, with its replace row or without, and puts the focus into the field of what to find with the
    // text selected; a pattern that is not empty replaces that text.
    void open(bool withReplaceRow, const QString& pattern);
    // Shows the bar as it was, with the focus in the field of what to find, its text selected.
    void focusPattern();
    // Restricting the matches to link values belongs to the replace row: without it in sight, it does not apply.
    SearchQuery query() const;
    QString replacement() const;
    // How the last command went ("not found", "continued from the start" ...); empty for nothing to say.
    void showOutcome(const QString& text);

signals:
    // Escape or the close button hid the bar.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Actions m_actions;
    QLineEdit* m_patternEdit;
    QCheckBox* m_matchCaseBox;
    QCheckBox* m_regularExpressionBox;
    QLabel* m_outcomeLabel;
    QWidget* m_replaceRow;
    QLineEdit* m_replacementEdit;
    QCheckBox* m_linkValuesBox;
};
