#include "EnglishTexts.h"

namespace {

QString phraseText(const ReasonPart& part)
{
    const QStringList& a = part.args;
    switch (part.phrase) {
    case ReasonPhrase::NoHref:
        return QStringLiteral("no HREF value");
    case ReasonPhrase::EmptyValue:
        return QStringLiteral("empty link, not checked");
    case ReasonPhrase::NotCheckedScheme:
        return QStringLiteral("%1: link, not checked").arg(a.value(0));
    case ReasonPhrase::AnchorFound:
        return QStringLiteral("anchor \"%1\" found").arg(a.value(0));
    case ReasonPhrase::AnchorMissing:
        return QStringLiteral("no id or name \"%1\" in the document").arg(a.value(0));
    case ReasonPhrase::FileFound:
        return QStringLiteral("found: %1").arg(a.value(0));
    case ReasonPhrase::FileMissing:
        return QStringLiteral("no such file: %1").arg(a.value(0));
    case ReasonPhrase::HttpStatus:
        return a.value(1).isEmpty() ? a.value(0) : a.value(0) + u' ' + a.value(1);
    case ReasonPhrase::FtpFileFound:
        return QStringLiteral("the FTP server sent the file");
    case ReasonPhrase::CutWhileStreaming:
        return QStringLiteral("kept streaming and was cut short: it exists");
    case ReasonPhrase::SameAsNotFound:
        return QStringLiteral("same answer as a page that does not exist: a soft 404, or a site that answers every "
                              "path with one page");
    case ReasonPhrase::MissingHeaders:
        return QStringLiteral("answer without Server, Date or Last-Modified header");
    case ReasonPhrase::HostNotFound:
        return QStringLiteral("host not found");
    case ReasonPhrase::ConnectionRefused:
        return QStringLiteral("connection refused");
    case ReasonPhrase::ConnectTimeout:
        return QStringLiteral("no answer within %1 s").arg(a.value(0));
    case ReasonPhrase::Stalled:
        return QStringLiteral("no data for %1 s").arg(a.value(0));
    case ReasonPhrase::TlsUntrusted:
        return QStringLiteral("TLS certificate not trusted");
    case ReasonPhrase::TlsFailed:
        return QStringLiteral("TLS failed: %1").arg(a.value(0));
    case ReasonPhrase::TooManyRedirects:
        return QStringLiteral("too many redirects (%1)").arg(a.value(0));
    case ReasonPhrase::ProtocolNotAllowed:
        return QStringLiteral("redirect to a protocol that is not allowed");
    case ReasonPhrase::TooLarge:
        return QStringLiteral("too large, or too slow to arrive");
    case ReasonPhrase::RemoteFileNotFound:
        return QStringLiteral("no such file on the FTP server");
    case ReasonPhrase::Stopped:
        return QStringLiteral("stopped");
    case ReasonPhrase::InvalidUrl:
        return QStringLiteral("invalid URL");
    case ReasonPhrase::OtherFailure:
        return a.value(0).isEmpty() ? QStringLiteral("request failed") : a.value(0);
    case ReasonPhrase::FragmentFound:
        return QStringLiteral("the page has an id or name \"%1\"").arg(a.value(0));
    case ReasonPhrase::FragmentMissing:
        return QStringLiteral("but the page has no id or name \"%1\"").arg(a.value(0));
    case ReasonPhrase::RedirectedTo:
        return QStringLiteral("redirected to %1").arg(a.value(0));
    }
    return QString();
}

// The sentences of UnreadBytes and WriteUnreadBytes (readLossPrompt) that apply.
QString readLossText(const QStringList& a)
{
    QStringList sentences;
    if (a.value(1) != u"0")
        sentences.append(QStringLiteral("%1 bytes could not be read as %2 (the first on line %3); they are shown as "
                                        "U+FFFD.")
                             .arg(a.value(1), a.value(0), a.value(2)));
    if (a.value(3) != u"0")
        sentences.append(QStringLiteral("A NUL byte on line %1 ended the text.").arg(a.value(3)));
    return sentences.join(u' ');
}

} // namespace

QString resultName(LinkResult result)
{
    switch (classOf(result).value_or(LinkClass::NgWeb)) {
    case LinkClass::OkWeb:
        return QStringLiteral("OK-web");
    case LinkClass::OkFile:
        return QStringLiteral("OK-file");
    case LinkClass::OkPage:
        return QStringLiteral("OK-page");
    case LinkClass::NgWeb:
        return QStringLiteral("NG-web");
    case LinkClass::NgFile:
        return QStringLiteral("NG-file");
    case LinkClass::NgPage:
        return QStringLiteral("NG-page");
    case LinkClass::NotChecked:
        break;
    }
    return QStringLiteral("not-checked");
}

QString reasonText(const QList<ReasonPart>& parts)
{
    QStringList texts;
    for (const ReasonPart& part : parts)
        texts.append(phraseText(part));
    return texts.join(QStringLiteral("; "));
}

QString promptText(const Prompt& prompt)
{
    switch (prompt.id) {
    case PromptId::ReadFailed:
        return QStringLiteral("could not be read");
    case PromptId::LoadStopped:
        return QStringLiteral("the check was stopped");
    case PromptId::NoHtmlTag:
        return QStringLiteral("no HTML tag found: the file may not be HTML; checking it all the same");
    case PromptId::UnreadBytes:
        return readLossText(prompt.args);
    case PromptId::UnknownEncodingSetting:
        return QStringLiteral("the encoding %1 cannot be used").arg(prompt.args.value(0));
    default:
        // The checker neither navigates nor writes: nothing else reaches it.
        return QString();
    }
}

QString summaryText(const RunSummary& s)
{
    QString text = QStringLiteral("%1 links: %2 OK, %3 NG, %4 not checked (%5 document%6")
                       .arg(s.links)
                       .arg(s.ok)
                       .arg(s.ng)
                       .arg(s.notChecked)
                       .arg(s.documents)
                       .arg(s.documents == 1 ? QString() : QStringLiteral("s"));
    if (s.unreadable > 0)
        text += QStringLiteral(", %1 could not be read").arg(s.unreadable);
    return text + QStringLiteral(", %1 s)").arg(s.seconds, 0, 'f', 2);
}
