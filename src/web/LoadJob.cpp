#include "LoadJob.h"

#include "AnswerDecoding.h"
#include "WebCheck.h"
#include "WebLink.h"

#include <QTimer>

LoadJob::LoadJob(WebCheck& web, DocumentSource source, QString encoding, QObject* parent)
    : QObject(parent), m_web(web), m_source(std::move(source)), m_encoding(std::move(encoding))
{
    connect(&m_web.scheduler(), &TransferScheduler::ended, this, &LoadJob::onEnded);
}

LoadJob::~LoadJob()
{
    cancel();
}

void LoadJob::start()
{
    if (m_source.isEmpty() || !m_source.isUrl) {
        QTimer::singleShot(0, this, &LoadJob::readLocal);
        return;
    }
    m_ticket = m_web.scheduler().add(m_web.documentRequest(m_source.path), 0, false);
    m_web.scheduler().hurry(*m_ticket);
}

void LoadJob::cancel()
{
    m_cancelled = true;
    if (m_ticket)
        m_web.scheduler().cancel({*m_ticket});
    m_ticket.reset();
}

Document LoadJob::document() const
{
    Document document;
    document.htmlData = m_text->text;
    document.encoding = m_text->encoding;
    document.readLoss = m_text->loss;
    document.docPath = m_source.path;
    document.docBase = m_source.base;
    document.docIsFile = !m_source.isUrl;
    document.docLoaded = true;
    document.diskStamp = m_stamp;
    return document;
}

void LoadJob::readLocal()
{
    if (m_cancelled)
        return;
    const LocalFileRead read = readLocalFile(m_source.path);
    if (read.error == LocalReadError::None) {
        m_text = decodeDocumentText(read.bytes, QString(), m_encoding);
        m_stamp = read.stamp;
    } else {
        m_failure = {readFailurePart(read, m_source.path)};
    }
    finish();
}

void LoadJob::onEnded(TransferScheduler::Ticket ticket)
{
    if (m_ticket != ticket)
        return;
    m_ticket.reset();
    const TransferScheduler::Outcome outcome = *m_web.scheduler().outcome(ticket);
    m_web.scheduler().release(ticket);
    if (m_step == Step::Document)
        takeDocument(outcome);
    else
        takeProbe(outcome);
}

void LoadJob::takeDocument(const TransferScheduler::Outcome& outcome)
{
    const TransferResult& result = outcome.result;
    if (result.outcome != TransferResult::Outcome::Completed) {
        failOnTheWeb(noAnswerVerdict(result));
        return;
    }
    // An error page is no document, even when it looks like one (an echoing 404 page would).
    if (isHttpUrl(m_source.path) && result.status >= 400) {
        WebVerdict verdict;
        verdict.reason = WebReason::HttpError;
        verdict.status = result.status;
        failOnTheWeb(verdict);
        return;
    }
    m_text = decodeDocumentText(result.body, result.header(QStringLiteral("Content-Type")), m_encoding);
    m_body = result.body;
    m_step = Step::Probe;
    m_ticket = m_web.scheduler().add(m_web.linkRequest(probeUrlOf(m_source.path)), 1, false);
    m_web.scheduler().hurry(*m_ticket);
}

void LoadJob::takeProbe(const TransferScheduler::Outcome& outcome)
{
    // Both answers are read as the document's links will read them: in its encoding.
    const auto decode = [this](const QByteArray& body) {
        return body.isEmpty() ? QString() : decodeWebAnswer(body, m_text->encoding);
    };
    NotFoundAnswer notFound;
    if (outcome.result.outcome == TransferResult::Outcome::Completed) {
        notFound = NotFoundAnswer(decode(outcome.result.body));
        if (!notFound.page().isEmpty())
            m_notFound.store(requestHost(probeUrlOf(m_source.path)), notFound);
    }
    const PageFingerprint page = PageFingerprint::of(decode(m_body));
    m_body.clear();
    if (!page.isEmpty() && page == notFound.page()) {
        m_text.reset();
        WebVerdict verdict;
        verdict.reason = WebReason::SameAsNotFound;
        failOnTheWeb(verdict);
        return;
    }
    finish();
}

void LoadJob::failOnTheWeb(const WebVerdict& verdict)
{
    m_failure = describeReason(LinkResult::NgWeb, {LinkReason::Kind::Web, m_source.path, {}, verdict});
    finish();
}

void LoadJob::finish()
{
    if (!m_cancelled)
        emit finished();
}
