#pragma once

#include <QString>

// One web link made ready for its check.
struct WebLink {
    QString url;       // entities decoded, the "#fragment" cut off, blanks trimmed: what is requested
    // The host's answer for a surely missing page: url + "......", or for a URL with a query, its path
    // + "......" without the query (a server that ignores unknown query values would answer a probe that
    // keeps the query with the link's own page).
    QString probeUrl;
    QString host;      // the not-found cache key looked up once the link answered
    QString probeHost; // the key the probe's answer is stored under (the probe's own host)
    bool hasFragment = false;
    QString fragment;  // what follows the first "#", as written
    // An FTP link, or an HTTP(S) link ending in ".EXE": cut once it keeps streaming; its body is never read.
    bool cutKind = false;
    bool isHttp = false; // an HTTP status applies to the answer
};

WebLink prepareWebLink(const QString& writtenUrl);

// The probe URL of a link's URL (see WebLink::probeUrl).
QString probeUrlOf(const QString& url);

// True for a URL that begins with "HTTP:" or "HTTPS:" in any letter case.
bool isHttpUrl(const QString& url);
// True for a URL that begins with "FTP:" in any letter case.
bool isFtpUrl(const QString& url);

// The host a request for url goes to as the not-found cache names it: lower case, as written (redirects
// do not change it), blanks trimmed.
QString requestHost(const QString& url);
