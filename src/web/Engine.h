#pragma once

#include "DocumentLoader.h"
#include "TransferScheduler.h"
#include "WebCheck.h"
#include "links/LinkNavigator.h"
#include "links/LinkRegistry.h"
#include "links/LinkScanner.h"
#include "store/DocumentWriter.h"

#include <memory>

class CheckProgress;
class Prompter;
class RichTextBox;
struct Document;
struct RunState;

struct EngineSettings {
    // "auto": each document's encoding is detected; a code page name: every document is read in that one.
    QString encoding = QStringLiteral("auto");
    TransferScheduler::Limits limits;
};

// The engine wired together once, for the window and for tarnwick-check alike: the web check, the full
// check, loading, navigation and writing, all on one document and one run state.
class Engine {
public:
    Engine(Document& document, RunState& run, RichTextBox& editor, CheckProgress& progress, Prompter& prompter,
           const EngineSettings& settings = {});

    WebCheck& web() { return *m_web; }
    LinkScanner& scanner() { return *m_scanner; }
    DocumentLoader& loader() { return *m_loader; }
    LinkNavigator& navigator() { return *m_navigator; }
    // Why each painted tag has its colour.
    LinkRegistry& registry() { return m_registry; }
    DocumentWriter& writer() { return *m_writer; }

    // Records a path as the newest entry of the history of opened files: after a local file was loaded,
    // and after the document was written under a new name.
    void setRecordInHistory(std::function<void(const QString& path)> record);

private:
    LinkRegistry m_registry;
    std::unique_ptr<WebCheck> m_web;
    std::unique_ptr<LinkScanner> m_scanner;
    std::unique_ptr<DocumentLoader> m_loader;
    std::unique_ptr<LinkNavigator> m_navigator;
    std::unique_ptr<DocumentWriter> m_writer;
    std::function<void(const QString&)> m_recordInHistory;
};
