#pragma once

#include "links/WebLinkCheck.h"

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>

// Answers web checks from a set of URLs that exist, a turn of the event loop later, and records every URL
// asked, in order. A URL marked as stalled never answers, so neither it nor any URL after it is decided.
class FakeWebCheck : public WebLinkCheck {
public:
    explicit FakeWebCheck(QSet<QString> existing = {}, QSet<QString> stalled = {})
        : m_existing(std::move(existing)), m_stalled(std::move(stalled))
    {
    }

    std::unique_ptr<WebRun> start(const QStringList& urls, WebRunCallbacks callbacks) override
    {
        asked += urls;
        return std::make_unique<Run>(urls, m_existing, m_stalled, std::move(callbacks));
    }

    QStringList asked;

private:
    class Run : public QObject, public WebRun {
    public:
        Run(const QStringList& urls, const QSet<QString>& existing, const QSet<QString>& stalled,
            WebRunCallbacks callbacks)
        {
            QTimer::singleShot(0, this, [=] {
                for (int index = 0; index < urls.size() && !stalled.contains(urls[index]); ++index) {
                    WebVerdict verdict;
                    verdict.exists = existing.contains(urls[index]);
                    if (callbacks.answered)
                        callbacks.answered(index + 1);
                    callbacks.decided(index, verdict);
                }
            });
        }
    };

    QSet<QString> m_existing;
    QSet<QString> m_stalled;
};
