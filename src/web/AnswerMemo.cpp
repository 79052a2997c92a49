#include "AnswerMemo.h"

#include "WebLink.h"

const AnswerMemo::LinkEntry* AnswerMemo::link(const QString& url) const
{
    const auto it = m_links.constFind(url);
    return it == m_links.cend() ? nullptr : &*it;
}

const NotFoundAnswer* AnswerMemo::notFound(const QString& probeUrl) const
{
    const auto it = m_notFound.constFind(probeUrl);
    return it == m_notFound.cend() ? nullptr : &*it;
}

void AnswerMemo::rememberLink(const QString& url, LinkEntry entry)
{
    // A stop is no answer of the server's.
    if (!entry.answer && entry.failure.failure == WebFailure::Cancelled)
        return;
    if (m_links.contains(url) || hasRoom())
        m_links.insert(url, std::move(entry));
}

void AnswerMemo::rememberNotFound(const QString& probeUrl, const QString& text)
{
    if (text.size() <= MaxNotFoundChars && (m_notFound.contains(probeUrl) || hasRoom()))
        m_notFound.insert(probeUrl, NotFoundAnswer(text));
}

void AnswerMemo::forget(const QString& url)
{
    const WebLink link = prepareWebLink(url);
    m_links.remove(link.url);
    m_notFound.remove(link.probeUrl);
}
