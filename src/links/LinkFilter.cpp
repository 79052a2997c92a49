#include "LinkFilter.h"

namespace {

const QRegularExpression* firstMatching(const QList<QRegularExpression>& patterns, const QString& address)
{
    for (const QRegularExpression& pattern : patterns) {
        if (pattern.match(address).hasMatch())
            return &pattern;
    }
    return nullptr;
}

LinkReason leftOut(LinkReason::Kind kind, const QString& address, const QString& pattern = QString())
{
    LinkReason reason;
    reason.kind = kind;
    reason.target = address;
    reason.nearest = pattern;
    return reason;
}

} // namespace

std::optional<LinkReason> LinkFilter::leaveOut(const QString& address, bool web) const
{
    if (web && offline)
        return leftOut(LinkReason::Kind::Offline, address);
    if (firstMatching(include, address))
        return std::nullopt;
    if (const QRegularExpression* pattern = firstMatching(exclude, address))
        return leftOut(LinkReason::Kind::Excluded, address, pattern->pattern());
    if (!include.isEmpty())
        return leftOut(LinkReason::Kind::Excluded, address);
    return std::nullopt;
}
