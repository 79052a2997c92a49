#pragma once

#include "CheckFixture.h"
#include "LoopbackServers.h"
#include "ScopedEnvironment.h"
#include "TransferFetch.h"
#include "web/WebCheck.h"

// A check of all links on the real web check, wired as the window wires it, with the given limits (1 and 1
// checks one link after the other). Time-outs are short so a stalled link costs seconds. Checks of one
// harness share the not-found cache, as checks of one document do.
struct FullCheckHarness {
    explicit FullCheckHarness(TransferScheduler::Limits limits = {}) : web(limits)
    {
        TransferRequest quick;
        quick.connectTimeoutMs = 5000;
        quick.stallSeconds = 2;
        web.setTransferLimits(quick);
    }

    bool check(const QString& text, const QString& base, bool isFile)
    {
        job = std::make_unique<LinkCheckJob>(text, CheckContext{base, isFile, documentEncoding}, documentWeb);
        reports.emplace(*job);
        return runToEnd(*job);
    }

    QList<int> codes() const { return codesOf(job->table()); }

    TextEncoding documentEncoding{QString::fromLatin1(CodePage::DefaultName)};
    WebCheck web;
    DocumentWebCheck documentWeb{web, documentEncoding};
    std::unique_ptr<LinkCheckJob> job;
    std::optional<CheckReports> reports;
};
