#include "SiteListModel.h"

#include "WindowTexts.h"
#include "common/CsvRow.h"
#include "links/ReasonText.h"
#include "web/Site.h"

namespace {

std::optional<LinkClass> failedClassOf(int column)
{
    switch (column) {
    case SiteListModel::NgWebColumn:
        return LinkClass::NgWeb;
    case SiteListModel::NgFileColumn:
        return LinkClass::NgFile;
    case SiteListModel::NgPageColumn:
        return LinkClass::NgPage;
    default:
        return std::nullopt;
    }
}

} // namespace

SiteListModel::SiteListModel(const Site& site, QObject* parent) : QAbstractTableModel(parent), m_site(site)
{
    connect(&site, &Site::pageDecided, this,
            [this](int row) { emit dataChanged(index(row, 0), index(row, ColumnCount - 1)); });
}

int SiteListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_site.pages().size());
}

int SiteListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SiteListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != SortRole && role != Qt::ToolTipRole))
        return {};
    const SitePage& page = m_site.pages()[size_t(index.row())];
    if (index.column() == PageColumn)
        return page.relativePath;
    if (!page.decided)
        return {};
    if (!page.whyUnreadable.isEmpty())
        return index.column() == EncodingColumn || role == Qt::ToolTipRole ? reasonText(page.whyUnreadable)
                                                                           : QVariant();
    int count = 0;
    switch (index.column()) {
    case LinksColumn:
        count = int(page.links.size());
        break;
    case EncodingColumn:
        return page.encoding;
    default:
        count = page.failedCount(failedClassOf(index.column()));
        break;
    }
    return role == SortRole ? QVariant(count) : QVariant(QString::number(count));
}

QVariant SiteListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case PageColumn:
        return tr("Page");
    case LinksColumn:
        return tr("Links");
    case EncodingColumn:
        return tr("Encoding");
    default:
        return linkClassLabel(*failedClassOf(section));
    }
}

QString SiteListModel::csvText() const
{
    QString text = csvRow({tr("Page"), tr("Line"), tr("Column"), tr("Result"), tr("Link"), tr("Reason"), tr("Target")});
    for (const SitePage& page : m_site.pages()) {
        for (const LinkEntry& link : page.links) {
            if (!link.decided)
                continue;
            const std::optional<LinkClass> linkClass = classOf(link.result);
            text += csvRow({page.relativePath, QString::number(link.line), QString::number(link.column),
                            linkClass ? linkClassLabel(*linkClass) : QString::number(toCode(link.result)), link.value,
                            reasonText(describeReason(link.result, link.reason)), resolvedTarget(link.reason)});
        }
    }
    return text;
}
