#pragma once

#include "TransferTypes.h"
#include "links/WebLinkCheck.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

class CodePage;
class InetControl;
struct DocumentState;

// Everything the program asks of the network: the web check of one link, the not-found answers of
// each host, and the fetch of a document by URL. All requests go through the transfer control of the
// hidden transfer window while it is loaded; the state handler may cut a long transfer short.
class WebCheck : public QObject, public WebLinkCheck {
    Q_OBJECT
public:
    // The bound on an ordinary link's body: it is judged on what arrived.
    static constexpr qint64 MaxLinkBodyBytes = 4 * 1024 * 1024;
    // A document opened by URL is read whole up to this bound; a larger one fails to load.
    static constexpr qint64 MaxDocumentBytes = 64 * 1024 * 1024;
    static constexpr int NotFoundCapacity = 20;

    WebCheck(DocumentState& state, const CodePage& codePage, QObject* parent = nullptr);

    // True when the target exists: it answered, differs from the host's not-found answer, carries a
    // Server, Last-Modified or Date header, and its HTTP status is below 400.
    bool Fnc_CheckWebLink(const QString& url) override;
    // Fills HtmlData with the page at url; false when it cannot be fetched or is the not-found answer.
    bool Fnc_ReadWebDocument(const QString& url);
    // The host's answer for a surely missing page (the probe URL), from the cache or requested once.
    bool Fnc_GetNotFoundPage(const QString& probeUrl, QString& page);
    // Stops whatever the transfer control still does.
    bool Fnc_WaitInetIdle();
    bool Fnc_ClearNotFoundCache();
    bool Fnc_SetInetObject(InetControl* control);
    bool Fnc_ClearInetObject();

    // Time-outs and redirects of every request (the body caps are set per request).
    void setTransferLimits(const TransferRequest& limits) { m_limits = limits; }

    // The transfer control's state report.
    void Inet1_StateChanged(int state);

    int NotFoundCount() const { return int(NotFoundHost.size()); }

private:
    enum class RequestKind { Link, CutLink, Probe, Document };
    void prepareRequest(RequestKind kind);
    QString decode(const QByteArray& bytes) const;

    DocumentState& m_state;
    const CodePage& m_codePage;
    TransferRequest m_limits;

    InetControl* InetCtl = nullptr;
    int InetLastState = 0;
    int InetRepeatCount = 0;
    bool InetCutDone = false;
    bool InetNoCut = false;
    bool InetCutAtOnce = false;
    QByteArray InetChunk;
    QStringList NotFoundHost;
    QStringList NotFoundPage;
};
