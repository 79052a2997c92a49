#include "TempSibling.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString TempSuffix = QStringLiteral(".tmp");

// Whether path still names the file open as fd: a cleanup may have removed it, or the name been reused.
bool namesOpenFile(const QByteArray& path, int fd)
{
    struct stat named, opened;
    return ::lstat(path.constData(), &named) == 0 && ::fstat(fd, &opened) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

} // namespace

QString tempNamePrefix(const QString& target)
{
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(QFileInfo(target).fileName()), QCryptographicHash::Sha1);
    return QStringLiteral(".tarnwick-") + QString::fromLatin1(hash.first(4).toHex()) + u'-';
}

FileDescriptor createTempSibling(const QString& target, mode_t mode, QByteArray& name, int& error)
{
    const QString prefix = QFileInfo(target).dir().filePath(tempNamePrefix(target));
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString random =
            QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        name = QFile::encodeName(prefix + random + TempSuffix);
        FileDescriptor fd(::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (!fd.isOpen()) {
            if (errno == EEXIST)
                continue;
            error = errno;
            return fd;
        }
        // Between the creation and the lock, a cleanup may take the new file for a leftover and remove
        // it: then a fresh name is tried. Where the file system has no flock, cleanups cannot lock either
        // and so never remove anything.
        if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
            continue;
        if (namesOpenFile(name, fd.get()))
            return fd;
    }
    error = EEXIST;
    return FileDescriptor();
}

void removeStaleTempSiblings(const QString& target)
{
    const QDir folder = QFileInfo(target).dir();
    const QStringList names =
        folder.entryList({tempNamePrefix(target) + u'*' + TempSuffix}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        // A write-only file (its target's mode) can still be opened for writing, which flock does not need.
        FileDescriptor fd(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (!fd.isOpen() && errno == EACCES)
            fd = FileDescriptor(::open(path.constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened;
        if (!fd.isOpen() || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        // Locked now, so no writer holds it; the name is checked again in case it was reused meanwhile.
        if (namesOpenFile(path, fd.get()))
            ::unlink(path.constData());
    }
}
