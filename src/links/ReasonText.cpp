#include "ReasonText.h"

#include <QCoreApplication>

namespace {

const char* phraseSource(ReasonPhrase phrase)
{
    switch (phrase) {
    case ReasonPhrase::NoHref:
        return QT_TRANSLATE_NOOP("Reason", "no HREF value");
    case ReasonPhrase::EmptyValue:
        return QT_TRANSLATE_NOOP("Reason", "empty link, not checked");
    case ReasonPhrase::NotCheckedScheme:
        return QT_TRANSLATE_NOOP("Reason", "%1: link, not checked");
    case ReasonPhrase::OtherScheme:
        return QT_TRANSLATE_NOOP("Reason", "\"%1:\" links are not checked");
    case ReasonPhrase::AnchorInOtherCase:
        return QT_TRANSLATE_NOOP("Reason", "differs only in letter case from '%1'");
    case ReasonPhrase::TopOfPage:
        return QT_TRANSLATE_NOOP("Reason", "the top of the page");
    case ReasonPhrase::ThisDocument:
        return QT_TRANSLATE_NOOP("Reason", "this document");
    case ReasonPhrase::AnchorFound:
        return QT_TRANSLATE_NOOP("Reason", "anchor \"%1\" found");
    case ReasonPhrase::AnchorMissing:
        return QT_TRANSLATE_NOOP("Reason", "no id or name \"%1\" in the document");
    case ReasonPhrase::FileFound:
        return QT_TRANSLATE_NOOP("Reason", "found: %1");
    case ReasonPhrase::FileMissing:
        return QT_TRANSLATE_NOOP("Reason", "no such file: %1");
    case ReasonPhrase::HttpStatus:
        // %1 the status, %2 its standard phrase, %3 the phrase translated.
        return QT_TRANSLATE_NOOP("Reason", "%1 %2");
    case ReasonPhrase::FtpFileFound:
        return QT_TRANSLATE_NOOP("Reason", "the FTP server sent the file");
    case ReasonPhrase::CutWhileStreaming:
        return QT_TRANSLATE_NOOP("Reason", "kept streaming and was cut short: it exists");
    case ReasonPhrase::SameAsNotFound:
        return QT_TRANSLATE_NOOP("Reason", "same answer as a page that does not exist: a soft 404, or a site that "
                                           "answers every path with one page");
    case ReasonPhrase::MissingHeaders:
        return QT_TRANSLATE_NOOP("Reason", "answer without Server, Date or Last-Modified header");
    case ReasonPhrase::HostNotFound:
        return QT_TRANSLATE_NOOP("Reason", "host not found");
    case ReasonPhrase::ConnectionRefused:
        return QT_TRANSLATE_NOOP("Reason", "connection refused");
    case ReasonPhrase::ConnectTimeout:
        return QT_TRANSLATE_NOOP("Reason", "no answer within %1 s");
    case ReasonPhrase::Stalled:
        return QT_TRANSLATE_NOOP("Reason", "no data for %1 s");
    case ReasonPhrase::TlsUntrusted:
        return QT_TRANSLATE_NOOP("Reason", "TLS certificate not trusted");
    case ReasonPhrase::TlsFailed:
        return QT_TRANSLATE_NOOP("Reason", "TLS failed: %1");
    case ReasonPhrase::TooManyRedirects:
        return QT_TRANSLATE_NOOP("Reason", "too many redirects (%1)");
    case ReasonPhrase::ProtocolNotAllowed:
        return QT_TRANSLATE_NOOP("Reason", "redirect to a protocol that is not allowed");
    case ReasonPhrase::TooLarge:
        return QT_TRANSLATE_NOOP("Reason", "too large, or too slow to arrive");
    case ReasonPhrase::RemoteFileNotFound:
        return QT_TRANSLATE_NOOP("Reason", "no such file on the FTP server");
    case ReasonPhrase::Stopped:
        return QT_TRANSLATE_NOOP("Reason", "stopped");
    case ReasonPhrase::InvalidUrl:
        return QT_TRANSLATE_NOOP("Reason", "invalid URL");
    case ReasonPhrase::OtherFailure:
        // %1: the network library's words, which stand alone when there are any.
        return QT_TRANSLATE_NOOP("Reason", "request failed");
    case ReasonPhrase::FragmentFound:
        return QT_TRANSLATE_NOOP("Reason", "the page has an id or name \"%1\"");
    case ReasonPhrase::FragmentMissing:
        return QT_TRANSLATE_NOOP("Reason", "but the page has no id or name \"%1\"");
    case ReasonPhrase::RedirectedTo:
        return QT_TRANSLATE_NOOP("Reason", "redirected to %1");
    case ReasonPhrase::NoCompleteAnswer:
        return QT_TRANSLATE_NOOP("Reason", "no complete answer within %1 s");
    case ReasonPhrase::TooSlow:
        return QT_TRANSLATE_NOOP("Reason", "less than one byte a second for %1 s");
    case ReasonPhrase::NotHttp:
        return QT_TRANSLATE_NOOP("Reason", "the server's answer is not HTTP");
    case ReasonPhrase::HeadersTooLarge:
        return QT_TRANSLATE_NOOP("Reason", "the answer's headers are too large");
    case ReasonPhrase::FileFragmentMissing:
        return QT_TRANSLATE_NOOP("Reason", "%1 has no id or name '%2'");
    case ReasonPhrase::RootRelativeWithoutRoot:
        return QT_TRANSLATE_NOOP("Reason", "a link from the root, looked up in the document's folder: no site root is "
                                           "set");
    case ReasonPhrase::Excluded:
        return QT_TRANSLATE_NOOP("Reason", "left out: the address matches the exclude pattern %1");
    case ReasonPhrase::NotIncluded:
        return QT_TRANSLATE_NOOP("Reason", "left out: the address matches no include pattern");
    case ReasonPhrase::Offline:
        return QT_TRANSLATE_NOOP("Reason", "left out: checking without the network");
    case ReasonPhrase::AcceptedStatus:
        return QT_TRANSLATE_NOOP("Reason", "accepted status %1");
    case ReasonPhrase::MayRefuseAutomatedChecks:
        return QT_TRANSLATE_NOOP("Reason", "the site may refuse automated checks");
    case ReasonPhrase::PermissionDenied:
        return QT_TRANSLATE_NOOP("Reason", "permission denied: %1");
    case ReasonPhrase::IsFolder:
        return QT_TRANSLATE_NOOP("Reason", "a folder, not a file: %1");
    case ReasonPhrase::NotRegularFile:
        return QT_TRANSLATE_NOOP("Reason", "not a regular file: %1");
    case ReasonPhrase::DocumentTooLarge:
        return QT_TRANSLATE_NOOP("Reason", "larger than %2 MB: %1");
    case ReasonPhrase::ReadError:
        return QT_TRANSLATE_NOOP("Reason", "cannot read %1: %2");
    }
    return "";
}

QString phraseText(const ReasonPart& part, Wording wording)
{
    const QStringList& args = part.args;
    if (part.phrase == ReasonPhrase::OtherFailure && !args.value(0).isEmpty())
        return args.value(0);
    if (part.phrase == ReasonPhrase::HttpStatus) {
        const QString& standardPhrase = args.value(1);
        if (standardPhrase.isEmpty())
            return args.value(0);
        const QString translatedPhrase = worded("HttpStatus", standardPhrase.toUtf8().constData(), wording);
        return withArgs(worded("Reason", phraseSource(part.phrase), wording), args + QStringList{translatedPhrase});
    }
    return withArgs(worded("Reason", phraseSource(part.phrase), wording), args);
}

} // namespace

QString reasonText(const QList<ReasonPart>& parts, Wording wording)
{
    QStringList texts;
    for (const ReasonPart& part : parts)
        texts.append(phraseText(part, wording));
    // The separator between phrases belongs to the language: "; " in English, "、" in Japanese.
    return texts.join(worded("Reason", QT_TRANSLATE_NOOP("Reason", "; "), wording));
}
