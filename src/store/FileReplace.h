#pragma once

#include <QByteArray>
#include <QString>

// Replaces what the file at path holds with bytes, so that the path never holds a half-written file:
// the bytes go to a new file in the same folder, which is flushed to disk and then renamed over the
// target. An existing target keeps its permissions and owner; a symbolic link is written through.
// A target that is a folder or another non-regular file, or a read-only file (one with no write
// permission for anyone, or one this process may not write), is refused and left as it was.
// Returns an empty string on success, else the reason, for the user.
QString replaceFile(const QString& path, const QByteArray& bytes);
