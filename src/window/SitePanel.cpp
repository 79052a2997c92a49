#include "SitePanel.h"

#include "ListTable.h"
#include "SiteListModel.h"
#include "web/Site.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

SitePanel::SitePanel(QAction* previousFailedPage, QAction* nextFailedPage, QWidget* parent)
    : QDockWidget(tr("Site"), parent), m_sorted(new QSortFilterProxyModel(this)), m_table(new QTableView),
      m_countLabel(new QLabel)
{
    setObjectName(QStringLiteral("sitePanel"));
    m_sorted->setSortRole(SiteListModel::SortRole);
    m_table->setObjectName(QStringLiteral("siteTable"));
    m_table->setModel(m_sorted);
    setUpListTable(*m_table);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_countLabel->setObjectName(QStringLiteral("siteCountLabel"));

    auto* buttons = new QHBoxLayout;
    for (QAction* action : {previousFailedPage, nextFailedPage}) {
        auto* button = new QToolButton;
        button->setDefaultAction(action);
        buttons->addWidget(button);
    }
    buttons->addWidget(m_countLabel, 1);
    auto* csvButton = new QPushButton(tr("Save as CSV..."));
    csvButton->setObjectName(QStringLiteral("saveSiteCsvButton"));
    buttons->addWidget(csvButton);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(buttons);
    layout->addWidget(m_table);
    setWidget(content);

    connect(m_table, &QTableView::activated, this, &SitePanel::onRowActivated);
    connect(m_table, &QTableView::clicked, this, &SitePanel::onRowActivated);
    connect(csvButton, &QPushButton::clicked, this, &SitePanel::saveCsvRequested);
}

void SitePanel::showSite(const Site* site)
{
    m_site = site;
    SiteListModel* previous = m_model;
    m_model = site ? new SiteListModel(*site, this) : nullptr;
    m_sorted->setSourceModel(m_model);
    delete previous;
    if (m_model) {
        m_table->sortByColumn(SiteListModel::PageColumn, Qt::AscendingOrder);
        m_table->resizeColumnToContents(SiteListModel::PageColumn);
    }
    showProgress(site ? site->decidedCount() : 0, site ? int(site->pages().size()) : 0);
}

QString SitePanel::csvText() const
{
    return m_model ? m_model->csvText() : QString();
}

std::optional<int> SitePanel::failedPageFrom(int from, bool forward) const
{
    if (!m_site)
        return std::nullopt;
    const int rows = m_sorted->rowCount();
    const auto pageAt = [this](int row) { return m_sorted->mapToSource(m_sorted->index(row, 0)).row(); };
    int row = forward ? -1 : rows;
    if (from >= 0)
        row = m_sorted->mapFromSource(m_model->index(from, 0)).row();
    for (row += forward ? 1 : -1; row >= 0 && row < rows; row += forward ? 1 : -1) {
        if (m_site->pages()[size_t(pageAt(row))].failedCount() > 0)
            return pageAt(row);
    }
    return std::nullopt;
}

void SitePanel::selectPage(int index)
{
    if (!m_model || index < 0)
        return;
    const QModelIndex row = m_sorted->mapFromSource(m_model->index(index, 0));
    m_table->setCurrentIndex(row);
    m_table->scrollTo(row);
}

void SitePanel::showProgress(int decided, int total)
{
    m_countLabel->setText(tr("%1 / %2 pages").arg(decided).arg(total));
}

void SitePanel::onRowActivated(const QModelIndex& index)
{
    if (index.isValid())
        emit pageChosen(m_sorted->mapToSource(index).row());
}
