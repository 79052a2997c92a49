#include "LinkListModel.h"

#include "JapaneseTexts.h"
#include "common/Colorref.h"
#include "common/RichTextBox.h"
#include "common/SearchCopy.h"
#include "links/LinkScanner.h"
#include "links/ReasonDescription.h"
#include "links/TagValue.h"

#include <QBrush>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

const QString EditedText = QStringLiteral("編集済み（未調査）");

QString valueOf(const QString& tag)
{
    return secondPassValue(tag, makeSearchCopy(tag)).value_or(QString());
}

} // namespace

LinkListModel::LinkListModel(RichTextBox& editor, QObject* parent) : QAbstractTableModel(parent), m_editor(editor) {}

void LinkListModel::rebuild(const LinkScanner& scanner)
{
    const LinkTable& table = scanner.table();
    beginResetModel();
    m_rows.clear();
    m_rows.reserve(table.entries.size());
    QTextDocument* document = m_editor.document();
    // A cursor placed outside an edit block makes a shown document lay out the line it lands on: for tens
    // of thousands of links, most of the text. Inside an empty edit block nothing is laid out or changed.
    QTextCursor placing(document);
    placing.beginEditBlock();
    for (int index = 0; index < table.count(); ++index) {
        const LinkEntry& entry = table.entries[size_t(index)];
        QTextCursor start(document);
        start.setPosition(m_editor.toDocumentPosition(entry.start - 1));
        m_rows.push_back({start, table.tagText(entry).toString(), scanner.linkValue(index), entry.result, entry.reason,
                          reasonText(describeReason(entry.result, entry.reason))});
    }
    placing.endEditBlock();
    endResetModel();
}

void LinkListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int LinkListModel::tagOffset(int row) const
{
    return m_editor.toTextOffset(m_rows.at(size_t(row)).start.position());
}

void LinkListModel::updateTag(int textOffset, int length, const Classification& classification)
{
    // Tags never change their order, so the rows stay sorted by where their tags begin.
    const int position = m_editor.toDocumentPosition(textOffset);
    const auto it = std::lower_bound(m_rows.begin(), m_rows.end(), position,
                                     [](const Row& row, int at) { return row.start.position() < at; });
    if (it == m_rows.end() || it->start.position() != position)
        return;
    it->tagText = m_editor.textRange(textOffset, length);
    it->value = valueOf(it->tagText);
    it->result = classification.result;
    it->reason = classification.reason;
    it->reasonText = reasonText(describeReason(classification.result, classification.reason));
    const int row = int(it - m_rows.begin());
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

bool LinkListModel::isEdited(const Row& row) const
{
    const int offset = m_editor.toTextOffset(row.start.position());
    return m_editor.textRange(offset, int(row.tagText.size())) != row.tagText;
}

int LinkListModel::currentLine(const Row& row) const
{
    return row.start.block().blockNumber() + 1;
}

int LinkListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int LinkListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant LinkListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const Row& row = m_rows[size_t(index.row())];
    const std::optional<LinkClass> linkClass = classOf(row.result);
    if (role == ClassRole)
        return isEdited(row) || !linkClass ? -1 : int(*linkClass);
    if (role == Qt::ForegroundRole && index.column() == ResultColumn && linkClass && !isEdited(row))
        return QBrush(toQColor(colorOf(*linkClass)));
    if (role != Qt::DisplayRole && role != SortRole)
        return {};
    switch (index.column()) {
    case LineColumn:
        return role == SortRole ? QVariant(currentLine(row)) : QVariant(QString::number(currentLine(row)));
    case ResultColumn:
        if (isEdited(row))
            return EditedText;
        return linkClass ? linkClassLabel(*linkClass) : QString::number(toCode(row.result));
    case ValueColumn:
        return row.value;
    case ReasonColumn:
        return row.reasonText;
    case TargetColumn:
        return resolvedTarget(row.reason);
    default:
        return {};
    }
}

QVariant LinkListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case LineColumn:
        return QStringLiteral("行");
    case ResultColumn:
        return QStringLiteral("結果");
    case ValueColumn:
        return QStringLiteral("リンク");
    case ReasonColumn:
        return QStringLiteral("理由");
    case TargetColumn:
        return QStringLiteral("リンク先");
    default:
        return {};
    }
}
