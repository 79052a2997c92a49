#include "ReasonDescription.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The seconds of the bound a failure met: as the request had it, else the usual one.
QString seconds(const WebVerdict& web, int usual)
{
    return QString::number(web.limitSeconds > 0 ? web.limitSeconds : usual);
}

ReasonPart failurePart(const WebVerdict& web)
{
    switch (web.failure) {
    case WebFailure::HostNotFound:
        return {ReasonPhrase::HostNotFound};
    case WebFailure::ConnectionRefused:
        return {ReasonPhrase::ConnectionRefused};
    case WebFailure::ConnectTimeout:
        return {ReasonPhrase::ConnectTimeout, {seconds(web, WebLimits::ConnectTimeoutSeconds)}};
    case WebFailure::Stalled:
        return {ReasonPhrase::Stalled, {seconds(web, WebLimits::StallSeconds)}};
    case WebFailure::TooSlow:
        return {ReasonPhrase::TooSlow, {seconds(web, WebLimits::StallSeconds)}};
    case WebFailure::NoCompleteAnswer:
        return {ReasonPhrase::NoCompleteAnswer, {seconds(web, WebLimits::DeadlineSeconds)}};
    case WebFailure::NotHttp:
        return {ReasonPhrase::NotHttp};
    case WebFailure::HeadersTooLarge:
        return {ReasonPhrase::HeadersTooLarge};
    case WebFailure::TlsUntrusted:
        return {ReasonPhrase::TlsUntrusted};
    case WebFailure::TlsFailed:
        return {ReasonPhrase::TlsFailed, {web.failureText}};
    case WebFailure::TooManyRedirects:
        return {ReasonPhrase::TooManyRedirects, {QString::number(WebLimits::MaxRedirects)}};
    case WebFailure::ProtocolNotAllowed:
        return {ReasonPhrase::ProtocolNotAllowed};
    case WebFailure::TooLarge:
        return {ReasonPhrase::TooLarge};
    case WebFailure::RemoteFileNotFound:
        return {ReasonPhrase::RemoteFileNotFound};
    case WebFailure::Cancelled:
        return {ReasonPhrase::Stopped};
    case WebFailure::InvalidUrl:
        return {ReasonPhrase::InvalidUrl};
    case WebFailure::None:
    case WebFailure::Other:
        break;
    }
    return {ReasonPhrase::OtherFailure, {web.failureText}};
}

// Statuses that sites which keep programs out answer to a page that exists: forbidden, too many requests,
// and the 999 of sites that refuse anything but a browser.
bool mayRefuseAutomatedChecks(long status)
{
    return status == 403 || status == 429 || status == 999;
}

QList<ReasonPart> webParts(const WebVerdict& web, const QString& fragment)
{
    QList<ReasonPart> parts;
    switch (web.reason) {
    case WebReason::Answered:
        if (web.status > 0)
            parts.append({ReasonPhrase::HttpStatus, {QString::number(web.status), httpStatusPhrase(web.status)}});
        else
            parts.append({ReasonPhrase::FtpFileFound});
        break;
    case WebReason::CutWhileStreaming:
        parts.append({ReasonPhrase::CutWhileStreaming});
        break;
    case WebReason::HttpError:
        parts.append({ReasonPhrase::HttpStatus, {QString::number(web.status), httpStatusPhrase(web.status)}});
        if (mayRefuseAutomatedChecks(web.status))
            parts.append({ReasonPhrase::MayRefuseAutomatedChecks});
        break;
    case WebReason::AcceptedStatus:
        parts.append({ReasonPhrase::AcceptedStatus, {QString::number(web.status)}});
        break;
    case WebReason::SameAsNotFound:
        parts.append({ReasonPhrase::SameAsNotFound});
        break;
    case WebReason::MissingHeaders:
        parts.append({ReasonPhrase::MissingHeaders});
        break;
    case WebReason::NoAnswer:
        parts.append(failurePart(web));
        break;
    }
    if (web.fragmentFound)
        parts.append({*web.fragmentFound ? ReasonPhrase::FragmentFound : ReasonPhrase::FragmentMissing, {fragment}});
    if (web.redirects > 0 && !web.finalUrl.isEmpty())
        parts.append({ReasonPhrase::RedirectedTo, {web.finalUrl}});
    return parts;
}

QList<ReasonPart> fileParts(LinkResult result, const LinkReason& reason)
{
    const bool found = result == LinkResult::OkFile;
    if (!reason.fragment.isEmpty() && !found) {
        QList<ReasonPart> parts{
            {ReasonPhrase::FileFragmentMissing, {QFileInfo(reason.target).fileName(), reason.fragment}}};
        if (!reason.nearest.isEmpty())
            parts.append({ReasonPhrase::AnchorInOtherCase, {reason.nearest}});
        return parts;
    }
    QList<ReasonPart> parts{{found ? ReasonPhrase::FileFound : ReasonPhrase::FileMissing, {reason.target}}};
    if (!reason.fragment.isEmpty())
        parts.append({ReasonPhrase::FragmentFound, {reason.fragment}});
    if (reason.rootRelativeWithoutRoot && !found)
        parts.append({ReasonPhrase::RootRelativeWithoutRoot});
    return parts;
}

QString schemeOf(LinkResult result)
{
    switch (result) {
    case LinkResult::NoCheckMailto:
        return QStringLiteral("mailto");
    case LinkResult::NoCheckJavascript:
        return QStringLiteral("javascript");
    case LinkResult::NoCheckVbscript:
        return QStringLiteral("vbscript");
    default:
        return QString();
    }
}

} // namespace

QList<ReasonPart> describeReason(LinkResult result, const LinkReason& reason)
{
    const QString& target = reason.target;
    switch (reason.kind) {
    case LinkReason::Kind::None:
        return {{ReasonPhrase::NoHref}};
    case LinkReason::Kind::NotChecked:
        if (result == LinkResult::NoCheckEmpty)
            return {{ReasonPhrase::EmptyValue}};
        if (result == LinkResult::NoCheckOther)
            return {{ReasonPhrase::OtherScheme, {target}}};
        return {{ReasonPhrase::NotCheckedScheme, {schemeOf(result)}}};
    case LinkReason::Kind::Anchor:
        return {{result == LinkResult::OkPage ? ReasonPhrase::AnchorFound : ReasonPhrase::AnchorMissing, {target}}};
    case LinkReason::Kind::AnchorInOtherCase:
        return {{ReasonPhrase::AnchorInOtherCase, {reason.nearest}}};
    case LinkReason::Kind::TopOfPage:
        return {{ReasonPhrase::TopOfPage}};
    case LinkReason::Kind::ThisDocument:
        return {{ReasonPhrase::ThisDocument}};
    case LinkReason::Kind::File:
        return fileParts(result, reason);
    case LinkReason::Kind::Web: {
        const qsizetype hash = target.indexOf(u'#');
        return webParts(reason.web, hash < 0 ? QString() : target.mid(hash + 1));
    }
    case LinkReason::Kind::Excluded:
        if (reason.nearest.isEmpty())
            return {{ReasonPhrase::NotIncluded}};
        return {{ReasonPhrase::Excluded, {reason.nearest}}};
    case LinkReason::Kind::Offline:
        return {{ReasonPhrase::Offline}};
    case LinkReason::Kind::WebThenFile: {
        QList<ReasonPart> parts = webParts(reason.web, QString());
        parts.append({result == LinkResult::OkFile ? ReasonPhrase::FileFound : ReasonPhrase::FileMissing, {target}});
        return parts;
    }
    }
    return {};
}

ReasonPart readFailurePart(const LocalFileRead& read, const QString& path)
{
    switch (read.error) {
    case LocalReadError::None:
    case LocalReadError::NoSuchFile:
        break;
    case LocalReadError::PermissionDenied:
        return {ReasonPhrase::PermissionDenied, {path}};
    case LocalReadError::Folder:
        return {ReasonPhrase::IsFolder, {path}};
    case LocalReadError::NotRegularFile:
        return {ReasonPhrase::NotRegularFile, {path}};
    case LocalReadError::TooLarge:
        return {ReasonPhrase::DocumentTooLarge, {path, QString::number(MaxLocalDocumentBytes / (1024 * 1024))}};
    case LocalReadError::ReadError:
        return {ReasonPhrase::ReadError, {path, read.systemError}};
    }
    return {ReasonPhrase::FileMissing, {path}};
}

QString resolvedTarget(const LinkReason& reason)
{
    if ((reason.kind == LinkReason::Kind::Web) && !reason.web.finalUrl.isEmpty())
        return reason.web.finalUrl;
    return reason.target;
}

QString httpStatusPhrase(long status)
{
    switch (status) {
    case 200:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "OK"));
    case 201:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Created"));
    case 202:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Accepted"));
    case 203:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Non-Authoritative Information"));
    case 204:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "No Content"));
    case 206:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Partial Content"));
    case 300:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Multiple Choices"));
    case 301:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Moved Permanently"));
    case 302:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Found"));
    case 303:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "See Other"));
    case 304:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Not Modified"));
    case 307:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Temporary Redirect"));
    case 308:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Permanent Redirect"));
    case 400:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Bad Request"));
    case 401:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Unauthorized"));
    case 403:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Forbidden"));
    case 404:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Not Found"));
    case 405:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Method Not Allowed"));
    case 406:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Not Acceptable"));
    case 408:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Request Timeout"));
    case 410:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Gone"));
    case 429:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Too Many Requests"));
    case 451:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Unavailable For Legal Reasons"));
    case 500:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Internal Server Error"));
    case 501:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Not Implemented"));
    case 502:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Bad Gateway"));
    case 503:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Service Unavailable"));
    case 504:
        return QString::fromLatin1(QT_TRANSLATE_NOOP("HttpStatus", "Gateway Timeout"));
    default:
        return QString();
    }
}
