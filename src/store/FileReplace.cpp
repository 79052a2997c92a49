#include "FileReplace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The file the bytes really belong to: a symbolic link's target, so that the link itself survives.
QString resolvedTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// Creates a new, empty file beside target with the permissions the process gives new files.
int createSibling(const QString& target, QByteArray& siblingName)
{
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 16; ++attempt) {
        // A short name of its own: the target's name may already be as long as names can be.
        const QString name =
            QStringLiteral(".tarnwick-%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        siblingName = QFile::encodeName(info.dir().filePath(name));
        const int fd = ::open(siblingName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Writes bytes into the new file fd, taking over the mode and owner of the file it replaces.
QString fillSibling(int fd, const QByteArray& bytes, const struct stat* replaced)
{
    if (replaced) {
        if (::fchmod(fd, replaced->st_mode & 07777) != 0)
            return systemError(errno);
        // Only a privileged process may give the file away; otherwise the owner is ours already.
        (void)!::fchown(fd, replaced->st_uid, replaced->st_gid);
    }
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        return systemError(errno);
    return QString();
}

} // namespace

QString replaceFile(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty() || path.contains(QChar(u'\0')))
        return QStringLiteral("ファイル名が正しくありません。");
    const QString target = resolvedTarget(path);
    const QByteArray encodedTarget = QFile::encodeName(target);

    struct stat existing;
    const bool exists = ::stat(encodedTarget.constData(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return QStringLiteral("同じ名前のフォルダーがあります。");
        if (!S_ISREG(existing.st_mode))
            return QStringLiteral("通常のファイルではありません。");
        // A file nobody may write is read-only even to a process that could override it.
        if ((existing.st_mode & 0222) == 0 || ::access(encodedTarget.constData(), W_OK) != 0)
            return QStringLiteral("読み取り専用のファイルです。");
    }

    QByteArray sibling;
    const int fd = createSibling(target, sibling);
    if (fd < 0)
        return systemError(errno);
    QString error = fillSibling(fd, bytes, exists ? &existing : nullptr);
    if (::close(fd) != 0 && error.isEmpty())
        error = systemError(errno);
    if (error.isEmpty() && ::rename(sibling.constData(), encodedTarget.constData()) != 0)
        error = systemError(errno);
    if (!error.isEmpty())
        ::unlink(sibling.constData());
    return error;
}
