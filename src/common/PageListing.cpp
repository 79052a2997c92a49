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

// False once visit said to stop.
bool visitBelow(const QByteArray& folder, const std::function<bool(const QString& path)>& visit)
{
    const std::unique_ptr<DIR, DirCloser> dir(opendir(folder.constData()));
    if (!dir)
        return true;
    while (const dirent* entry = readdir(dir.get())) {
        if (entry->d_name[0] == '.')
            continue;
        const QByteArray path = folder + '/' + QByteArray(entry->d_name, qsizetype(std::strlen(entry->d_name)));
        if (isFolder(path, entry->d_type) ? !visitBelow(path, visit) : !visit(fromNativeName(path)))
            return false;
    }
    return true;
}

} // namespace

QStringList pagesBelow(const QString& folder)
{
    QStringList pages;
    visitFilesBelow(folder, [&pages](const QString& path) {
        if (isPageName(path))
            pages.append(path);
        return true;
    });
    std::sort(pages.begin(), pages.end());
    return pages;
}

void visitFilesBelow(const QString& folder, const std::function<bool(const QString& path)>& visit)
{
    QByteArray root = toNativeName(folder);
    while (root.size() > 1 && root.endsWith('/'))
        root.chop(1);
    visitBelow(root, visit);
}

bool isPageName(const QString& name)
{
    return name.endsWith(u".htm", Qt::CaseInsensitive) || name.endsWith(u".html", Qt::CaseInsensitive);
}
