#include "WebCheck.h"

#include "AnswerDecoding.h"
#include "common/SearchCopy.h"

WebCheck::WebCheck(TransferScheduler::Limits limits, RequestOptions options, QObject* parent)
    : QObject(parent), m_scheduler(limits), m_options(std::move(options))
{
}

std::unique_ptr<WebRun> WebCheck::start(const QStringList& urls, NotFoundCache& notFound, WebCheckRun::Decoder decode,
                                        WebRunCallbacks callbacks)
{
    WebCheckRun::Setup setup{m_scheduler,
                             [this](const QString& url) { return linkRequest(url); },
                             m_memo,
                             notFound,
                             std::move(decode),
                             m_options.acceptedStatuses};
    return std::make_unique<WebCheckRun>(std::move(setup), urls, std::move(callbacks));
}

TransferRequest WebCheck::linkRequest(const QString& url) const
{
    TransferRequest request = m_limits;
    request.url = url;
    request.maxBodyBytes = MaxLinkBodyBytes;
    request.failOverLimit = false;
    request.deadlineSeconds = m_options.deadlineSeconds;
    request.userAgent = m_options.userAgent;
    request.headers = m_options.headersFor(url);
    return request;
}

TransferRequest WebCheck::documentRequest(const QString& url) const
{
    TransferRequest request = m_limits;
    request.url = trimBlanks(url);
    request.maxBodyBytes = MaxDocumentBytes;
    request.failOverLimit = true;
    request.deadlineSeconds = DocumentDeadlineSeconds;
    request.userAgent = m_options.userAgent;
    request.headers = m_options.headersFor(request.url);
    return request;
}

DocumentWebCheck::DocumentWebCheck(WebCheck& web, TextEncoding encoding, NotFoundCache notFound)
    : m_web(web), m_encoding(std::move(encoding)), m_notFound(std::move(notFound))
{
}

std::unique_ptr<WebRun> DocumentWebCheck::start(const QStringList& urls, WebRunCallbacks callbacks)
{
    return m_web.start(
        urls, m_notFound, [encoding = m_encoding](const QByteArray& body) { return decodeWebAnswer(body, encoding); },
        std::move(callbacks));
}
