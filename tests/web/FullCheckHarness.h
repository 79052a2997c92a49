#pragma once

#include "LoopbackServers.h"
#include "ScannerFixture.h"
#include "ScopedEnvironment.h"
#include "common/CodePage.h"
#include "web/InetControl.h"
#include "web/ParallelWebCheck.h"
#include "web/SFrm_Inet.h"
#include "web/WebCheck.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <memory>
#include <optional>

// A full check wired as the window wires it: the scanner checks web links through the parallel check
// when limits are given, else one at a time; the single-link check and the document fetch always go
// through the one-at-a-time WebCheck. Time-outs are short so a stalled link costs seconds.
struct FullCheckHarness {
    explicit FullCheckHarness(std::optional<TransferScheduler::Limits> limits = std::nullopt)
    {
        TransferRequest quick;
        quick.connectTimeoutMs = 5000;
        quick.stallSeconds = 2;
        web.setTransferLimits(quick);
        if (limits)
            parallelWeb = std::make_unique<ParallelWebCheck>(run.abort, web, *limits);
        scanner = std::make_unique<LinkScanner>(document, run, editor, progress,
                                                parallelWeb ? static_cast<WebLinkCheck&>(*parallelWeb) : web);
    }

    // Checks text as the stored document, inside one session of the hidden transfer window.
    bool check(const QString& text, const QString& base, bool isFile)
    {
        const InetSession session(run.abort, web);
        document.htmlData = text;
        return scanner->checkAllLinks(base, isFile, true);
    }

    QList<int> codes() const { return codesOf(scanner->table()); }

    Document document;
    RunState run;
    CodePage codePage;
    QTextDocument textDocument;
    RichTextBox editor{&textDocument};
    RecordingProgress progress;
    WebCheck web{document, run.abort, codePage};
    std::unique_ptr<ParallelWebCheck> parallelWeb;
    std::unique_ptr<LinkScanner> scanner;
};

// A GET through the program's own transfer control, for the servers' JSON reports.
inline QJsonObject fetchJson(const QString& url)
{
    InetControl control;
    try {
        return QJsonDocument::fromJson(control.OpenURL(url)).object();
    } catch (const InetError&) {
        return {};
    }
}
