#include "WebVerdict.h"

#include <optional>
#include <utility>

namespace {

// The not-found answer with the six full stops removed that follow the echoed path of the probe.
std::optional<QString> withoutEchoedSuffix(const QString& notFound, const QString& probeUrl)
{
    const qsizetype slash = probeUrl.lastIndexOf(u'/');
    const QString tail = slash < 0 ? probeUrl : probeUrl.mid(slash);
    const qsizetype at = notFound.indexOf(tail);
    if (at < 0)
        return std::nullopt;
    const qsizetype dotsAt = at + tail.size() - ProbeSuffix.size();
    return notFound.left(dotsAt) + notFound.mid(at + tail.size());
}

bool judgeBodies(const WebAnswer& answer, const QString& notFound, const QString& probeUrl, bool hasFragment,
                 bool cutKind)
{
    if (notFound == answer.page)
        return answer.page.isEmpty() && cutKind;
    if (!hasFragment) {
        const auto adjusted = withoutEchoedSuffix(notFound, probeUrl);
        if (adjusted && answer.page == *adjusted)
            return false;
    }
    return !(answer.server.isEmpty() && answer.lastModified.isEmpty() && answer.date.isEmpty());
}

} // namespace

QString decodeEntities(QString url)
{
    static const std::pair<QString, QString> entities[] = {
        {QStringLiteral("&lt;"), QStringLiteral("<")},
        {QStringLiteral("&gt;"), QStringLiteral(">")},
        {QStringLiteral("&quot;"), QStringLiteral("\"")},
        {QStringLiteral("&amp;"), QStringLiteral("&")},
    };
    for (const auto& [entity, character] : entities) {
        // The first occurrence each time, searching again from the start.
        for (qsizetype at = url.indexOf(entity); at >= 0; at = url.indexOf(entity))
            url.replace(at, entity.size(), character);
    }
    return url;
}

bool judgeWebAnswer(const WebAnswer& answer, const QString& notFound, const QString& probeUrl, bool hasFragment,
                    bool cutKind)
{
    // An error status is a missing target whatever the bodies say.
    return judgeBodies(answer, notFound, probeUrl, hasFragment, cutKind) && answer.status < 400;
}
