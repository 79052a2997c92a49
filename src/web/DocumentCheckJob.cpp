#include "DocumentCheckJob.h"

#include "common/Prompter.h"

DocumentCheckJob::DocumentCheckJob(WebCheck& web, Prompter& prompter, const QString& path,
                                   const CheckSettings& settings, PageAnchors* pageAnchors, QObject* parent)
    : QObject(parent), m_web(web), m_prompter(prompter), m_settings(settings), m_pageAnchors(pageAnchors),
      m_load(web, DocumentSource::fromPathBox(path), settings.encoding)
{
    connect(&m_load, &LoadJob::finished, this, &DocumentCheckJob::onLoaded);
}

DocumentCheckJob::~DocumentCheckJob() = default;

void DocumentCheckJob::start()
{
    m_load.start();
}

const LinkTable& DocumentCheckJob::table() const
{
    static const LinkTable none;
    return m_check ? m_check->table() : none;
}

CheckContext DocumentCheckJob::checkContext() const
{
    return m_check ? m_check->context() : CheckContext{};
}

void DocumentCheckJob::onLoaded()
{
    if (!m_load.text()) {
        m_outcome = Outcome::ReadFailed;
        emit finished();
        return;
    }
    m_document = m_load.document();
    if (m_document.docIsFile && !checkHtmlTag(m_document.htmlData) &&
        m_prompter.ask({PromptId::NoHtmlTag}) != Prompter::Answer::Yes) {
        m_outcome = Outcome::Declined;
        emit finished();
        return;
    }
    m_documentWeb = std::make_unique<DocumentWebCheck>(m_web, m_document.encoding, m_load.notFoundCache());
    m_check = std::make_unique<LinkCheckJob>(m_document.htmlData, checkContextOf(m_document, m_settings, m_pageAnchors),
                                             *m_documentWeb);
    connect(m_check.get(), &LinkCheckJob::finished, this, &DocumentCheckJob::onChecked);
    emit checkStarted(m_check.get());
    m_check->start();
}

void DocumentCheckJob::onChecked()
{
    m_outcome = Outcome::Checked;
    if (m_document.readLoss.any())
        m_prompter.ask(readLossPrompt(PromptId::UnreadBytes, m_document.encoding, m_document.readLoss));
    emit finished();
}
