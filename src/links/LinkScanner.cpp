#include "LinkScanner.h"

#include "AnchorIndex.h"
#include "CheckProgress.h"
#include "LinkClassifier.h"
#include "LinkKinds.h"
#include "LinkRegistry.h"
#include "TagScan.h"
#include "TagValue.h"
#include "TextPositions.h"
#include "WebLinkCheck.h"
#include "common/Document.h"
#include "common/RichTextBox.h"
#include "common/RunState.h"
#include "common/SearchCopy.h"

#include <QScopeGuard>

#include <algorithm>
#include <exception>
#include <memory>

LinkScanner::LinkScanner(Document& document, RunState& run, RichTextBox& editor, CheckProgress& progress,
                         WebLinkCheck& web, LinkRegistry& registry)
    : m_document(document), m_run(run), m_editor(editor), m_progress(progress), m_web(web), m_registry(registry)
{
}

bool LinkScanner::abortRequested()
{
    m_progress.processEvents();
    return m_run.abort.isRequested();
}

bool LinkScanner::checkAllLinks(const QString& docBase, bool docIsFile, bool useStoredText)
{
    bool result = false;
    try {
        m_progress.setProgressVisible(true);
        m_table.clear();
        m_valueSpans.clear();
        m_table.text = useStoredText ? m_document.htmlData : m_editor.text();
        m_editor.setEnabled(false);
        const QString upper = makeSearchCopy(m_table.text);
        if (findLinks(upper) && checkLinks(upper, docBase, docIsFile)) {
            paintLinks();
            result = true;
        }
    } catch (const std::exception&) {
        result = false;
    }
    m_editor.setEnabled(true);
    m_progress.showCurrentLink(QString());
    m_progress.setProgressVisible(false);
    return result;
}

bool LinkScanner::findLinks(const QString& upper)
{
    m_progress.setPhase(CheckPhase::Counting);
    TagCandidates tags(upper);
    HrefValues hrefs(upper);
    TextPositions positions(m_table.text);
    LinkResult result = LinkResult::Unchecked;
    while (true) {
        if (abortRequested())
            return false;
        // Once no ">" follows a candidate, none follows any later one either.
        if (!tags.next() || tags.end() < 0)
            return true;
        const auto span = hrefs.find(tags.start(), tags.end());
        if (!span)
            continue;
        if (m_valueSpans.empty() || *span != m_valueSpans.back())
            result = preClassify(firstPassValue(upper, *span));
        m_valueSpans.push_back(*span);
        const int length = int(tags.end() - tags.start() + 1);
        const TextPositions::LineColumn at = positions.at(tags.start());
        const LinkReason reason{result == LinkResult::Unchecked ? LinkReason::Kind::None : LinkReason::Kind::NotChecked,
                                QString(), {}};
        m_table.entries.push_back({int(tags.start()) + 1, length, result, at.line, at.column, reason});
    }
}

bool LinkScanner::sharesPreviousValue(int entry) const
{
    return entry > 0 && m_valueSpans[entry] == m_valueSpans[entry - 1];
}

QString LinkScanner::linkValue(int index) const
{
    return secondPassValue(m_table.text, m_valueSpans[size_t(index)]);
}

QList<std::optional<QString>> LinkScanner::valuesToCheck() const
{
    QList<std::optional<QString>> values(m_table.count());
    for (int i = 0; i < m_table.count(); ++i) {
        if (m_table.entries[i].result != LinkResult::Unchecked)
            continue;
        values[i] = sharesPreviousValue(i) ? values[i - 1] : linkValue(i);
    }
    return values;
}

bool LinkScanner::checkLinks(const QString& upper, const QString& docBase, bool docIsFile)
{
    m_progress.setPhase(CheckPhase::Checking);
    // The bar counts links decided, from none to all of them.
    if (m_table.count() > 0)
        m_progress.setProgressRange(0, m_table.count());

    // The anchors are collected once, on the first in-page link that needs them.
    std::unique_ptr<AnchorIndex> anchors;
    const LinkClassifier classifier(LinkClassifier::normaliseBase(docBase), docIsFile, m_web, [&](const QString& name) {
        if (!anchors)
            anchors = std::make_unique<AnchorIndex>(upper);
        return anchors->contains(name);
    }, m_document.encoding);

    const QList<std::optional<QString>> values = valuesToCheck();
    // Announced in the order checkWebLink will be called: a shared value is checked once.
    QStringList webUrls;
    std::vector<bool> isWeb(values.size());
    for (int i = 0; i < int(values.size()); ++i) {
        if (sharesPreviousValue(i))
            continue;
        if (const auto url = values[i] ? classifier.webUrl(*values[i]) : std::nullopt) {
            webUrls.append(*url);
            isWeb[i] = true;
        }
    }
    // The bar counts the links decided and, ahead of them, the web links whose answers have arrived:
    // it moves on while a slow link holds up the decisions, which go in document order.
    int decided = 0;
    int webDecided = 0;
    int answered = 0;
    const auto showProgress = [&] {
        m_progress.setProgressValue(std::min(m_table.count(), decided + std::max(0, answered - webDecided)));
    };
    m_web.prefetch(webUrls, [&](int count) {
        answered = count;
        showProgress();
    });
    // The announced links the loop does not reach (a stop) are of no use any more.
    const auto endPrefetch = qScopeGuard([this] { m_web.cancelPrefetch(); });

    for (int i = 0; i < m_table.count(); ++i) {
        decided = i;
        showProgress();
        if (abortRequested())
            return false;
        if (!values[i])
            continue;
        m_progress.showCurrentLink(*values[i]);
        m_progress.processEvents();
        LinkEntry& entry = m_table.entries[i];
        if (sharesPreviousValue(i)) {
            entry.result = m_table.entries[i - 1].result;
            entry.reason = m_table.entries[i - 1].reason;
            continue;
        }
        const Classification classification = classifier.classify(*values[i]);
        entry.result = classification.result;
        entry.reason = classification.reason;
        webDecided += isWeb[i];
    }
    decided = m_table.count();
    showProgress();
    return true;
}

void LinkScanner::paintLinks()
{
    m_progress.showCurrentLink(QString());
    // Emptying the editor first lets the text take a black, unmarked insertion format.
    m_editor.setText(QString());
    m_editor.refresh();
    m_editor.setSelection(0, 0);
    m_editor.setSelColor(0);
    m_editor.setSelLinkMark(false);
    m_editor.setText(m_table.text);
    m_registry.clear();

    // The editor now holds exactly the scanned text, so each tag stands at its own offset.
    m_editor.beginBatch();
    for (const LinkEntry& entry : m_table.entries) {
        if (abortRequested())
            break;
        const auto color = colorForResult(entry.result);
        if (!color)
            continue;
        m_editor.setSelection(entry.start - 1, entry.length);
        m_editor.setSelColor(*color);
        m_editor.setSelLinkMark(true);
        m_editor.setSelLinkId(m_registry.add(entry.result, entry.reason));
    }
    m_editor.endBatch();
    m_editor.setSelection(0, 0);
}
