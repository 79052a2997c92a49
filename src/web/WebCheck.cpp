#include "WebCheck.h"

#include "InetControl.h"
#include "InetError.h"
#include "WebLink.h"
#include "common/CodePage.h"
#include "common/Document.h"
#include "common/RunState.h"
#include "common/SearchCopy.h"

#include <QCoreApplication>

WebCheck::WebCheck(Document& document, const AbortRequest& abort, const CodePage& codePage, QObject* parent)
    : QObject(parent), m_document(document), m_abort(abort), m_codePage(codePage)
{
}

QString WebCheck::decode(const QByteArray& bytes) const
{
    return bytes.isEmpty() ? QString() : m_codePage.decode(bytes);
}

bool WebCheck::Fnc_SetInetObject(InetControl* control)
{
    InetCtl = control;
    return true;
}

bool WebCheck::Fnc_ClearInetObject()
{
    InetCtl = nullptr;
    emit inetObjectCleared();
    return true;
}

bool WebCheck::clearNotFoundCache()
{
    NotFoundHost.clear();
    NotFoundPage.clear();
    return true;
}

TransferRequest WebCheck::requestOf(RequestKind kind) const
{
    TransferRequest request = m_limits;
    request.maxBodyBytes = kind == RequestKind::Document ? MaxDocumentBytes : MaxLinkBodyBytes;
    request.failOverLimit = kind == RequestKind::Document;
    return request;
}

TransferRequest WebCheck::linkRequest(const QString& url) const
{
    // Links, cut links and probes share their bounds; only the handler treats them differently.
    TransferRequest request = requestOf(RequestKind::Link);
    request.url = url;
    return request;
}

void WebCheck::prepareRequest(RequestKind kind)
{
    m_cutCounter = CutCounter();
    InetCutDone = false;
    InetNoCut = kind != RequestKind::CutLink;
    InetCtl->setRequestTemplate(requestOf(kind));
}

void WebCheck::Inet1_StateChanged(int state)
{
    if (!InetCtl)
        return;
    if (m_abort.isRequested()) {
        InetCtl->Cancel();
        return;
    }
    if (m_cutCounter.cutsAt(state) && !InetNoCut) {
        InetCutDone = true;
        InetCtl->Cancel();
    }
}

bool WebCheck::Fnc_WaitInetIdle()
{
    if (!InetCtl)
        return false;
    while (!m_abort.isRequested()) {
        QCoreApplication::processEvents();
        if (!InetCtl || !InetCtl->StillExecuting())
            break;
        InetCtl->Cancel();
    }
    return true;
}

bool WebCheck::checkWebLink(const QString& url)
{
    if (!InetCtl)
        return false;
    const WebLink link = prepareWebLink(url);
    Fnc_WaitInetIdle();
    const bool exists = decideWebLink(
        link, [&] { return openLink(link); }, [&] { return openProbe(link.probeUrl); });
    InetCutDone = false;
    return exists;
}

bool WebCheck::decideWebLink(const WebLink& link, const AnswerFetch& fetchAnswer, const ProbeFetch& fetchProbe)
{
    const std::optional<WebAnswer> answer = fetchAnswer();
    if (!answer)
        return false;
    const QString notFound = notFoundAnswer(link.host, link.probeUrl, fetchProbe).value_or(QString());
    return judgeWebAnswer(*answer, notFound, link.probeUrl, link.hasFragment, link.cutKind);
}

WebAnswer WebCheck::readAnswer(const WebLink& link, const QByteArray& body, bool cut, long status,
                               const HeaderLookup& header) const
{
    WebAnswer answer;
    answer.status = link.isHttp ? status : 0;
    if (link.cutKind || body.isEmpty()) {
        if (cut)
            answer.server = QStringLiteral("a"); // the transfer ran long enough to be cut
        return answer;
    }
    answer.page = decode(body);
    answer.server = header(QStringLiteral("Server"));
    answer.lastModified = header(QStringLiteral("Last-modified"));
    answer.date = header(QStringLiteral("Date"));
    return answer;
}

std::optional<WebAnswer> WebCheck::openLink(const WebLink& link)
{
    prepareRequest(link.cutKind ? RequestKind::CutLink : RequestKind::Link);
    QByteArray body;
    try {
        body = InetCtl->OpenURL(link.url);
    } catch (const InetError&) {
        // A failure caused by the handler's own cut means the target was streaming: go on.
        if (!InetCutDone) {
            Fnc_WaitInetIdle();
            return std::nullopt;
        }
    }
    if (!InetCtl)
        return std::nullopt;
    const InetControl& control = *InetCtl;
    const WebAnswer answer = readAnswer(link, body, InetCutDone, control.ResponseCode(),
                                        [&control](const QString& name) { return control.GetHeader(name); });
    Fnc_WaitInetIdle();
    return answer;
}

std::optional<QByteArray> WebCheck::openProbe(const QString& probeUrl)
{
    // The handler never cuts a probe, so any failure is the request's own.
    prepareRequest(RequestKind::Probe);
    QByteArray body;
    try {
        body = InetCtl->OpenURL(probeUrl);
    } catch (const InetError&) {
        return std::nullopt;
    }
    Fnc_WaitInetIdle();
    return body;
}

std::optional<QString> WebCheck::notFoundAnswer(const QString& host, const QString& probeUrl,
                                                const ProbeFetch& fetchProbe)
{
    if (!InetCtl)
        return std::nullopt;
    const qsizetype cached = NotFoundHost.indexOf(host);
    if (cached >= 0)
        return NotFoundPage.at(cached);

    const std::optional<QByteArray> body = fetchProbe();
    if (!body)
        return std::nullopt;
    const QString page = decode(*body);
    // Stored under the probe's own host: the one the control reports after the probe request.
    if (InetCtl && !isNotFoundCacheFull() && !body->isEmpty()) {
        NotFoundHost.append(requestHost(probeUrl));
        NotFoundPage.append(page);
    }
    return page;
}

bool WebCheck::getNotFoundPage(const QString& probeUrl, QString& page)
{
    if (!InetCtl)
        return false;
    const std::optional<QString> answer =
        notFoundAnswer(trimBlanks(InetCtl->RemoteHost()), probeUrl, [&] { return openProbe(probeUrl); });
    if (answer)
        page = *answer;
    return answer.has_value();
}

bool WebCheck::readWebDocument(const QString& url)
{
    m_document.htmlData.clear();
    if (!InetCtl)
        return false;
    const QString u = trimBlanks(url);
    const QString probe = u + ProbeSuffix;

    prepareRequest(RequestKind::Document);
    QByteArray body;
    try {
        body = InetCtl->OpenURL(u);
    } catch (const InetError&) {
        return false;
    }
    if (!InetCtl)
        return false;
    const long status = isHttpUrl(u) ? InetCtl->ResponseCode() : 0;
    if (status >= 400)
        return false;
    m_document.htmlData = decode(body);
    Fnc_WaitInetIdle();

    QString notFound;
    getNotFoundPage(probe, notFound);
    return m_document.htmlData != notFound || m_document.htmlData.isEmpty();
}
