#pragma once

#include "FakeWebCheck.h"
#include "common/CodePage.h"
#include "links/LinkCheckJob.h"
#include "links/PageAnchors.h"
#include "links/SingleLink.h"

#include <QStringList>
#include <QTest>

#include <memory>
#include <optional>

// Starts a check job and runs the event loop until it has finished or was cancelled, for at most a bound.
// True when it finished.
inline bool runToEnd(LinkCheckJob& job, int timeoutMs = 60000)
{
    job.start();
    (void)QTest::qWaitFor([&job] { return !job.isRunning(); }, timeoutMs);
    return job.isFinished();
}

// What a check job reports as it goes.
struct CheckReports {
    explicit CheckReports(LinkCheckJob& job)
    {
        QObject::connect(&job, &LinkCheckJob::phaseChanged, &job, [this](CheckPhase phase) { phases.append(phase); });
        QObject::connect(&job, &LinkCheckJob::progressChanged, &job, [this](int value, int maximum) {
            values.append(value);
            maximums.append(maximum);
            waitingAtValue.append(waiting);
        });
        QObject::connect(&job, &LinkCheckJob::waitingFor, &job, [this](const QString& value) {
            waiting = value;
            if (!value.isEmpty() && (waitedFor.isEmpty() || waitedFor.last() != value))
                waitedFor.append(value);
        });
        QObject::connect(&job, &LinkCheckJob::linksDecided, &job,
                         [this](const QList<int>& indices) { decided += indices; });
    }

    QList<CheckPhase> phases;
    QList<int> values;
    QList<int> maximums;
    QStringList waitedFor;      // each value the check waited for, once
    QString waiting;            // the one it waits for now
    QStringList waitingAtValue; // for each value shown, the link it waited for then
    QList<int> decided;         // every index reported decided, in the order reported
};

// One field of every entry of a link table, in document order.
template <typename Field> auto columnOf(const LinkTable& table, Field field)
{
    QList<std::decay_t<decltype(field(table.entries.front()))>> column;
    for (const LinkEntry& entry : table.entries)
        column.append(field(entry));
    return column;
}

inline QList<LinkResult> resultsOf(const LinkTable& table)
{
    return columnOf(table, [](const LinkEntry& e) { return e.result; });
}

// The results as the numbers tarnwick-check prints.
inline QList<int> codesOf(const LinkTable& table)
{
    return columnOf(table, [](const LinkEntry& e) { return toCode(e.result); });
}

// A check job on a fake web check, run to its end.
struct CheckFixture {
    FakeWebCheck web;
    TextEncoding encoding{QString::fromLatin1(CodePage::DefaultName)};
    QString siteRoot;  // where root-relative file links start
    PageAnchors pages; // the pages file links lead into
    std::unique_ptr<LinkCheckJob> job;
    std::optional<CheckReports> reports;

    bool check(const QString& text, const QString& base = QStringLiteral("/nowhere"), bool isFile = true,
               bool resources = false)
    {
        job = std::make_unique<LinkCheckJob>(text, CheckContext{base, isFile, encoding, resources, siteRoot, &pages},
                                             web);
        reports.emplace(*job);
        return runToEnd(*job);
    }

    // The single check of the link a selection points at, as the window runs it: the link checked, or
    // nothing when the selection points at no link that can be cut.
    std::optional<LinkEntry> checkOne(const QString& text, int start, int length,
                                      const QString& base = QStringLiteral("/nowhere"), bool resources = false)
    {
        const std::optional<LinkEntry> link = linkAtSelection(text, start, length, resources);
        if (!link || link->decided)
            return link;
        job = std::make_unique<LinkCheckJob>(text, *link, CheckContext{base, true, encoding, resources}, web);
        if (!runToEnd(*job))
            return std::nullopt;
        return job->table().entries.front();
    }

    const LinkTable& table() const { return job->table(); }
    QList<LinkResult> results() const { return resultsOf(table()); }
    QList<int> codes() const { return codesOf(table()); }
    QList<int> starts() const
    {
        return columnOf(table(), [](const LinkEntry& e) { return e.start; });
    }
    QStringList tagTexts() const
    {
        QStringList texts;
        for (const LinkEntry& entry : table().entries)
            texts.append(table().tagText(entry).toString());
        return texts;
    }
};
