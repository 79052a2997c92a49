#pragma once

#include <QDockWidget>

#include <optional>

class QAction;
class QLabel;
class QSortFilterProxyModel;
class QTableView;
class Site;
class SiteListModel;

// The dockable "サイト" panel: the pages of the site opened as a folder, with their links and failed links
// per class, sortable (by the failed links, say), stepping to the previous and next page with failed links,
// and "CSV で保存..." for the site's report.
class SitePanel : public QDockWidget {
    Q_OBJECT
public:
    // previousFailedPage, nextFailedPage: the window's actions, shown as the panel's buttons.
    SitePanel(QAction* previousFailedPage, QAction* nextFailedPage, QWidget* parent = nullptr);

    // Shows a site's pages; nothing for none.
    void showSite(const Site* site);
    // The site's report as CSV.
    QString csvText() const;
    // The page with failed links before or after a page, in the order the table shows; nothing when none.
    // from: a page of the site, or -1 to start from the top (or the bottom).
    std::optional<int> failedPageFrom(int from, bool forward) const;
    // Marks a page as the one in the editor.
    void selectPage(int index);
    // "12 / 340 ページ": the pages decided of all.
    void showProgress(int decided, int total);

signals:
    void pageChosen(int index);
    void saveCsvRequested();

private:
    void onRowActivated(const QModelIndex& index);

    const Site* m_site = nullptr;
    SiteListModel* m_model = nullptr;
    QSortFilterProxyModel* m_sorted;
    QTableView* m_table;
    QLabel* m_countLabel;
};
