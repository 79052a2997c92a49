#pragma once

#include "TransferScheduler.h"
#include "WebLink.h"
#include "WebVerdict.h"
#include "links/WebLinkCheck.h"

#include <QHash>
#include <QObject>

#include <memory>
#include <optional>
#include <vector>

class WebCheck;
class AbortRequest;

// The web check of a full check run with its requests made concurrently. The scanner announces the URLs
// it will check (prefetch); their requests start at once, within the scheduler's limits, in document
// order. Each checkWebLink then waits for its own link's answer and decides through
// WebCheck::decideWebLink, in document order, exactly as the one-at-a-time check would: the same
// not-found cache, the same probes, the same verdicts.
//
// A probe is requested ahead only once it is certain that the one-at-a-time check would make it; every
// other probe is made when the decision reaches it. Outside an announced run (the single-link check, or
// a URL that was not announced next) each URL goes to the one-at-a-time check.
class ParallelWebCheck : public QObject, public WebLinkCheck {
    Q_OBJECT
public:
    ParallelWebCheck(const AbortRequest& abort, WebCheck& web, TransferScheduler::Limits limits = {},
                     QObject* parent = nullptr);

    void prefetch(const QStringList& urls) override;
    void cancelPrefetch() override;
    bool checkWebLink(const QString& url) override;

    const TransferScheduler& scheduler() const { return m_scheduler; }

private:
    struct Occurrence {
        QString written; // as announced
        WebLink link;
        TransferScheduler::Ticket linkTicket = 0;
        std::optional<TransferScheduler::Ticket> probeTicket;
    };
    struct Run {
        std::vector<Occurrence> occurrences;
        int next = 0; // the occurrence the next checkWebLink decides
        QHash<TransferScheduler::Ticket, int> byTicket;
        // Per cache key, the occurrences looking it up or storing under it, in document order.
        QHash<QString, std::vector<int>> byHost;
    };

    std::optional<WebAnswer> answerOf(const Occurrence& occurrence);
    std::optional<QByteArray> probeOf(Occurrence& occurrence, int index);
    const TransferScheduler::Outcome& await(TransferScheduler::Ticket ticket);
    bool mayRequest() const;
    void requestProbe(Occurrence& occurrence, int index);
    void onEnded(TransferScheduler::Ticket ticket);
    void requestCertainProbes(const QString& host);
    void requestCertainProbes(const WebLink& link);
    bool answered(const Occurrence& occurrence) const;
    bool mayStoreNotFound(const Occurrence& occurrence) const;
    void endRun();

    const AbortRequest& m_abort;
    WebCheck& m_web;
    TransferScheduler m_scheduler;
    std::unique_ptr<Run> m_run;
};
