#pragma once

#include "WriteSteps.h"

#include <QString>

// Keeps the regular file at target as its first free backup generation (BackupName.h) without ever
// taking it from its own name: a hard link to it, or where the file system will not link it, a copy
// with its content, mode and times, flushed to disk. A generation that another writer takes meanwhile
// is never overwritten: the next free one is used. Returns 0 with the generation made in name, or the
// errno with nothing made.
int makeBackupGeneration(const QString& target, QString& name, const WriteSteps* steps = nullptr);
