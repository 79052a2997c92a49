#pragma once

#include "links/LinkClassifier.h"
#include "links/LinkTable.h"

#include <QAbstractTableModel>
#include <QTextCursor>

#include <vector>

class LinkScanner;
class RichTextBox;

// The links of the last full check as table rows: line, result, value, reason, resolved target. Each
// row follows its tag through edits made elsewhere in the text (a cursor of the document marks where
// the tag begins); a row whose tag was edited says that it is no longer checked, until a check of it.
class LinkListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { LineColumn, ResultColumn, ValueColumn, ReasonColumn, TargetColumn, ColumnCount };
    // The row's display class, for the class filter: a LinkClass, or -1 for a row no longer checked.
    static constexpr int ClassRole = Qt::UserRole + 1;
    // The value a column sorts by: numbers for the line.
    static constexpr int SortRole = Qt::UserRole + 2;

    explicit LinkListModel(RichTextBox& editor, QObject* parent = nullptr);

    // One row per link of the scanner's last check, whose text the editor holds now.
    void rebuild(const LinkScanner& scanner);
    void clear();
    // A single check repainted the tag that begins at a text offset: its row, if it has one, shows the new
    // result.
    void updateTag(int textOffset, int length, const Classification& classification);
    // Where the row's tag begins now, as a text offset of the editor.
    int tagOffset(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row {
        QTextCursor start; // before the tag's "<", moved along by edits before it
        QString tagText;   // the tag as checked
        QString value;
        LinkResult result;
        LinkReason reason;
        QString reasonText; // worded once, when the result comes
    };

    bool isEdited(const Row& row) const;
    int currentLine(const Row& row) const;

    RichTextBox& m_editor;
    std::vector<Row> m_rows;
};
