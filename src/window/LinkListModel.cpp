#include "LinkListModel.h"

#include "WindowTexts.h"
#include "editor/LinkSpans.h"
#include "editor/ShownColor.h"
#include "links/ReasonText.h"
#include "links/RepairSuggestions.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>

LinkListModel::LinkListModel(LinkSpans& spans, QObject* parent) : QAbstractTableModel(parent), m_spans(spans)
{
    connect(&m_spans, &LinkSpans::aboutToReset, this, &LinkListModel::beginResetModel);
    connect(&m_spans, &LinkSpans::spansReset, this, [this] {
        m_reasons.assign(size_t(m_spans.count()), std::nullopt);
        m_repairs.assign(size_t(m_spans.count()), std::nullopt);
        endResetModel();
    });
    connect(&m_spans, &LinkSpans::spansChanged, this, [this](const QList<int>& rows) {
        for (const int row : rows) {
            m_reasons[size_t(row)].reset();
            m_repairs[size_t(row)].reset();
        }
        const auto [first, last] = std::minmax_element(rows.cbegin(), rows.cend());
        if (first != rows.cend())
            emit dataChanged(index(*first, 0), index(*last, ColumnCount - 1));
    });
    connect(&m_spans, &LinkSpans::spanInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        m_reasons.insert(m_reasons.begin() + row, std::nullopt);
        m_repairs.insert(m_repairs.begin() + row, std::nullopt);
        endInsertRows();
    });
}

int LinkListModel::tagOffset(int row) const
{
    return m_spans.offsetOf(row);
}

void LinkListModel::setSuggestions(RepairSuggestions* suggestions)
{
    m_suggestions = suggestions;
    m_repairs.assign(size_t(m_spans.count()), std::nullopt);
    if (m_spans.count() > 0)
        emit dataChanged(index(0, SuggestionColumn), index(m_spans.count() - 1, SuggestionColumn));
}

QStringList LinkListModel::suggestionsOf(int row) const
{
    if (!m_suggestions || m_spans.isEdited(row))
        return {};
    std::optional<QStringList>& repairs = m_repairs[size_t(row)];
    if (!repairs)
        repairs = m_suggestions->of(m_spans.at(row).link);
    return *repairs;
}

int LinkListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_spans.count();
}

int LinkListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LinkListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_spans.count())
        return {};
    const LinkEntry& link = m_spans.at(index.row()).link;
    // Only a result that still holds has a class.
    std::optional<LinkClass> linkClass;
    if (link.decided && !m_spans.isEdited(index.row()))
        linkClass = classOf(link.result);
    if (role == ClassRole)
        return linkClass ? int(*linkClass) : -1;
    if (role == Qt::ForegroundRole && index.column() == ResultColumn && linkClass)
        return QBrush(shownLinkColor(colorOf(*linkClass), QGuiApplication::palette()));
    if (role != Qt::DisplayRole && role != SortRole)
        return {};
    switch (index.column()) {
    case LineColumn: {
        const int line = m_spans.lineOf(index.row());
        return role == SortRole ? QVariant(line) : QVariant(QString::number(line));
    }
    case ResultColumn:
        if (!link.decided)
            return tr("Not checked");
        if (m_spans.isEdited(index.row()))
            return tr("Edited (not checked)");
        return linkClass ? linkClassLabel(*linkClass) : QString::number(toCode(link.result));
    case ValueColumn:
        return link.value;
    case ReasonColumn:
        return reasonOf(index.row());
    case TargetColumn:
        return link.decided ? resolvedTarget(link.reason) : QString();
    case TagColumn:
        return link.element + u' ' + link.attribute;
    case SuggestionColumn:
        return suggestionsOf(index.row()).value(0);
    default:
        return {};
    }
}

const QString& LinkListModel::reasonOf(int row) const
{
    std::optional<QString>& reason = m_reasons[size_t(row)];
    if (!reason) {
        const LinkEntry& link = m_spans.at(row).link;
        reason = link.decided ? reasonText(describeReason(link.result, link.reason)) : QString();
    }
    return *reason;
}

QVariant LinkListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case LineColumn:
        return tr("Line");
    case ResultColumn:
        return tr("Result");
    case ValueColumn:
        return tr("Link");
    case ReasonColumn:
        return tr("Reason");
    case TargetColumn:
        return tr("Target");
    case TagColumn:
        return tr("Tag");
    case SuggestionColumn:
        return tr("Suggestion");
    default:
        return {};
    }
}
