#pragma once

#include <QString>

#include <functional>

class LinkScanner;
class Prompter;
class WebCheck;
struct Document;
struct DocumentSource;
struct RunState;

// Reads the document a source names into the document's text, encoding and read loss: a local file, or a
// page fetched by URL whose Content-Type joins the detection. encoding: "auto" detects, a code page name
// forces that one (decodeDocumentText, DocumentFile.h). False, with the document untouched, when it
// cannot be read.
bool readDocument(const DocumentSource& source, Document& document, const QString& encoding, WebCheck& web);

// Loads the document a path box names and runs the full check on it: reading, the HTML tag question,
// the base of relative links, the scan, the stop report, and last the report of bytes the text does
// not hold. The window locks and unlocks itself around it; the headless checker calls it as it is.
class DocumentLoader {
public:
    enum class Outcome { Loaded, ReadFailed, Declined, Stopped, Failed };

    // encoding: the setting every load follows ("auto" or a code page name).
    DocumentLoader(Document& document, RunState& run, QString encoding, WebCheck& web, LinkScanner& scanner,
                   Prompter& prompter);

    // Called after a successful load of a local file, with the path (the history records it).
    void setLocalFileLoadedHook(std::function<void(const QString&)> hook) { m_localFileLoaded = std::move(hook); }

    // encoding: for this load only, the encoding to read in instead of the setting; empty follows the setting.
    Outcome load(const QString& pathBoxText, const QString& encoding = QString());

private:
    Outcome readAndCheck(const DocumentSource& source, const QString& encoding);

    Document& m_document;
    RunState& m_run;
    QString m_encoding;
    WebCheck& m_web;
    LinkScanner& m_scanner;
    Prompter& m_prompter;
    std::function<void(const QString&)> m_localFileLoaded;
};
