#pragma once

#include <QString>

#include <functional>

class CodePage;
class LinkScanner;
class Prompter;
class WebCheck;
struct Document;
struct DocumentSource;
struct RunState;

// Reads the document a source names into htmlData: a local file, or a page fetched by URL.
bool readDocument(const DocumentSource& source, Document& document, const CodePage& codePage, WebCheck& web);

// Loads the document a path box names and runs the full check on it: reading, the HTML tag question,
// the base of relative links, the scan, and the stop report. The window locks and unlocks itself
// around it; the headless checker calls it as it is.
class DocumentLoader {
public:
    enum class Outcome { Loaded, ReadFailed, Declined, Stopped, Failed };

    DocumentLoader(Document& document, RunState& run, const CodePage& codePage, WebCheck& web, LinkScanner& scanner,
                   Prompter& prompter);

    // Called after a successful load of a local file, with the path (the history records it).
    void setLocalFileLoadedHook(std::function<void(const QString&)> hook) { m_localFileLoaded = std::move(hook); }

    Outcome load(const QString& pathBoxText);

private:
    Outcome readAndCheck(const DocumentSource& source);

    Document& m_document;
    RunState& m_run;
    const CodePage& m_codePage;
    WebCheck& m_web;
    LinkScanner& m_scanner;
    Prompter& m_prompter;
    std::function<void(const QString&)> m_localFileLoaded;
};
