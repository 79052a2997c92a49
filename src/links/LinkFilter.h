#pragma once

#include "LinkReason.h"

#include <QList>
#include <QRegularExpression>

#include <optional>

// Which links a check leaves out on purpose: addresses matched by the user's patterns, and every web link
// when the check runs without the network.
struct LinkFilter {
    QList<QRegularExpression> include; // given any: an address must match one of them (or be excluded)
    QList<QRegularExpression> exclude; // an address matching one is left out, unless an include matches it
    bool offline = false;              // web links are left out

    // Why the link to an absolute address (a URL, or a file: URL for a local file) is left out; nothing
    // when it is checked. An include pattern wins over the exclude patterns.
    std::optional<LinkReason> leaveOut(const QString& address, bool web) const;
};
