#include "DocumentList.h"

#include "common/DocumentSource.h"

#include <QDirIterator>
#include <QFileInfo>

#include <algorithm>

namespace {

QStringList htmlFilesBelow(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, {QStringLiteral("*.htm"), QStringLiteral("*.html")}, QDir::Files | QDir::Readable,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

QList<DocumentItem> expandDocuments(const QStringList& arguments, bool recursive)
{
    QList<DocumentItem> items;
    for (const QString& argument : arguments) {
        if (isUrlPath(argument) || !QFileInfo(argument).isDir()) {
            items.append({argument, DocumentError::None});
        } else if (!recursive) {
            items.append({argument, DocumentError::FolderWithoutRecursion});
        } else {
            for (const QString& file : htmlFilesBelow(argument))
                items.append({file, DocumentError::None});
        }
    }
    return items;
}
