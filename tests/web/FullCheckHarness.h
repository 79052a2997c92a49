#pragma once

#include "LoopbackServers.h"
#include "ScannerFixture.h"
#include "ScopedEnvironment.h"
#include "TransferFetch.h"
#include "web/WebCheck.h"

// A full check wired as the window wires it, with the given limits (1 and 1 checks one link after the
// other). Time-outs are short so a stalled link costs seconds.
struct FullCheckHarness {
    explicit FullCheckHarness(TransferScheduler::Limits limits = {}) : web(run.abort, limits)
    {
        TransferRequest quick;
        quick.connectTimeoutMs = 5000;
        quick.stallSeconds = 2;
        web.setTransferLimits(quick);
    }

    bool check(const QString& text, const QString& base, bool isFile)
    {
        document.htmlData = text;
        return scanner.checkAllLinks(base, isFile, true);
    }

    QList<int> codes() const { return codesOf(scanner.table()); }

    Document document;
    RunState run;
    QTextDocument textDocument;
    RichTextBox editor{&textDocument};
    RecordingProgress progress;
    WebCheck web;
    LinkRegistry registry;
    LinkScanner scanner{document, run, editor, progress, web, registry};
};
