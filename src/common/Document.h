#pragma once

#include <QString>

// The one open document. The main window owns it for the whole run; the engine receives it by reference.
struct Document {
    QString htmlData;       // the text as last read or written: the reference for change detection
    QString docPath;        // path or URL of the current document, blanks trimmed; empty when none
    QString docBase;        // base for relative links: the document's folder or the URL's base
    bool docIsFile = false; // read from (or written to) a local file, not fetched by URL
    bool docLoaded = false; // a load has succeeded and no later load has started
};
