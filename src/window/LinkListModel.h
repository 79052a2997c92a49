#pragma once

#include <QAbstractTableModel>

#include <optional>
#include <vector>

class LinkSpans;
class RepairSuggestions;

// The checked links of the document as table rows: line, result, value, reason, resolved target, and the
// tag and attribute the value stands in ("A HREF", "IMG SRC"), and the first value that could repair it. A row
// is a span (LinkSpans), so it follows its tag through edits; a row whose tag was edited says that it is
// no longer checked until a check of it, and one that no check has decided yet says so.
class LinkListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        LineColumn,
        ResultColumn,
        ValueColumn,
        ReasonColumn,
        TargetColumn,
        TagColumn,
        SuggestionColumn,
        ColumnCount
    };
    // The row's display class, for the class filter: a LinkClass, or -1 for a row not (or no longer) checked.
    static constexpr int ClassRole = Qt::UserRole + 1;
    // The value a column sorts by: numbers for the line.
    static constexpr int SortRole = Qt::UserRole + 2;

    explicit LinkListModel(LinkSpans& spans, QObject* parent = nullptr);

    // Where the row's tag begins now, as a text offset of the editor.
    int tagOffset(int row) const;
    // What repairs the links of the last check (may be null: none is offered). It must outlive its use here.
    void setSuggestions(RepairSuggestions* suggestions);
    // The values that could repair a row's link, best first; none for a row no check decided or whose tag
    // was edited since.
    QStringList suggestionsOf(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    // The worded reason of a row, worded once: sorting by it asks for it many times.
    const QString& reasonOf(int row) const;

    LinkSpans& m_spans;
    RepairSuggestions* m_suggestions = nullptr;
    mutable std::vector<std::optional<QString>> m_reasons;
    mutable std::vector<std::optional<QStringList>> m_repairs; // asked once per row, like the reasons
};
