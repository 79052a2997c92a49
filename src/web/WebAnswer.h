#pragma once

#include "TransferTypes.h"
#include "links/WebLinkCheck.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <optional>

// The suffix that turns a URL into one that surely does not exist: the probe URL.
inline const QString ProbeSuffix = QStringLiteral("......");

// Decodes &lt; &gt; &quot; &amp; in a link, one kind after the other and "&amp;" last, so a doubly
// encoded "&amp;amp;" ends as "&" while "&amp;lt;" ends as "&lt;".
QString decodeEntities(QString url);

// A decoded page reduced to what a verdict compares: two pages are equal exactly when their
// fingerprints are (a SHA-256 of the text). An answer is held as its fingerprint, so a check holds a
// few bytes per link however large the pages are.
struct PageFingerprint {
    QByteArray digest; // empty for an empty page

    static PageFingerprint of(QStringView text);
    bool isEmpty() const { return digest.isEmpty(); }
    friend bool operator==(const PageFingerprint&, const PageFingerprint&) = default;
};

// What one request for a link brought back, as the verdict reads it.
struct WebAnswer {
    PageFingerprint page; // empty when none, and for a link whose body is never read (FTP, .EXE)
    QString server;       // the three headers, read only alongside a page
    QString lastModified;
    QString date;
    long status = 0;              // HTTP status; 0 for FTP
    bool cut = false;             // the transfer kept streaming and was cut: it ran long enough to exist
    bool redirectedToFtp = false; // an HTTP link whose redirects ended on an FTP server: no page, no headers
    QString finalUrl;             // where the last redirect led
    int redirects = 0;
    bool permanentRedirect = false;    // every redirect was a permanent one (301, 308)
    std::optional<bool> fragmentFound; // a link with a fragment whose page arrived: an id or name of it there
};

// A host's answer for a surely missing page (the probe URL).
class NotFoundAnswer {
public:
    NotFoundAnswer() = default; // the empty answer: the probe failed or brought nothing
    explicit NotFoundAnswer(const QString& text);

    const PageFingerprint& page() const { return m_page; }
    // The answer with the six full stops removed that follow the echoed path of probeUrl: what a
    // server that repeats the requested path answers for the link itself. nullopt when the path is
    // not echoed.
    std::optional<PageFingerprint> withoutEchoedSuffix(const QString& probeUrl) const;
    // The same answer for the one link whose probe URL is given: the text is dropped, what that link
    // compares is kept. Only the answer of a probe that will not be cached may be reduced.
    NotFoundAnswer reducedFor(const QString& probeUrl) const;
    bool isReduced() const { return m_reducedFor.has_value(); }

private:
    struct Reduced {
        QString probeUrl;
        std::optional<PageFingerprint> withoutSuffix;
    };

    QString m_text;
    PageFingerprint m_page;
    std::optional<Reduced> m_reducedFor;
};

// Whether a link's target exists, judged against the host's answer for the probe URL: an answer equal
// to the not-found answer (also once the echoed probe path is taken out of it, for a link without a
// fragment) is missing, and so is one without any Server, Last-Modified or Date header, and one with an
// HTTP error status. cutKind: an FTP link or a link to an .EXE, whose body is never read; an empty
// answer there is fine.
WebVerdict judgeWebAnswer(const WebAnswer& answer, const NotFoundAnswer& notFound, const QString& probeUrl,
                          bool hasFragment, bool cutKind);

// The verdict on a link whose request failed, or whose answer the deadline cut short: a part of a page
// cannot be told from a not-found page, so it proves nothing.
WebVerdict noAnswerVerdict(const TransferResult& result);
