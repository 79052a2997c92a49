#include "FileStamp.h"

#include "FileTest.h"
#include "NativeName.h"

#include <sys/stat.h>

FileStamp FileStamp::of(const struct stat& info)
{
    return {quint64(info.st_dev), quint64(info.st_ino),
            qint64(info.st_mtim.tv_sec) * 1'000'000'000 + qint64(info.st_mtim.tv_nsec), qint64(info.st_size)};
}

std::optional<FileStamp> fileStampOf(const QString& path)
{
    struct stat info;
    if (!expressibleAsFileName(path) || ::stat(toNativeName(path).constData(), &info) != 0)
        return std::nullopt;
    return FileStamp::of(info);
}
