#include "LinkListPanel.h"

#include "LinkKindChoice.h"
#include "LinkListFilter.h"
#include "LinkListModel.h"
#include "ListTable.h"
#include "SuggestionMenu.h"
#include "WindowTexts.h"
#include "common/CsvRow.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

LinkListPanel::LinkListPanel(LinkListModel& model, QWidget* parent)
    : QDockWidget(tr("Link list"), parent), m_model(model), m_filter(new LinkListFilter(this)),
      m_filterEdit(new QLineEdit), m_classCombo(new QComboBox), m_countLabel(new QLabel), m_table(new QTableView)
{
    setObjectName(QStringLiteral("linkListPanel"));
    m_filter->setSourceModel(&m_model);

    m_filterEdit->setObjectName(QStringLiteral("linkFilterEdit"));
    m_filterEdit->setPlaceholderText(tr("Filter"));
    m_filterEdit->setClearButtonEnabled(true);
    m_classCombo->setObjectName(QStringLiteral("linkClassCombo"));
    fillLinkKindList(*m_classCombo, tr("All links"));
    m_countLabel->setObjectName(QStringLiteral("linkCountLabel"));
    auto* csvButton = new QPushButton(tr("Save as CSV..."));
    csvButton->setObjectName(QStringLiteral("saveCsvButton"));

    m_table->setObjectName(QStringLiteral("linkTable"));
    m_table->setModel(m_filter);
    setUpListTable(*m_table);
    m_table->sortByColumn(LinkListModel::LineColumn, Qt::AscendingOrder);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    setInitialColumnWidths();

    auto* filters = new QHBoxLayout;
    filters->addWidget(m_filterEdit, 1);
    filters->addWidget(m_classCombo);
    filters->addWidget(m_countLabel);
    filters->addWidget(csvButton);
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(filters);
    layout->addWidget(m_table);
    setWidget(content);

    connect(m_filterEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { changeFilter([&] { m_filter->setText(text); }); });
    connect(m_classCombo, &QComboBox::currentIndexChanged, this,
            [this](int index) { changeFilter([&] { m_filter->setLinkKind(linkKindChoiceAt(index)); }); });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_filterChanging)
                    onRowChosen(current);
            });
    connect(m_table, &QTableView::clicked, this, &LinkListPanel::onRowChosen);
    connect(m_table, &QWidget::customContextMenuRequested, this, &LinkListPanel::showSuggestions);
    connect(csvButton, &QPushButton::clicked, this, &LinkListPanel::saveCsvRequested);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &LinkListPanel::showCount);
    connect(m_filter, &QAbstractItemModel::layoutChanged, this, &LinkListPanel::showCount);
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, &LinkListPanel::showCount);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, &LinkListPanel::showCount);
    showCount();
}

void LinkListPanel::changeFilter(const std::function<void()>& change)
{
    // A filter that hides the current row moves the table's current row; the editor's selection stays.
    m_filterChanging = true;
    change();
    m_filterChanging = false;
}

void LinkListPanel::setInitialColumnWidths()
{
    // Widths from the font rather than from the rows, which may number tens of thousands.
    const QFontMetrics metrics = m_table->fontMetrics();
    const int padding = 2 * metrics.averageCharWidth();
    int resultWidth = 0;
    for (const LinkClass linkClass : AllLinkClasses)
        resultWidth = std::max(resultWidth, metrics.horizontalAdvance(linkClassLabel(linkClass)));
    QHeaderView* header = m_table->horizontalHeader();
    header->resizeSection(LinkListModel::LineColumn, metrics.horizontalAdvance(QStringLiteral("000000")) + 2 * padding);
    header->resizeSection(LinkListModel::ResultColumn, resultWidth + padding);
    header->resizeSection(LinkListModel::ValueColumn, 24 * metrics.averageCharWidth());
    header->resizeSection(LinkListModel::ReasonColumn, 40 * metrics.averageCharWidth());
    header->setStretchLastSection(true);
}

void LinkListPanel::onRowChosen(const QModelIndex& index)
{
    if (index.isValid())
        emit tagChosen(m_model.tagOffset(m_filter->mapToSource(index).row()));
}

void LinkListPanel::showSuggestions(const QPoint& position)
{
    const QModelIndex index = m_table->indexAt(position);
    if (!index.isValid())
        return;
    const int row = m_filter->mapToSource(index).row();
    popUpSuggestions(m_model.suggestionsOf(row), m_table->viewport()->mapToGlobal(position), this,
                     [this, row](const QString& value) { emit suggestionChosen(row, value); });
}

void LinkListPanel::showCount()
{
    m_countLabel->setText(tr("%1 / %2 links").arg(m_filter->rowCount()).arg(m_model.rowCount()));
}

void LinkListPanel::refreshShownRows()
{
    // Only the rows in view are asked again: resorting and refiltering tens of thousands of rows on every
    // keystroke would make typing lag; the next sort or filter change takes the edits in.
    m_table->viewport()->update();
}

QString LinkListPanel::csvText() const
{
    QStringList header;
    for (int column = 0; column < m_filter->columnCount(); ++column)
        header.append(m_filter->headerData(column, Qt::Horizontal).toString());
    QString text = csvRow(header);
    for (int row = 0; row < m_filter->rowCount(); ++row) {
        QStringList fields;
        for (int column = 0; column < m_filter->columnCount(); ++column)
            fields.append(m_filter->index(row, column).data().toString());
        text += csvRow(fields);
    }
    return text;
}
