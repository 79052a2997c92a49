#pragma once

#include <QDockWidget>

#include <functional>

class LinkListFilter;
class LinkListModel;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;

// The dockable "リンク一覧" panel: every link of the last full check in a table, sortable by each column,
// with a text filter, a class filter, the count of the rows shown, and "CSV で保存...". A row's context menu
// lists the values that could repair its link.
class LinkListPanel : public QDockWidget {
    Q_OBJECT
public:
    LinkListPanel(LinkListModel& model, QWidget* parent = nullptr);

    // The rows shown, in their order, as CSV: a header row, then one row per link, CR LF at each end.
    QString csvText() const;
    // Shows the rows anew after the text changed: lines move and edited tags lose their result.
    void refreshShownRows();

signals:
    // The user chose a row: its tag begins at this text offset of the editor.
    void tagChosen(int textOffset);
    void saveCsvRequested();
    // The user chose a value to repair the link of a row of the model with.
    void suggestionChosen(int row, const QString& value);

private:
    void setInitialColumnWidths();
    void changeFilter(const std::function<void()>& change);
    void onRowChosen(const QModelIndex& index);
    void showCount();
    void showSuggestions(const QPoint& position);

    LinkListModel& m_model;
    LinkListFilter* m_filter;
    QLineEdit* m_filterEdit;
    QComboBox* m_classCombo;
    QLabel* m_countLabel;
    QTableView* m_table;
    bool m_filterChanging = false;
};
