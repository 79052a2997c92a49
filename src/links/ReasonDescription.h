#pragma once

#include "LinkKinds.h"
#include "LinkReason.h"
#include "common/DocumentFile.h"

#include <QList>
#include <QString>
#include <QStringList>

// What can be said of why a link has its result. Each front end words the phrases in its language (the
// window in Japanese, tarnwick-check in English); which phrases apply, and the values they mention, are
// decided here once.
enum class ReasonPhrase {
    NoHref,            // the tag has no HREF value
    EmptyValue,        // an empty link is not checked
    NotCheckedScheme,  // args: the scheme ("mailto", "javascript", "vbscript")
    OtherScheme,       // args: any other scheme, never checked ("tel", "data")
    AnchorFound,       // args: the name
    AnchorMissing,     // args: the name
    AnchorInOtherCase, // args: the name as the page writes it, which differs in letter case only
    TopOfPage,         // the link leads to the top of the page
    ThisDocument,      // a link of a query alone leads to this document
    FileFound,         // args: the path
    FileMissing,       // args: the path
    HttpStatus,        // args: the status, its standard phrase (may be empty)
    FtpFileFound,      // an FTP server sent the file
    CutWhileStreaming, // the transfer kept streaming and was cut: the target exists
    SameAsNotFound,    // the same answer as a page that does not exist
    MissingHeaders,    // no Server, Date or Last-Modified header
    HostNotFound,
    ConnectionRefused,
    ConnectTimeout, // args: seconds
    Stalled,        // args: seconds
    TlsUntrusted,
    TlsFailed,        // args: the library's words
    TooManyRedirects, // args: the limit
    ProtocolNotAllowed,
    TooLarge,
    RemoteFileNotFound,
    Stopped,
    InvalidUrl,
    OtherFailure,             // args: the library's words
    FragmentFound,            // args: the fragment
    FragmentMissing,          // args: the fragment
    RedirectedTo,             // args: where the last redirect led
    NoCompleteAnswer,         // args: seconds; the whole-request deadline passed before the answer was complete
    TooSlow,                  // args: seconds; bytes kept coming, but fewer than one a second over that span
    NotHttp,                  // the server answered, but not in HTTP (HTTP/0.9, a garbled status line)
    HeadersTooLarge,          // a header line longer than any server sends
    FileFragmentMissing,      // args: the target page's file name, the fragment
    RootRelativeWithoutRoot,  // a root-relative file link looked up in the document's folder: no site root is set
    Excluded,                 // args: the exclude pattern the address matches
    NotIncluded,              // the address matches none of the include patterns
    Offline,                  // a web link of a check without the network
    AcceptedStatus,           // args: the status, which the user counts as an answer
    MayRefuseAutomatedChecks, // a status sites send to programs they keep out (403, 429, 999)
    // Why a document could not be read: args: its path (then the system's words for ReadError).
    PermissionDenied,
    IsFolder,
    NotRegularFile,
    DocumentTooLarge, // args: the path, the limit in MB
    ReadError,
};

struct ReasonPart {
    ReasonPhrase phrase;
    QStringList args = {};
};

// The phrases that say why a link has its result, most important first.
QList<ReasonPart> describeReason(LinkResult result, const LinkReason& reason);

// Why a local document could not be read; path as the user named it.
ReasonPart readFailurePart(const LocalFileRead& read, const QString& path);

// The resolved target of a link for reports: the path looked up, the anchor name, or for a web link the
// URL its last redirect reached (else the URL requested). Empty when there is none.
QString resolvedTarget(const LinkReason& reason);

// The standard reason phrase of an HTTP status ("Not Found" for 404); empty for an unknown status.
QString httpStatusPhrase(long status);
