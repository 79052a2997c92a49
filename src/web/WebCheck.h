#pragma once

#include "AnswerMemo.h"
#include "NotFoundCache.h"
#include "TransferScheduler.h"
#include "WebAnswer.h"
#include "WebLink.h"
#include "links/WebLinkCheck.h"

#include <QByteArray>
#include <QHash>
#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class AbortRequest;

// Everything the program asks of the network: the check of web links, the not-found answer of each
// host, and the fetch of a document by URL. Every request goes through one TransferScheduler.
//
// A full check announces its URLs (prefetch); their requests start at once, within the scheduler's
// limits. Each checkWebLink then waits for its own link's answer and decides in document order, so the
// not-found cache, the probes and the verdicts are those of checking one link after the other: with
// limits of 1 and 1 that is just what happens. A probe is requested ahead only once it is certain that
// the link makes it at its turn. A URL checked outside an announced run (the single-link check) is a
// run of its own.
//
// Answers are reduced as they arrive to what their verdict compares (WebAnswer: a fingerprint of the
// page, the three headers, the status), so a check holds little per link however large the pages.
class WebCheck : public QObject, public WebLinkCheck {
    Q_OBJECT
public:
    // The bound on a link's or a probe's body: it is judged on what arrived.
    static constexpr qint64 MaxLinkBodyBytes = 4 * 1024 * 1024;
    // A document opened by URL is read whole up to this bound and this time; more fails the load.
    static constexpr qint64 MaxDocumentBytes = 64 * 1024 * 1024;
    static constexpr int DocumentDeadlineSeconds = 300;

    // Turns an answer's body into the text a verdict compares. The same bytes must always give the same
    // text, for links and probes alike.
    using Decoder = std::function<QString(const QByteArray& body)>;

    // Answers are decoded as those of a CP932 document until a decoder is set.
    explicit WebCheck(const AbortRequest& abort, TransferScheduler::Limits limits = {}, QObject* parent = nullptr);
    ~WebCheck() override;

    // Time-outs and redirects of every request (the caps and the deadline of a link are its own).
    void setTransferLimits(const TransferRequest& limits) { m_limits = limits; }
    void setDecoder(Decoder decoder) { m_decode = std::move(decoder); }
    // Answers remembered over several documents (tarnwick-check's run): a URL found there is not
    // requested again. None by default: every check asks the servers anew.
    void setAnswerMemo(AnswerMemo* memo) { m_memo = memo; }

    void prefetch(const QStringList& urls, AnsweredCallback onAnswered = {}) override;
    void cancelPrefetch() override;
    WebVerdict checkWebLink(const QString& url) override;

    struct FetchedDocument {
        QByteArray body;
        QString contentType;
    };
    // The document at url; nothing when it cannot be fetched, answers with an HTTP error status, or is
    // the host's not-found answer. Its host's not-found answer joins the cache.
    std::optional<FetchedDocument> fetchDocument(const QString& url);

    // Empties the not-found cache: it lives for one document.
    void clearNotFoundCache() { m_notFound.clear(); }
    const NotFoundCache& notFoundCache() const { return m_notFound; }
    const TransferScheduler& scheduler() const { return m_scheduler; }

private:
    struct Run;
    struct Occurrence;

    TransferRequest linkRequest(const QString& url) const;
    void endRun();
    WebVerdict decide(int index);
    void onEnded(TransferScheduler::Ticket ticket);
    void consume(TransferScheduler::Ticket ticket);
    void takeLinkOutcome(Occurrence& occurrence, const TransferScheduler::Outcome& outcome);
    void takeLinkEntry(Occurrence& occurrence, const AnswerMemo::LinkEntry& entry);
    bool takeRememberedLink(Occurrence& occurrence);
    void linkEnded(int index);
    void takeProbeOutcome(int index, const TransferScheduler::Outcome& outcome);
    void takeProbeAnswer(int index, std::optional<NotFoundAnswer> answer);
    AnswerMemo::LinkEntry readAnswer(const WebLink& link, const TransferScheduler::Outcome& outcome) const;
    // Waits, keeping the event loop running, until done() holds. A stop ends every request at once.
    void waitUntil(TransferScheduler::Ticket ticket, const std::function<bool()>& done);
    // The outcome of a request made outside a run, once it ended.
    TransferScheduler::Outcome awaitOutcome(TransferScheduler::Ticket ticket);
    NotFoundAnswer probeAnswer(const QByteArray& body) const;

    void requestProbe(int index);
    void requestCertainProbes(const QString& host);
    void requestAllCertainProbes();
    bool mayStoreNotFound(const Occurrence& occurrence) const;
    int cacheFullFrom() const;
    void updateCacheFullFrom();

    const AbortRequest& m_abort;
    TransferScheduler m_scheduler;
    TransferRequest m_limits;
    Decoder m_decode;
    NotFoundCache m_notFound;
    AnswerMemo* m_memo = nullptr;
    std::unique_ptr<Run> m_run;
};
