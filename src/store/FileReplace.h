#pragma once

#include "WriteSteps.h"
#include "common/WriteFailure.h"

#include <QByteArray>
#include <QString>

struct WriteResult {
    WriteFailure failure = WriteFailure::None;
    int errorNumber = 0; // the errno, for System
    QString systemError; // its strerror text, for System
    QString backupName;  // the backup generation made, on success; empty when none was made
    bool ok() const { return failure == WriteFailure::None; }
};

struct WriteOptions {
    // Keep the file's previous content as its first free backup generation (BackupName.h).
    bool keepBackup = false;
    // A file that does not exist yet is made readable by its owner only, rather than as the umask says.
    bool ownerOnly = false;
    const WriteSteps* steps = nullptr; // for tests
};

// Replaces what the file at path holds with bytes, so that the path always holds a complete file, the
// previous or the new one, whenever the process dies. Refusals come first and touch nothing: a folder,
// another non-regular file, a read-only file (one with no write permission for anyone, or one this
// process may not write). A symbolic link is written through: it stays a link and its final target is
// the file written, with its backup beside it.
//
// With keepBackup, the existing file first gets a second name, its backup generation (a hard link, or
// a copy where the file system has none); the document's own name is never removed. Then the bytes go
// to a temporary file in the same folder (TempSibling.h), which is flushed to disk, given the mode and
// owner of the file it replaces and renamed over it; the folder is flushed last. If the replacement
// fails, the backup just made is removed again and the file is as it was. Temporary files left beside
// the target by writes that died are removed first.
WriteResult writeFileAtomically(const QString& path, const QByteArray& bytes, const WriteOptions& options = {});

// writeFileAtomically for a document, whose new file gets the mode the umask gives.
WriteResult writeDocumentFile(const QString& path, const QByteArray& bytes, bool keepBackup,
                              const WriteSteps* testHook = nullptr);
