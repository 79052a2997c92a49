#include "LinkListFilter.h"

#include "LinkListModel.h"

LinkListFilter::LinkListFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(LinkListModel::SortRole);
}

void LinkListFilter::setLinkClass(std::optional<LinkClass> linkClass)
{
    m_class = linkClass;
    invalidateFilter();
}

void LinkListFilter::setText(const QString& text)
{
    m_text = text;
    invalidateFilter();
}

bool LinkListFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const QAbstractItemModel* model = sourceModel();
    if (m_class && model->index(sourceRow, 0, sourceParent).data(LinkListModel::ClassRole).toInt() != int(*m_class))
        return false;
    if (m_text.isEmpty())
        return true;
    for (int column = 0; column < model->columnCount(sourceParent); ++column) {
        if (model->index(sourceRow, column, sourceParent).data().toString().contains(m_text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
