#include "WebAnswer.h"

#include <QCryptographicHash>

PageFingerprint PageFingerprint::of(QStringView text)
{
    if (text.isEmpty())
        return {};
    return {QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char*>(text.utf16()), text.size() * 2),
                                     QCryptographicHash::Sha256)};
}

NotFoundAnswer::NotFoundAnswer(const QString& text) : m_text(text), m_page(PageFingerprint::of(text)) {}

std::optional<PageFingerprint> NotFoundAnswer::withoutEchoedSuffix(const QString& probeUrl) const
{
    if (m_reducedFor)
        return m_reducedFor->probeUrl == probeUrl ? m_reducedFor->withoutSuffix : std::nullopt;
    const qsizetype slash = probeUrl.lastIndexOf(u'/');
    const QString tail = slash < 0 ? probeUrl : probeUrl.mid(slash);
    const qsizetype at = m_text.indexOf(tail);
    if (at < 0)
        return std::nullopt;
    const qsizetype dotsAt = at + tail.size() - ProbeSuffix.size();
    QString adjusted = m_text;
    adjusted.remove(dotsAt, ProbeSuffix.size());
    return PageFingerprint::of(adjusted);
}

NotFoundAnswer NotFoundAnswer::reducedFor(const QString& probeUrl) const
{
    NotFoundAnswer reduced;
    reduced.m_page = m_page;
    reduced.m_reducedFor = Reduced{probeUrl, withoutEchoedSuffix(probeUrl)};
    return reduced;
}

QString decodeEntities(QString url)
{
    // One kind after the other, each replaced at its first occurrence until none is left. "<", ">" and
    // '"' can neither start nor complete an entity, so for them that is one replacing pass.
    url.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    url.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    url.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    // "&" can: "&amp;amp;" becomes "&amp;" again. So each "&" swallows every "amp;" right after it.
    const QStringView ampRest = u"amp;";
    QChar* const text = url.data();
    const qsizetype size = url.size();
    qsizetype kept = 0;
    for (qsizetype i = 0; i < size;) {
        const QChar c = text[i++];
        text[kept++] = c;
        if (c == u'&') {
            while (QStringView(text + i, size - i).startsWith(ampRest))
                i += ampRest.size();
        }
    }
    url.truncate(kept);
    return url;
}

namespace {

WebReason bodyReason(const WebAnswer& answer, const NotFoundAnswer& notFound, const QString& probeUrl, bool hasFragment,
                     bool cutKind, bool& exists)
{
    exists = false;
    if (notFound.page() == answer.page) {
        exists = answer.page.isEmpty() && cutKind;
        if (!exists)
            return WebReason::SameAsNotFound;
        return answer.cut ? WebReason::CutWhileStreaming : WebReason::Answered;
    }
    if (!hasFragment && notFound.withoutEchoedSuffix(probeUrl) == answer.page)
        return WebReason::SameAsNotFound;
    if (answer.cut) {
        exists = true;
        return WebReason::CutWhileStreaming;
    }
    if (answer.server.isEmpty() && answer.lastModified.isEmpty() && answer.date.isEmpty())
        return WebReason::MissingHeaders;
    exists = true;
    return WebReason::Answered;
}

} // namespace

WebVerdict judgeWebAnswer(const WebAnswer& answer, const NotFoundAnswer& notFound, const QString& probeUrl,
                          bool hasFragment, bool cutKind)
{
    WebVerdict verdict;
    verdict.status = answer.status;
    verdict.finalUrl = answer.finalUrl;
    verdict.redirects = answer.redirects;
    verdict.permanentRedirect = answer.permanentRedirect;
    verdict.fragmentFound = answer.fragmentFound;
    // Redirected to FTP, the answer is an FTP server's: judged as an FTP link is, without the web host's probe.
    if (answer.redirectedToFtp)
        verdict.reason = bodyReason(answer, NotFoundAnswer(), probeUrl, hasFragment, true, verdict.exists);
    else
        verdict.reason = bodyReason(answer, notFound, probeUrl, hasFragment, cutKind, verdict.exists);
    // An error status is a missing target whatever the bodies say, and the best account of why.
    if (answer.status >= 400) {
        verdict.exists = false;
        verdict.reason = WebReason::HttpError;
    }
    return verdict;
}

WebVerdict noAnswerVerdict(const TransferResult& result)
{
    WebVerdict verdict;
    verdict.reason = WebReason::NoAnswer;
    verdict.failure = result.pastDeadline ? WebFailure::NoCompleteAnswer : result.failure;
    verdict.limitSeconds = result.limitSeconds;
    verdict.failureText = result.errorText;
    verdict.status = result.status;
    verdict.finalUrl = result.finalUrl;
    verdict.redirects = result.redirects;
    verdict.permanentRedirect = result.permanentRedirect;
    return verdict;
}
