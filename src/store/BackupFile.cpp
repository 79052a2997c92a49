#include "BackupFile.h"

#include "BackupName.h"
#include "common/FileDescriptor.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Copies the file at from to the new name to, which must not exist yet. 0, EEXIST when it does, or the errno.
int copyToNewFile(const QByteArray& from, const QByteArray& to)
{
    const FileDescriptor source(::open(from.constData(), O_RDONLY | O_CLOEXEC));
    struct stat info;
    if (!source.isOpen() || ::fstat(source.get(), &info) != 0)
        return errno;
    // Readable by the owner only until it has the source's owner and mode.
    const FileDescriptor copy(::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!copy.isOpen())
        return errno;
    int error = 0;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(source.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            error = got < 0 ? errno : 0;
            break;
        }
        if ((error = writeAll(copy.get(), buffer, got)) != 0)
            break;
    }
    // Only a privileged process may give the copy away; otherwise it is the owner's already.
    (void)!::fchown(copy.get(), info.st_uid, info.st_gid);
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    if (error == 0 && (::fchmod(copy.get(), info.st_mode & 07777) != 0 || ::futimens(copy.get(), times) != 0 ||
                       ::fsync(copy.get()) != 0))
        error = errno;
    if (error != 0)
        ::unlink(to.constData());
    return error;
}

int linkOrCopy(const QByteArray& from, const QByteArray& to, const WriteSteps* steps)
{
    int linkError = 0;
    if (steps && steps->linkError)
        linkError = steps->linkError;
    else if (::link(from.constData(), to.constData()) != 0)
        linkError = errno;
    // EEXIST: the name was taken meanwhile. Any other error may come from a file system without hard
    // links (EXDEV, EPERM, EMLINK, ENOTSUP...), where a copy still keeps the file; other faults fail it too.
    if (linkError == 0 || linkError == EEXIST)
        return linkError;
    return copyToNewFile(from, to);
}

} // namespace

int makeBackupGeneration(const QString& target, QString& name, const WriteSteps* steps)
{
    const QByteArray encodedTarget = QFile::encodeName(target);
    for (qint64 generation = 1;; ++generation) {
        generation = firstFreeBackupGeneration(target, generation);
        name = backupGenerationName(target, generation);
        reachStep(steps, WriteStep::BackupNameChosen, name);
        const int error = linkOrCopy(encodedTarget, QFile::encodeName(name), steps);
        if (error == 0) {
            reachStep(steps, WriteStep::BackupMade, name);
            return 0;
        }
        if (error != EEXIST) {
            name.clear();
            return error;
        }
    }
}
