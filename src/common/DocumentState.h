#pragma once

#include <QString>

// The state of the one open document and the flags that long operations share.
// The main window owns one instance for the whole run; the engine receives it by reference.
struct DocumentState {
    QString HtmlData;  // the text as last read or written: the reference for change detection
    QString DocPath;   // path or URL of the current document, blanks trimmed; empty when none
    QString DocBase;   // base for relative links: the document's folder or the URL's base
    bool DocIsFile = false;
    bool DocLoaded = false;
    bool IsBusy = false;
    bool IsNavigating = false;
    bool AbortRequested = false;  // set by the stop button or a close request; polled by long loops
    bool InetReady = false;
};
