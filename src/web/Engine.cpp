#include "Engine.h"

#include "AnswerDecoding.h"
#include "common/Document.h"
#include "common/RunState.h"

Engine::Engine(Document& document, RunState& run, RichTextBox& editor, CheckProgress& progress, Prompter& prompter,
               const EngineSettings& settings)
{
    m_web = std::make_unique<WebCheck>(run.abort, settings.limits);
    m_web->setDecoder([&document](const QByteArray& body) { return decodeWebAnswer(body, document.encoding); });
    m_scanner = std::make_unique<LinkScanner>(document, run, editor, progress, *m_web, m_registry);
    m_loader = std::make_unique<DocumentLoader>(document, run, settings.encoding, *m_web, *m_scanner, prompter);
    m_navigator = std::make_unique<LinkNavigator>(run, editor, progress, prompter);
    const auto record = [this](const QString& path) {
        if (m_recordInHistory)
            m_recordInHistory(path);
    };
    m_loader->setLocalFileLoadedHook(record);
    m_writer = std::make_unique<DocumentWriter>(document, run, editor, prompter, record);
}

void Engine::setRecordInHistory(std::function<void(const QString&)> record)
{
    m_recordInHistory = std::move(record);
}
