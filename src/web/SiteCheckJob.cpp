#include "SiteCheckJob.h"

#include "DocumentCheckJob.h"

#include <QTimer>

SiteCheckJob::SiteCheckJob(WebCheck& web, Prompter& prompter, QList<RunDocument> documents, CheckSettings settings,
                           PageAnchors& anchors, QObject* parent)
    : QObject(parent), m_web(web), m_prompter(prompter), m_documents(std::move(documents)),
      m_settings(std::move(settings)), m_anchors(anchors)
{
}

SiteCheckJob::~SiteCheckJob() = default;

void SiteCheckJob::start()
{
    QTimer::singleShot(0, this, &SiteCheckJob::startNext);
}

void SiteCheckJob::cancel()
{
    m_cancelled = true;
    // Perhaps called from a slot of the job's own signal: it goes once the event loop is back.
    if (m_job) {
        disconnect(m_job.get(), nullptr, this, nullptr);
        m_job.release()->deleteLater();
    }
}

void SiteCheckJob::startNext()
{
    if (m_cancelled)
        return;
    if (m_next >= m_documents.size()) {
        emit finished();
        return;
    }
    const RunDocument& document = m_documents[m_next];
    CheckSettings settings = m_settings;
    if (!document.siteRoot.isEmpty())
        settings.siteRoot = document.siteRoot;
    m_job = std::make_unique<DocumentCheckJob>(m_web, m_prompter, document.path, settings, &m_anchors);
    connect(m_job.get(), &DocumentCheckJob::finished, this, &SiteCheckJob::onDocumentFinished);
    emit documentStarted(m_next, m_job.get());
    if (!m_cancelled)
        m_job->start();
}

void SiteCheckJob::onDocumentFinished()
{
    const int index = m_next++;
    emit documentChecked(index, *m_job);
    if (m_cancelled)
        return;
    // Not destroyed from inside its own signal; the next document starts on the next turn.
    m_job.release()->deleteLater();
    QTimer::singleShot(0, this, &SiteCheckJob::startNext);
}
