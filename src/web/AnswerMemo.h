#pragma once

#include "WebAnswer.h"
#include "links/AnchorIndex.h"

#include <QHash>
#include <QSet>
#include <QString>

#include <optional>

// The answers of one run over several documents, by the URL requested, so that a URL answered once is
// not requested again: a link's answer as its verdict reads it (with the anchors of its page, once a link
// with a fragment asked for them), or its failure, and a probe's not-found answer. Servers are taken to
// answer the same request alike within one run, so each document is judged as if checked alone.
//
// Bounded: at most MaxEntries answers, and not-found pages only up to MaxNotFoundChars; past that, a URL
// is simply requested again.
class AnswerMemo {
public:
    static constexpr int MaxEntries = 100000;
    static constexpr qsizetype MaxNotFoundChars = 256 * 1024;

    struct LinkEntry {
        std::optional<WebAnswer> answer; // nothing: the request failed
        WebVerdict failure;
        std::optional<AnchorIndex> anchors; // the ids and names of the page, once asked for
    };

    const LinkEntry* link(const QString& url) const;
    const NotFoundAnswer* notFound(const QString& probeUrl) const;
    void rememberLink(const QString& url, LinkEntry entry);
    void rememberNotFound(const QString& probeUrl, const QString& text);
    // Forgets the answer for a link's URL (as a check is given it) and its probe's, so that both are asked again.
    void forget(const QString& url);

private:
    bool hasRoom() const { return m_links.size() + m_notFound.size() < MaxEntries; }

    QHash<QString, LinkEntry> m_links;
    QHash<QString, NotFoundAnswer> m_notFound;
};
