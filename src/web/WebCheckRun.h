#pragma once

#include "AnswerMemo.h"
#include "NotFoundCache.h"
#include "TransferScheduler.h"
#include "WebAnswer.h"
#include "WebLink.h"
#include "links/WebLinkCheck.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <functional>
#include <optional>
#include <set>
#include <vector>

// One run of web checks on a shared TransferScheduler (see WebCheck::start).
//
// Every link's request starts at once, within the scheduler's limits. The verdicts are decided in the
// order of the URLs, each as soon as its answer (and, when its host is not cached, its probe's answer)
// has arrived, so the not-found cache, the probes and the verdicts are those of checking one link after
// the other: with limits of 1 and 1 that is just what happens. A probe is requested ahead of its link's
// turn only once it is certain that the link makes it at its turn.
//
// Answers are reduced as they arrive to what their verdict compares (WebAnswer: a fingerprint of the
// page, the three headers, the status), so a run holds little per link however large the pages.
class WebCheckRun : public QObject, public WebRun {
    Q_OBJECT
public:
    using Decoder = std::function<QString(const QByteArray& body)>;
    // What a run asks of the program around it: where requests go, and within which bounds.
    struct Setup {
        TransferScheduler& scheduler;
        std::function<TransferRequest(const QString& url)> linkRequest;
        AnswerMemo* memo = nullptr;    // answers known from earlier documents; may be null
        NotFoundCache& notFound;       // the document's: looked up and filled as links are decided
        Decoder decode;                // the same bytes must always give the same text, for links and probes alike
        QSet<long> acceptedStatuses{}; // error statuses the user counts as an answer
    };

    // The requests start on the next turn of the event loop.
    WebCheckRun(Setup setup, const QStringList& urls, WebRunCallbacks callbacks);
    ~WebCheckRun() override;

private:
    struct Occurrence;

    void begin();
    // Decides every link whose answers are in, in order, and hurries the request the next one waits for.
    void advance();
    WebVerdict decideNext();
    void onEnded(TransferScheduler::Ticket ticket);
    void takeLinkOutcome(Occurrence& occurrence, const TransferScheduler::Outcome& outcome);
    void takeLinkEntry(Occurrence& occurrence, const AnswerMemo::LinkEntry& entry);
    bool takeRememberedLink(Occurrence& occurrence);
    void linkEnded(int index);
    void takeProbeOutcome(int index, const TransferScheduler::Outcome& outcome);
    void takeProbeAnswer(int index, std::optional<NotFoundAnswer> answer);
    AnswerMemo::LinkEntry readAnswer(const WebLink& link, const TransferScheduler::Outcome& outcome) const;
    TransferScheduler::Ticket add(const TransferRequest& request, int index, quint64 rank, bool cutWhenStreaming);

    void requestProbe(int index);
    void requestCertainProbes(const QString& host);
    void requestAllCertainProbes();
    bool mayStoreNotFound(const Occurrence& occurrence) const;
    int cacheFullFrom() const;
    void updateCacheFullFrom();
    quint64 rankOf(int tier, int index) const;

    Setup m_setup;
    WebRunCallbacks m_callbacks;
    std::vector<Occurrence> m_occurrences;
    int m_next = 0; // the occurrence decided next
    int m_answered = 0;
    int m_cacheFullFrom = 0; // from this occurrence on, the not-found cache is certainly full at its turn
    QHash<TransferScheduler::Ticket, int> m_byTicket; // the requests still running, by their occurrence
    // Per cache key, the occurrences looking it up or storing under it, in order.
    QHash<QString, std::vector<int>> m_byHost;
    // Hosts none of whose undecided links may still put them into the cache: each of their links that
    // answers probes at its turn.
    QSet<QString> m_unblocked;
    // Per cache key, how many of its occurrences need no more look (see requestCertainProbes).
    QHash<QString, qsizetype> m_settledMembers;
    // Occurrences that answered and whose probe brought a page: each stores it at its turn if there is room.
    std::set<int> m_storing;
};
