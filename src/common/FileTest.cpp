#include "FileTest.h"

#include <QFile>

#include <sys/stat.h>

namespace {

bool expressibleAsFileName(const QString& path)
{
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if (c.isNull())
            return false;
        if (c.isHighSurrogate()) {
            if (i + 1 >= path.size() || !path.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    return true;
}

} // namespace

bool fileExists(const QString& path)
{
    if (path.isEmpty() || !expressibleAsFileName(path))
        return false;
    struct stat info;
    return ::stat(QFile::encodeName(path).constData(), &info) == 0;
}
