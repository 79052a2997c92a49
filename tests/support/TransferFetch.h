#pragma once

#include "web/TransferScheduler.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

// Runs one request through a scheduler of its own and waits a bounded time for its end, keeping the
// event loop running. nullopt when it does not end within waitMs.
inline std::optional<TransferScheduler::Outcome> fetchOutcome(const TransferRequest& request, int waitMs = 30000)
{
    TransferScheduler scheduler({1, 1});
    const TransferScheduler::Ticket ticket = scheduler.add(request, 0, false);
    const QDeadlineTimer deadline(waitMs);
    while (!scheduler.outcome(ticket) && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 100);
    if (!scheduler.outcome(ticket))
        return std::nullopt;
    return *scheduler.outcome(ticket);
}

// The result of a GET with quick time-outs; a failed result when it does not end in time.
inline TransferResult fetchResult(const QString& url, TransferRequest request = {})
{
    request.url = url;
    if (request.connectTimeoutMs == TransferRequest().connectTimeoutMs)
        request.connectTimeoutMs = 5000;
    const std::optional<TransferScheduler::Outcome> outcome = fetchOutcome(request);
    return outcome ? outcome->result : TransferResult();
}

// A GET of one of the servers' JSON reports.
inline QJsonObject fetchJson(const QString& url)
{
    return QJsonDocument::fromJson(fetchResult(url).body).object();
}
