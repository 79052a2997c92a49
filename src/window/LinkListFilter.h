#pragma once

#include "LinkKindChoice.h"

#include <QSortFilterProxyModel>

// The rows of the link list the user asks for: those of a kind (the kinds of the move list), holding a
// text in any column; sorted by any column.
class LinkListFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit LinkListFilter(QObject* parent = nullptr);

    void setLinkKind(const LinkKindChoice& kind);
    // Matched without regard to letter case; empty: every row.
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    LinkKindChoice m_kind;
    QString m_text;
};
