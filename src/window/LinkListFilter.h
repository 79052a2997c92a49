#pragma once

#include "links/LinkKinds.h"

#include <QSortFilterProxyModel>

#include <optional>

// The rows of the link list the user asks for: those of a class (the kinds of the move list), holding a
// text in any column; sorted by any column.
class LinkListFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit LinkListFilter(QObject* parent = nullptr);

    // nullopt: every class.
    void setLinkClass(std::optional<LinkClass> linkClass);
    // Matched without regard to letter case; empty: every row.
    void setText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::optional<LinkClass> m_class;
    QString m_text;
};
