#include "FileTest.h"

#include "NativeName.h"

#include <sys/stat.h>

bool expressibleAsFileName(const QString& path)
{
    if (path.isEmpty())
        return false;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const QChar c = path.at(i);
        if (c.isNull())
            return false;
        if (c.isHighSurrogate()) {
            if (i + 1 >= path.size() || !path.at(i + 1).isLowSurrogate())
                return false;
            ++i;
        } else if (c.isLowSurrogate() && !holdsUndecodableBytes(QStringView(&c, 1))) {
            return false;
        }
    }
    return true;
}

bool fileExists(const QString& path)
{
    if (!expressibleAsFileName(path))
        return false;
    struct stat info;
    return ::stat(toNativeName(path).constData(), &info) == 0;
}
