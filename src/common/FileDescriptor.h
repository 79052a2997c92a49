#pragma once

#include <QtGlobal>

#include <utility>

// An open POSIX file descriptor, closed when its holder goes; for the file reads and writes that need what
// QFile does not offer (O_NONBLOCK, O_EXCL, flock, link, fsync of a folder).
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept;
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor();

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Writes all size bytes at data to fd, resuming after signals. 0, or the errno of the failed write.
int writeAll(int fd, const char* data, qsizetype size);
