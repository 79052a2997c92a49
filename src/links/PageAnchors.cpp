#include "PageAnchors.h"

#include "common/DocumentFile.h"
#include "common/SearchCopy.h"

#include <QDir>

PageAnchors::PageAnchors(QString encoding) : m_encoding(std::move(encoding)) {}

std::optional<FragmentMatch> PageAnchors::match(const QString& path, const QString& fragment)
{
    const AnchorIndex* anchors = anchorsOf(path);
    if (!anchors)
        return std::nullopt;
    return anchors->match(fragment);
}

const AnchorIndex* PageAnchors::anchorsOf(const QString& path)
{
    const QString key = QDir::cleanPath(path);
    auto page = m_pages.find(key);
    if (page == m_pages.end()) {
        std::optional<AnchorIndex> index;
        if (const LocalFileRead read = readLocalFile(key); read.error == LocalReadError::None) {
            const DocumentText document = decodeDocumentText(read.bytes, QString(), m_encoding);
            index.emplace(document.text, makeSearchCopy(document.text));
        }
        page = m_pages.insert(key, std::move(index));
    }
    return *page ? &**page : nullptr;
}

void PageAnchors::forget(const QString& path)
{
    m_pages.remove(QDir::cleanPath(path));
}
