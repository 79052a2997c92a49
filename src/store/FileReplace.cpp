#include "FileReplace.h"

#include "BackupFile.h"
#include "TempSibling.h"
#include "common/FileDescriptor.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the system follows in one path before it gives up with ELOOP.
constexpr int MaxLinkHops = 40;

WriteResult refused(WriteFailure failure)
{
    return WriteResult{failure, 0, QString(), QString()};
}

WriteResult systemFailure(int error)
{
    return WriteResult{WriteFailure::System, error, QString::fromLocal8Bit(std::strerror(error)), QString()};
}

bool isFileName(const QString& path)
{
    return !path.isEmpty() && !path.contains(QChar(u'\0')) && path.isValidUtf16();
}

// The file a chain of symbolic links at path ends in, existing or not, so that the links survive. A
// relative link is read against the link's own folder as given, never cleaned of "..", as the system
// reads it. A chain longer than the system follows is left for stat() to report.
QByteArray finalTarget(const QString& path)
{
    QByteArray target = QFile::encodeName(path);
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        char buffer[PATH_MAX];
        const ssize_t size = ::readlink(target.constData(), buffer, sizeof buffer);
        if (size < 0 || size == ssize_t(sizeof buffer))
            break;
        const QByteArray link(buffer, size);
        target = link.startsWith('/') ? link : target.first(target.lastIndexOf('/') + 1) + link;
    }
    return target;
}

// Gives the new file fd the owner and mode of the file it replaces, then the bytes, flushed to disk.
int fillTemp(int fd, const QByteArray& bytes, const struct stat* replaced)
{
    if (replaced) {
        // Only a privileged process may give the file away; otherwise it is the owner's already. Owner
        // first: a change of owner clears the set-id bits the mode may hold.
        (void)!::fchown(fd, replaced->st_uid, replaced->st_gid);
        if (::fchmod(fd, replaced->st_mode & 07777) != 0)
            return errno;
    }
    if (const int error = writeAll(fd, bytes.constData(), bytes.size()))
        return error;
    return ::fsync(fd) == 0 ? 0 : errno;
}

// So that the rename survives a power loss. Some file systems cannot flush a folder; the rename has been
// made by then, so that is no failure of the write.
void syncFolder(const QString& target)
{
    const FileDescriptor folder(
        ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.isOpen())
        ::fsync(folder.get());
}

// The temporary file stays locked until it has become the target, so no cleanup can take it for a leftover.
int replaceContents(const QString& target, const QByteArray& bytes, const struct stat* replaced,
                    const WriteOptions& options)
{
    QByteArray tempName;
    int error = 0;
    const mode_t mode = replaced || options.ownerOnly ? 0600 : 0666;
    const FileDescriptor temp = createTempSibling(target, mode, tempName, error);
    if (!temp.isOpen())
        return error;
    error = fillTemp(temp.get(), bytes, replaced);
    if (error == 0) {
        reachStep(options.steps, WriteStep::TempWritten, QFile::decodeName(tempName));
        if (::rename(tempName.constData(), QFile::encodeName(target).constData()) != 0)
            error = errno;
    }
    if (error != 0) {
        ::unlink(tempName.constData());
        return error;
    }
    reachStep(options.steps, WriteStep::Renamed, target);
    syncFolder(target);
    return 0;
}

} // namespace

WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, const WriteOptions& options)
{
    if (!isFileName(path))
        return refused(WriteFailure::InvalidName);
    const QByteArray encodedTarget = finalTarget(path);
    const QString target = QFile::decodeName(encodedTarget);

    struct stat existing;
    const bool exists = ::stat(encodedTarget.constData(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return systemFailure(errno);
    if (exists) {
        if (S_ISDIR(existing.st_mode))
            return refused(WriteFailure::IsFolder);
        if (!S_ISREG(existing.st_mode))
            return refused(WriteFailure::NotRegularFile);
        // A file nobody may write is read-only even to a process that could override it.
        if ((existing.st_mode & 0222) == 0 || ::access(encodedTarget.constData(), W_OK) != 0)
            return refused(WriteFailure::ReadOnly);
    }

    removeStaleTempSiblings(target);
    WriteResult result;
    if (options.keepBackup && exists) {
        if (const int error = makeBackupGeneration(target, result.backupName, options.steps))
            return systemFailure(error);
    }
    if (const int error = replaceContents(target, bytes, exists ? &existing : nullptr, options)) {
        // The file is as it was: a backup of it would only be a duplicate that nobody asked for.
        if (!result.backupName.isEmpty())
            ::unlink(QFile::encodeName(result.backupName).constData());
        return systemFailure(error);
    }
    return result;
}

WriteResult writeDocumentFile(const QString& path, const QByteArray& bytes, bool keepBackup, const WriteSteps* testHook)
{
    WriteOptions options;
    options.keepBackup = keepBackup;
    options.steps = testHook;
    return writeFileAtomically(path, bytes, options);
}
