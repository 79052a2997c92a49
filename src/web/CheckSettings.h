#pragma once

#include "RequestOptions.h"
#include "TransferScheduler.h"
#include "common/Document.h"
#include "links/LinkCheckJob.h"

#include <QString>

// How documents are read and links checked, for the window and tarnwick-check alike.
struct CheckSettings {
    // "auto": each document's encoding is detected; a code page name: every document is read in that one.
    QString encoding = QStringLiteral("auto");
    TransferScheduler::Limits limits;
    // The addresses tags load (images, stylesheets, scripts ...) are checked as links too.
    bool resources = false;
    // Where root-relative file links ("/about.html") of local documents start; empty: each document's folder.
    QString siteRoot;
    LinkFilter filter;      // links left out on purpose
    RequestOptions request; // the deadline, User-Agent, headers and accepted statuses of web requests
};

// What a check of a document's links starts from: the document's base, the settings, and the pages its
// file links lead into (may be null).
inline CheckContext checkContextOf(const Document& document, const CheckSettings& settings, PageAnchors* pageAnchors)
{
    return {document.docBase,  document.docIsFile, document.encoding, settings.resources,
            settings.siteRoot, pageAnchors,        settings.filter};
}
