#pragma once

// Why a write failed, as data for the front end to put into words.
enum class WriteFailure {
    None,
    InvalidName,    // the path is empty or no file name (a NUL, an unpaired surrogate)
    IsFolder,       // a folder has the name
    NotRegularFile, // a device, a pipe, a socket... has the name
    ReadOnly,       // nobody may write the file, or this process may not
    System,         // a system call failed: the system's error text says why
};
