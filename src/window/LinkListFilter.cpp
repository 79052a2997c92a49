#include "LinkListFilter.h"

#include "LinkListModel.h"

LinkListFilter::LinkListFilter(QObject* parent) : QSortFilterProxyModel(parent)
{
    setSortRole(LinkListModel::SortRole);
}

void LinkListFilter::setLinkKind(const LinkKindChoice& kind)
{
    m_kind = kind;
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
    const int classOfRow = model->index(sourceRow, 0, sourceParent).data(LinkListModel::ClassRole).toInt();
    if (!m_kind.accepts(classOfRow < 0 ? std::nullopt : std::optional(LinkClass(classOfRow))))
        return false;
    if (m_text.isEmpty())
        return true;
    for (int column = 0; column < model->columnCount(sourceParent); ++column) {
        if (model->index(sourceRow, column, sourceParent).data().toString().contains(m_text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
