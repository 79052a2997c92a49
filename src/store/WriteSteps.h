#pragma once

#include <QString>

#include <functional>

// The points between the steps of a file write (FileReplace.h) at which a test stops the write, as a
// crash would, or changes the folder under it, as another process could.
enum class WriteStep {
    BackupNameChosen, // name: the free generation name the previous file is about to take
    BackupMade,       // name: the generation now holding the previous file
    TempWritten,      // name: the temporary file, complete and flushed, not yet renamed over the target
    Renamed,          // name: the file that now holds the new bytes
};

struct WriteSteps {
    std::function<void(WriteStep step, const QString& name)> reached;
    // Non-zero: every hard link fails with this errno, as on a file system that has none.
    int linkError = 0;
};

inline void reachStep(const WriteSteps* steps, WriteStep step, const QString& name)
{
    if (steps && steps->reached)
        steps->reached(step, name);
}
