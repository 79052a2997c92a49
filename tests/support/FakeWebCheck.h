#pragma once

#include "links/WebLinkCheck.h"

#include <QSet>
#include <QStringList>

// Answers web checks from a set of URLs that exist, and records every URL asked, in order.
class FakeWebCheck : public WebLinkCheck {
public:
    explicit FakeWebCheck(QSet<QString> existing = {}) : m_existing(std::move(existing)) {}

    WebVerdict checkWebLink(const QString& url) override
    {
        asked.append(url);
        WebVerdict verdict;
        verdict.exists = m_existing.contains(url);
        return verdict;
    }

    QStringList asked;

private:
    QSet<QString> m_existing;
};
