#pragma once

#include "common/FileDescriptor.h"

#include <QString>

// Keeps other processes out of a read-change-write of one INI file while it is held: an exclusive flock on
// the file's folder (each write replaces the file itself, and with it a lock taken on it). It waits for a
// holder at most a few seconds; a folder that cannot be locked leaves the change unguarded, as before.
class IniLock {
public:
    explicit IniLock(const QString& iniPath);

    bool isHeld() const { return m_held; }

private:
    FileDescriptor m_folder;
    bool m_held = false;
};
