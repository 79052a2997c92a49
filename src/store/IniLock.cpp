#include "IniLock.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>

namespace {

// Another window holds the lock for a read and a write of a small file: milliseconds. A holder that hangs
// must not hang this window too.
constexpr auto MaxWait = std::chrono::seconds(3);
constexpr auto RetryPause = std::chrono::milliseconds(10);

} // namespace

IniLock::IniLock(const QString& iniPath)
    : m_folder(
          ::open(QFile::encodeName(QFileInfo(iniPath).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (!m_folder.isOpen())
        return;
    const auto giveUpAt = std::chrono::steady_clock::now() + MaxWait;
    while (::flock(m_folder.get(), LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) || std::chrono::steady_clock::now() >= giveUpAt)
            return;
        std::this_thread::sleep_for(RetryPause);
    }
    m_held = true;
}
