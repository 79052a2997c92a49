#pragma once

#include <QString>

// The suffix that turns a URL into one that surely does not exist: the probe URL.
inline const QString ProbeSuffix = QStringLiteral("......");

// Decodes &lt; &gt; &quot; &amp; in a link, one kind after the other and "&amp;" last, so a doubly
// encoded "&amp;amp;" ends as "&" while "&amp;lt;" ends as "&lt;".
QString decodeEntities(QString url);

// What one request for a link brought back.
struct WebAnswer {
    QString page;  // the decoded body; empty when none
    QString server;
    QString lastModified;
    QString date;
    long status = 0;  // HTTP status; 0 for FTP
};

// Whether a link's target exists, judged against the host's answer for the probe URL: an answer equal
// to the not-found answer (also once the echoed probe path is taken out of it) is missing, and so is
// one without any Server, Last-Modified or Date header, and one with an HTTP error status.
// cutKind: an FTP link or a link to an .EXE, whose body is never read; an empty answer there is fine.
bool judgeWebAnswer(const WebAnswer& answer, const QString& notFound, const QString& probeUrl, bool hasFragment,
                    bool cutKind);
