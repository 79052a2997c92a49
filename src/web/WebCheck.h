#pragma once

#include "NotFoundCache.h"
#include "RequestOptions.h"
#include "TransferScheduler.h"
#include "WebCheckRun.h"
#include "common/TextEncoding.h"
#include "links/WebLinkCheck.h"

#include <QObject>

#include <memory>

class AnswerMemo;

// Everything the program asks of the network goes through one of these: one TransferScheduler for the
// checks of links and the fetch of documents, with the bounds every request gets.
class WebCheck : public QObject {
    Q_OBJECT
public:
    // The bound on a link's or a probe's body: it is judged on what arrived.
    static constexpr qint64 MaxLinkBodyBytes = 4 * 1024 * 1024;
    // A document opened by URL is read whole up to this bound and this time; more fails the load.
    static constexpr qint64 MaxDocumentBytes = 64 * 1024 * 1024;
    static constexpr int DocumentDeadlineSeconds = 300;

    explicit WebCheck(TransferScheduler::Limits limits = {}, RequestOptions options = {}, QObject* parent = nullptr);

    // Time-outs and redirects of every request (the caps and the deadline of a link are its own).
    void setTransferLimits(const TransferRequest& limits) { m_limits = limits; }
    // The user's deadline, User-Agent, headers and accepted statuses.
    void setRequestOptions(RequestOptions options) { m_options = std::move(options); }
    // Answers remembered over several documents (a run over many documents): a URL found there is not
    // requested again. None by default: every check asks the servers anew.
    void setAnswerMemo(AnswerMemo* memo) { m_memo = memo; }

    // Checks web links (see WebCheckRun), looking up and storing the not-found answers of their hosts in
    // notFound, which must outlive the run, and reading every answer with decode.
    std::unique_ptr<WebRun> start(const QStringList& urls, NotFoundCache& notFound, WebCheckRun::Decoder decode,
                                  WebRunCallbacks callbacks);

    TransferRequest linkRequest(const QString& url) const;
    TransferRequest documentRequest(const QString& url) const;
    TransferScheduler& scheduler() { return m_scheduler; }
    const TransferScheduler& scheduler() const { return m_scheduler; }

private:
    TransferScheduler m_scheduler;
    TransferRequest m_limits;
    RequestOptions m_options;
    AnswerMemo* m_memo = nullptr;
};

// The web check of one document's links. A host's answer for a missing page is the document's: looked up
// by every link of the document, by a check of all links again and by single checks, and emptied only
// by the next load. Answers are read in the document's encoding.
class DocumentWebCheck : public WebLinkCheck {
public:
    // notFound: what the fetch of a document by URL learnt of its own host.
    DocumentWebCheck(WebCheck& web, TextEncoding encoding, NotFoundCache notFound = {});

    std::unique_ptr<WebRun> start(const QStringList& urls, WebRunCallbacks callbacks) override;
    const NotFoundCache& notFoundCache() const { return m_notFound; }

private:
    WebCheck& m_web;
    TextEncoding m_encoding;
    NotFoundCache m_notFound;
};
