#pragma once

#include "common/FileDescriptor.h"

#include <QByteArray>
#include <QString>

#include <sys/types.h>

// The temporary files a write puts beside its target before renaming them over it. A name is
// ".tarnwick-" + a hash of the target's file name + "-" + a random part + ".tmp": short whatever the
// target's name, and telling which target a leftover belongs to. A writer holds an exclusive flock on
// its temporary file until the rename, so a file of that pattern that nobody holds locked is a
// leftover of a write that died, and one that is locked belongs to a write under way.

// The start of the names of target's temporary files, without folder: ".tarnwick-1f2e3d4c-".
QString tempNamePrefix(const QString& target);

// Creates a new, empty temporary file beside target with mode (before the umask), open for writing and
// locked; its path in name. Not open on failure, with the errno in error.
FileDescriptor createTempSibling(const QString& target, mode_t mode, QByteArray& name, int& error);

// Removes target's temporary files that no process holds locked. Best effort: what cannot be removed stays.
void removeStaleTempSiblings(const QString& target);
