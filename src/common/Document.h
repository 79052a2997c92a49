#pragma once

#include "FileStamp.h"
#include "TextEncoding.h"

#include <QString>

#include <optional>

// What the text of a document does not hold of the bytes it was read from.
struct ReadLoss {
    qsizetype undecodableBytes = 0; // bytes the encoding could not read, shown as U+FFFD
    int firstUndecodableLine = 0;   // the line of the first of them; 0 when there is none
    int nulLine = 0;                // the line where a NUL byte ended the text (the rest is not read); 0 when none
    bool any() const { return undecodableBytes > 0 || nulLine > 0; }
};

// The one open document. The main window owns it for the whole run; the engine receives it by reference.
struct Document {
    QString htmlData;       // the text as last read or written: the reference for change detection
    QString docPath;        // path or URL of the current document, blanks trimmed; empty when none
    QString docBase;        // base for relative links: the document's folder or the URL's base
    bool docIsFile = false; // read from (or written to) a local file, not fetched by URL
    bool docLoaded = false; // a load has succeeded and no later load has started
    // The encoding the text was read in and is written in, with the byte-order mark the file had.
    TextEncoding encoding{QString::fromLatin1(CodePage::DefaultName)};
    ReadLoss readLoss{}; // of the last read; empty once the text was written
    // The file as last read or written, to notice another program's change; none for a web document.
    std::optional<FileStamp> diskStamp{};
};
