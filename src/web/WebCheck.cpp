#include "WebCheck.h"

#include "InetControl.h"
#include "InetError.h"
#include "WebVerdict.h"
#include "common/CodePage.h"
#include "common/DocumentState.h"
#include "common/SearchCopy.h"

#include <QCoreApplication>

namespace {

constexpr int StateResponseReceived = InetControl::StateBlockArrived;
// The handler cuts at the fifth time a block follows a block within one request.
constexpr int MaxRepeats = 4;
constexpr int CutChunkBytes = 32765;

bool isHttpUrl(const QString& upperUrl)
{
    return upperUrl.startsWith(QLatin1StringView("HTTP:")) || upperUrl.startsWith(QLatin1StringView("HTTPS:"));
}

} // namespace

WebCheck::WebCheck(DocumentState& state, const CodePage& codePage, QObject* parent)
    : QObject(parent), m_state(state), m_codePage(codePage)
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
    return true;
}

bool WebCheck::Fnc_ClearNotFoundCache()
{
    NotFoundHost.clear();
    NotFoundPage.clear();
    return true;
}

void WebCheck::prepareRequest(RequestKind kind)
{
    InetLastState = 0;
    InetRepeatCount = 0;
    InetCutDone = false;
    InetChunk.clear();
    InetNoCut = kind != RequestKind::CutLink;
    InetCutAtOnce = kind == RequestKind::CutLink;

    TransferRequest limits = m_limits;
    limits.maxBodyBytes = kind == RequestKind::Document ? MaxDocumentBytes : MaxLinkBodyBytes;
    limits.failOverLimit = kind == RequestKind::Document;
    InetCtl->setRequestTemplate(limits);
}

void WebCheck::Inet1_StateChanged(int state)
{
    if (!InetCtl)
        return;
    if (m_state.AbortRequested) {
        InetCtl->Cancel();
        InetLastState = state;
        return;
    }
    if (state == StateResponseReceived && !InetNoCut && InetLastState == StateResponseReceived) {
        ++InetRepeatCount;
        if (InetRepeatCount > MaxRepeats) {
            if (InetCutAtOnce) {
                InetCutDone = true;
                InetCtl->Cancel();
            } else {
                QCoreApplication::processEvents();
                if (InetCtl) {
                    InetChunk = InetCtl->GetChunk(CutChunkBytes);
                    if (!InetChunk.isEmpty()) {
                        InetCutDone = true;
                        InetCtl->Cancel();
                    }
                }
            }
        }
    }
    InetLastState = state;
}

bool WebCheck::Fnc_WaitInetIdle()
{
    if (!InetCtl)
        return false;
    while (!m_state.AbortRequested) {
        QCoreApplication::processEvents();
        if (!InetCtl || !InetCtl->StillExecuting())
            break;
        InetCtl->Cancel();
    }
    return true;
}

bool WebCheck::Fnc_CheckWebLink(const QString& url)
{
    if (!InetCtl)
        return false;
    QString u = decodeEntities(url);
    const qsizetype hash = u.indexOf(u'#');
    const bool hasFragment = hash >= 0;
    u = trimBlanks(hasFragment ? u.left(hash) : u);
    const QString probe = u + ProbeSuffix;

    Fnc_WaitInetIdle();
    const QString upper = upperCaseKeepingLength(u);
    const bool cutKind = upper.startsWith(QLatin1StringView("FTP:")) ||
                         (upper.startsWith(QLatin1StringView("HTTP")) && upper.endsWith(QLatin1StringView(".EXE")));
    prepareRequest(cutKind ? RequestKind::CutLink : RequestKind::Link);

    QByteArray body;
    try {
        body = InetCtl->OpenURL(u);
    } catch (const InetError&) {
        // A failure caused by the handler's own cut means the target was streaming: go on.
        if (!InetCutDone) {
            Fnc_WaitInetIdle();
            return false;
        }
    }
    if (!InetCtl)
        return false;
    if (cutKind)
        body = InetChunk;
    WebAnswer answer;
    answer.status = isHttpUrl(upper) ? InetCtl->ResponseCode() : 0;
    if (body.isEmpty()) {
        if (InetCutDone)
            answer.server = QStringLiteral("a");  // the transfer ran long enough to be cut
    } else {
        answer.page = decode(body);
        answer.server = InetCtl->GetHeader(QStringLiteral("Server"));
        answer.lastModified = InetCtl->GetHeader(QStringLiteral("Last-modified"));
        answer.date = InetCtl->GetHeader(QStringLiteral("Date"));
    }
    Fnc_WaitInetIdle();

    QString notFound;
    Fnc_GetNotFoundPage(probe, notFound);
    InetCutDone = false;
    return judgeWebAnswer(answer, notFound, probe, hasFragment, cutKind);
}

bool WebCheck::Fnc_GetNotFoundPage(const QString& probeUrl, QString& page)
{
    if (!InetCtl)
        return false;
    const QString key = trimBlanks(InetCtl->RemoteHost());
    const qsizetype cached = NotFoundHost.indexOf(key);
    if (cached >= 0) {
        page = NotFoundPage.at(cached);
        return true;
    }

    prepareRequest(RequestKind::Probe);
    QByteArray body;
    try {
        body = InetCtl->OpenURL(probeUrl);
    } catch (const InetError&) {
        if (!InetCutDone)
            return false;
        InetCutDone = false;
    }
    if (!body.isEmpty())
        page = decode(body);
    Fnc_WaitInetIdle();
    if (InetCtl && NotFoundHost.size() < NotFoundCapacity && !body.isEmpty()) {
        NotFoundHost.append(trimBlanks(InetCtl->RemoteHost()));
        NotFoundPage.append(page);
    }
    return true;
}

bool WebCheck::Fnc_ReadWebDocument(const QString& url)
{
    m_state.HtmlData.clear();
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
    const long status = isHttpUrl(upperCaseKeepingLength(u)) ? InetCtl->ResponseCode() : 0;
    if (status >= 400)
        return false;
    m_state.HtmlData = decode(body);
    Fnc_WaitInetIdle();

    QString notFound;
    Fnc_GetNotFoundPage(probe, notFound);
    return m_state.HtmlData != notFound || m_state.HtmlData.isEmpty();
}
