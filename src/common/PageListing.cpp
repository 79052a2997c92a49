#include "PageListing.h"

#include "NativeName.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

bool isFolder(const QByteArray& path, unsigned char type)
{
    if (type != DT_UNKNOWN)
        return type == DT_DIR;
    struct stat info;
    return ::lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

void listInto(const QByteArray& folder, QStringList& pages)
{
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.constData()));
    if (!dir)
        return;
    while (const dirent* entry = readdir(dir.get())) {
        if (entry->d_name[0] == '.')
            continue;
        const QByteArray path = folder + '/' + QByteArray(entry->d_name, qsizetype(std::strlen(entry->d_name)));
        if (isFolder(path, entry->d_type))
            listInto(path, pages);
        else if (isPageName(fromNativeName(entry->d_name)))
            pages.append(fromNativeName(path));
    }
}

} // namespace

QStringList pagesBelow(const QString& folder)
{
    QByteArray root = toNativeName(folder);
    while (root.size() > 1 && root.endsWith('/'))
        root.chop(1);
    QStringList pages;
    listInto(root, pages);
    std::sort(pages.begin(), pages.end());
    return pages;
}

bool isPageName(const QString& name)
{
    return name.endsWith(u".htm", Qt::CaseInsensitive) || name.endsWith(u".html", Qt::CaseInsensitive);
}
