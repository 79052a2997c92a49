#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

struct stat;

// What tells one state of a file from another: which file a path names (device and inode) and when and
// how it was last changed. Another program's write changes it, whether it rewrites the file in place or
// replaces it.
struct FileStamp {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 modifiedNs = 0;
    qint64 size = 0;

    static FileStamp of(const struct stat& info);
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file a path names now; nothing when there is none.
std::optional<FileStamp> fileStampOf(const QString& path);
