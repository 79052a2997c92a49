#include "LinkListPanel.h"

#include "JapaneseTexts.h"
#include "LinkListFilter.h"
#include "LinkListModel.h"
#include "common/CsvRow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

LinkListPanel::LinkListPanel(LinkListModel& model, QWidget* parent)
    : QDockWidget(QStringLiteral("リンク一覧"), parent), m_model(model), m_filter(new LinkListFilter(this)),
      m_filterEdit(new QLineEdit), m_classCombo(new QComboBox), m_countLabel(new QLabel), m_table(new QTableView)
{
    setObjectName(QStringLiteral("linkListPanel"));
    m_filter->setSourceModel(&m_model);

    m_filterEdit->setObjectName(QStringLiteral("linkFilterEdit"));
    m_filterEdit->setPlaceholderText(QStringLiteral("絞り込み"));
    m_filterEdit->setClearButtonEnabled(true);
    m_classCombo->setObjectName(QStringLiteral("linkClassCombo"));
    m_classCombo->addItem(QStringLiteral("すべてのリンク"));
    for (const LinkClass linkClass : AllLinkClasses)
        m_classCombo->addItem(linkClassLabel(linkClass), int(linkClass));
    m_countLabel->setObjectName(QStringLiteral("linkCountLabel"));
    auto* csvButton = new QPushButton(QStringLiteral("CSV で保存..."));
    csvButton->setObjectName(QStringLiteral("saveCsvButton"));

    m_table->setObjectName(QStringLiteral("linkTable"));
    m_table->setModel(m_filter);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(LinkListModel::LineColumn, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    // Fixed row heights and no fitting to contents: the table shows tens of thousands of rows at once.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->horizontalHeader()->setStretchLastSection(true);

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

    connect(m_filterEdit, &QLineEdit::textChanged, m_filter, &LinkListFilter::setText);
    connect(m_classCombo, &QComboBox::currentIndexChanged, this, [this](int index) {
        const QVariant linkClass = m_classCombo->itemData(index);
        m_filter->setLinkClass(linkClass.isValid() ? std::optional(LinkClass(linkClass.toInt())) : std::nullopt);
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { onRowChosen(current); });
    connect(m_table, &QTableView::clicked, this, &LinkListPanel::onRowChosen);
    connect(csvButton, &QPushButton::clicked, this, &LinkListPanel::saveCsvRequested);
    connect(m_filter, &QAbstractItemModel::modelReset, this, &LinkListPanel::showCount);
    connect(m_filter, &QAbstractItemModel::layoutChanged, this, &LinkListPanel::showCount);
    connect(m_filter, &QAbstractItemModel::rowsInserted, this, &LinkListPanel::showCount);
    connect(m_filter, &QAbstractItemModel::rowsRemoved, this, &LinkListPanel::showCount);
    showCount();
}

void LinkListPanel::onRowChosen(const QModelIndex& index)
{
    if (index.isValid())
        emit tagChosen(m_model.tagOffset(m_filter->mapToSource(index).row()));
}

void LinkListPanel::showCount()
{
    m_countLabel->setText(QStringLiteral("%1 / %2 件").arg(m_filter->rowCount()).arg(m_model.rowCount()));
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
