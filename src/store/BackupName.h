#pragma once

#include <QString>

// Backup generations of a document: its path with the extension replaced by a generation number,
// "001" to "099" and from then on the plain decimal ("100", ..., "999", "1000", ...): index.html
// gives index.001, README gives README.001. Extension and base are taken from the file name only,
// so a dot in a folder name never moves a backup out of the document's folder.

// The text after the last "." of the file name; empty when the name has none.
QString documentExtension(const QString& path);

// The name of backup generation n (n >= 1) of the document at path.
QString backupGenerationName(const QString& path, qint64 generation);

// The first generation, counting from `from`, whose name no file or folder has: gaps left by deleted
// generations are filled first.
qint64 firstFreeBackupGeneration(const QString& path, qint64 from = 1);
