#pragma once

#include <QString>

// True when a file or folder exists at path. A plain existence test: no wildcard is expanded, and
// a path that cannot be expressed as a file name (empty, NUL, unpaired surrogate) or any error gives False.
bool fileExists(const QString& path);

// False for what names no file: an empty path, one holding NUL, or an unpaired surrogate that does not
// stand for a byte of a name (NativeName.h).
bool expressibleAsFileName(const QString& path);
