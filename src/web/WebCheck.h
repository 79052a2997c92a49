#pragma once

#include "CutCounter.h"
#include "TransferTypes.h"
#include "WebVerdict.h"
#include "links/WebLinkCheck.h"

#include <QByteArray>
#include <QObject>
#include <QStringList>

#include <functional>
#include <optional>

class CodePage;
class InetControl;
class AbortRequest;
struct Document;
struct WebLink;

// Everything the program asks of the network: the web check of one link, the not-found answers of
// each host, and the fetch of a document by URL. All requests go through the transfer control of the
// hidden transfer window while it is loaded; the state handler may cut a long transfer short.
//
// The decision on a link (decideWebLink) and the not-found cache are shared with the parallel check,
// which makes the same requests concurrently and then decides through here, link by link.
class WebCheck : public QObject, public WebLinkCheck {
    Q_OBJECT
public:
    // The bound on an ordinary link's body: it is judged on what arrived.
    static constexpr qint64 MaxLinkBodyBytes = 4 * 1024 * 1024;
    // A document opened by URL is read whole up to this bound; a larger one fails to load.
    static constexpr qint64 MaxDocumentBytes = 64 * 1024 * 1024;
    static constexpr int NotFoundCapacity = 20;

    // The answer to a link's own request; nothing when the request failed (a cut is no failure).
    using AnswerFetch = std::function<std::optional<WebAnswer>()>;
    // The body of a probe; nothing when the request failed.
    using ProbeFetch = std::function<std::optional<QByteArray>()>;
    using HeaderLookup = std::function<QString(const QString& name)>;

    WebCheck(Document& document, const AbortRequest& abort, const CodePage& codePage, QObject* parent = nullptr);

    // True when the target exists: it answered, differs from the host's not-found answer, carries a
    // Server, Last-Modified or Date header, and its HTTP status is below 400.
    bool checkWebLink(const QString& url) override;
    // Fills HtmlData with the page at url; false when it cannot be fetched or is the not-found answer.
    bool readWebDocument(const QString& url);
    // The host's answer for a surely missing page (the probe URL), from the cache or requested once.
    bool getNotFoundPage(const QString& probeUrl, QString& page);
    // Stops whatever the transfer control still does.
    bool Fnc_WaitInetIdle();
    bool clearNotFoundCache();
    bool Fnc_SetInetObject(InetControl* control);
    bool Fnc_ClearInetObject();
    // No request may be made while the hidden transfer window is not loaded.
    bool hasInetObject() const { return InetCtl != nullptr; }

    // Time-outs and redirects of every request (the body caps are set per request).
    void setTransferLimits(const TransferRequest& limits) { m_limits = limits; }
    // The request for a link or a probe at url, with the bounds this check gives it.
    TransferRequest linkRequest(const QString& url) const;

    // The verdict on a link: fetchAnswer gives its answer; once it answered, the host's not-found answer
    // is the cached one or else the probe's, which fetchProbe makes then and only then; the probe's answer
    // is cached when it brought a body and the cache has room.
    bool decideWebLink(const WebLink& link, const AnswerFetch& fetchAnswer, const ProbeFetch& fetchProbe);
    // What the verdict reads of a link's reply: the decoded page (none for a cut kind, whose body is never
    // read), the three headers only alongside a page, "a" as Server when the cut ended the transfer.
    WebAnswer readAnswer(const WebLink& link, const QByteArray& body, bool cut, long status,
                         const HeaderLookup& header) const;

    bool hasNotFoundAnswer(const QString& host) const { return NotFoundHost.contains(host); }
    bool isNotFoundCacheFull() const { return NotFoundHost.size() >= NotFoundCapacity; }
    int NotFoundCount() const { return int(NotFoundHost.size()); }

    // The transfer control's state report.
    void Inet1_StateChanged(int state);

signals:
    // The hidden transfer window was unloaded: no further request may be made.
    void inetObjectCleared();

private:
    enum class RequestKind { Link, CutLink, Probe, Document };
    TransferRequest requestOf(RequestKind kind) const;
    void prepareRequest(RequestKind kind);
    std::optional<WebAnswer> openLink(const WebLink& link);
    std::optional<QByteArray> openProbe(const QString& probeUrl);
    // The not-found answer for a request to host; nothing when there is no control or the probe failed.
    std::optional<QString> notFoundAnswer(const QString& host, const QString& probeUrl, const ProbeFetch& fetchProbe);
    QString decode(const QByteArray& bytes) const;

    Document& m_document;
    const AbortRequest& m_abort;
    const CodePage& m_codePage;
    TransferRequest m_limits;

    InetControl* InetCtl = nullptr;
    CutCounter m_cutCounter;
    bool InetCutDone = false;
    bool InetNoCut = false;
    QStringList NotFoundHost;
    QStringList NotFoundPage;
};
