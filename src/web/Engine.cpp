#include "Engine.h"

#include "common/RunState.h"

Engine::Engine(Document& document, RunState& run, RichTextBox& editor, CheckProgress& progress, Prompter& prompter,
               const EngineSettings& settings)
    : m_codePage(settings.codePage)
{
    m_web = std::make_unique<WebCheck>(run.abort, m_codePage, settings.limits);
    m_scanner = std::make_unique<LinkScanner>(document, run, editor, progress, *m_web);
    m_loader = std::make_unique<DocumentLoader>(document, run, m_codePage, *m_web, *m_scanner, prompter);
    m_navigator = std::make_unique<LinkNavigator>(run, editor, progress, prompter);
    const auto record = [this](const QString& path) {
        if (m_recordInHistory)
            m_recordInHistory(path);
    };
    m_loader->setLocalFileLoadedHook(record);
    m_writer = std::make_unique<DocumentWriter>(document, run, editor, m_codePage, prompter, record);
}

void Engine::setRecordInHistory(std::function<void(const QString&)> record)
{
    m_recordInHistory = std::move(record);
}
