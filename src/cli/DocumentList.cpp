#include "DocumentList.h"

#include "common/DocumentSource.h"
#include "common/NativeName.h"
#include "common/PageListing.h"

#include <sys/stat.h>

QList<DocumentItem> expandDocuments(const QStringList& arguments, bool recursive)
{
    QList<DocumentItem> items;
    for (const QString& argument : arguments) {
        struct stat info;
        const bool folder =
            !isUrlPath(argument) && ::stat(toNativeName(argument).constData(), &info) == 0 && S_ISDIR(info.st_mode);
        if (!folder) {
            items.append({argument, DocumentError::None});
        } else if (!recursive) {
            items.append({argument, DocumentError::FolderWithoutRecursion});
        } else {
            for (const QString& file : pagesBelow(argument))
                items.append({file, DocumentError::None, argument});
        }
    }
    return items;
}
