#pragma once

#include <QAbstractTableModel>

class Site;

// The pages of a site as table rows: the page below the site's folder, its links, its failed links of each
// class, its encoding. A page the run has not decided yet shows its name alone.
class SiteListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { PageColumn, LinksColumn, NgWebColumn, NgFileColumn, NgPageColumn, EncodingColumn, ColumnCount };
    // The value a column sorts by: numbers for the counts.
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit SiteListModel(const Site& site, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The site's report: every link of every page decided, with the link list's CSV rules.
    QString csvText() const;

private:
    const Site& m_site;
};
