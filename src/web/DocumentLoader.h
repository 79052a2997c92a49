#pragma once

#include <QString>

#include <functional>

class CodePage;
class LinkScanner;
class Prompter;
class WebCheck;
struct DocumentState;

// Decides between URL and local file and reads the document into HtmlData. isFile becomes true only
// when a local file was read. With noUrl every path is taken for a local file.
bool Fnc_ReadDocument(const QString& path, bool& isFile, bool noUrl, DocumentState& state, const CodePage& codePage,
                      WebCheck& web);

// Loads the document a path box names and runs the full check on it: reading, the HTML tag warning,
// the base of relative links, the scan, and the stop report. The window locks and unlocks itself
// around it; the headless checker calls it as it is.
class DocumentLoader {
public:
    enum class Outcome { Loaded, ReadFailed, Declined, Stopped, Failed };

    DocumentLoader(DocumentState& state, const CodePage& codePage, WebCheck& web, LinkScanner& scanner,
                   Prompter& prompter);

    // Called after a successful load of a local file, with the path (the history records it).
    void setLocalFileLoadedHook(std::function<void(const QString&)> hook) { m_localFileLoaded = std::move(hook); }

    Outcome load(const QString& pathBoxText);

private:
    Outcome readAndCheck(const QString& path);

    DocumentState& m_state;
    const CodePage& m_codePage;
    WebCheck& m_web;
    LinkScanner& m_scanner;
    Prompter& m_prompter;
    std::function<void(const QString&)> m_localFileLoaded;
};
