#include "LinkScanner.h"

#include "AnchorIndex.h"
#include "CheckProgress.h"
#include "LinkClassifier.h"
#include "LinkKinds.h"
#include "TagScan.h"
#include "TagValue.h"
#include "WebLinkCheck.h"
#include "common/DocumentState.h"
#include "common/RichTextBox.h"
#include "common/SearchCopy.h"

#include <exception>
#include <memory>

LinkScanner::LinkScanner(DocumentState& state, RichTextBox& editor, CheckProgress& progress, WebLinkCheck& web)
    : m_state(state), m_editor(editor), m_progress(progress), m_web(web)
{
}

bool LinkScanner::abortRequested()
{
    m_progress.processEvents();
    return m_state.AbortRequested;
}

bool LinkScanner::Fnc_CheckAllLinks(const QString& docBase, bool docIsFile, bool useStoredText)
{
    bool result = false;
    try {
        m_progress.setProgressVisible(true);
        m_table.clear();
        const QString text = useStoredText ? m_state.HtmlData : m_editor.text();
        m_editor.setEnabled(false);
        const QString upper = makeSearchCopy(text);
        if (findLinks(text, upper) && checkLinks(text, upper, docBase, docIsFile)) {
            paintLinks(text);
            result = true;
        }
    } catch (const std::exception&) {
        result = false;
    }
    // Whatever was announced and not checked (a stop, an error) is of no use any more.
    m_web.cancelPrefetch();
    m_editor.setEnabled(true);
    m_progress.showCurrentLink(QString());
    m_progress.setProgressVisible(false);
    return result;
}

bool LinkScanner::findLinks(const QString& text, const QString& upper)
{
    m_progress.setStatusText(QStringLiteral("リンク数の割り出し中..."));
    TagCandidates tags(upper);
    NextOccurrence hrefForm(upper, u" HREF=");
    while (true) {
        if (abortRequested())
            return false;
        // Once no ">" follows a candidate, none follows any later one either.
        if (!tags.next() || tags.end() < 0)
            return true;
        if (!hrefForm.within(tags.start(), tags.end()))
            continue;
        const int length = int(tags.end() - tags.start() + 1);
        m_table.append(int(tags.start()) + 1, length, text.mid(tags.start(), length));
        m_table.LinkResult.last() = preClassify(firstPassValue(tags.tag()));
    }
}

QList<std::optional<QString>> LinkScanner::valuesToCheck(const QString& text, const QString& upper) const
{
    QList<std::optional<QString>> values(m_table.LinkCount);
    for (int i = 0; i < m_table.LinkCount; ++i) {
        if (m_table.LinkResult[i] != LR_UNCHECKED)
            continue;
        const qsizetype start = m_table.LinkTagStart[i] - 1;
        const qsizetype length = m_table.LinkTagLength[i];
        values[i] = secondPassValue(QStringView(text).sliced(start, length), QStringView(upper).sliced(start, length));
    }
    return values;
}

bool LinkScanner::checkLinks(const QString& text, const QString& upper, const QString& docBase, bool docIsFile)
{
    m_progress.setStatusText(QStringLiteral("調査中のリンク先"));
    if (m_table.LinkCount > 0)
        m_progress.setProgressRange(0, m_table.LinkCount == 1 ? 1 : m_table.LinkCount - 1);

    // The anchors are collected once, on the first in-page link that needs them.
    std::unique_ptr<AnchorIndex> anchors;
    const LinkClassifier classifier(LinkClassifier::normaliseBase(docBase), docIsFile, m_web,
                                    [&](const QString& name) {
                                        if (!anchors)
                                            anchors = std::make_unique<AnchorIndex>(upper);
                                        return anchors->contains(name);
                                    });

    const QList<std::optional<QString>> values = valuesToCheck(text, upper);
    QStringList webUrls;
    for (const auto& value : values) {
        if (const auto url = value ? classifier.webUrl(*value) : std::nullopt)
            webUrls.append(*url);
    }
    m_web.prefetch(webUrls);

    for (int i = 0; i < m_table.LinkCount; ++i) {
        m_progress.setProgressValue(i);
        if (abortRequested())
            return false;
        if (!values[i])
            continue;
        m_progress.showCurrentLink(*values[i]);
        m_progress.processEvents();
        m_table.LinkResult[i] = classifier.classify(*values[i]);
    }
    return true;
}

void LinkScanner::paintLinks(const QString& text)
{
    m_progress.showCurrentLink(QString());
    // Emptying the editor first lets the text take a black, unmarked insertion format.
    m_editor.setText(QString());
    m_editor.refresh();
    m_editor.setSelection(0, 0);
    m_editor.setSelColor(0);
    m_editor.setSelLinkMark(false);
    m_editor.setText(text);

    m_editor.beginBatch();
    for (int i = 0; i < m_table.LinkCount; ++i) {
        if (abortRequested())
            break;
        const auto color = colorForResult(m_table.LinkResult[i]);
        if (!color || !m_editor.findAndSelect(m_table.LinkTagText[i], m_table.LinkTagStart[i] - 1))
            continue;
        m_editor.setSelColor(*color);
        m_editor.setSelLinkMark(true);
    }
    m_editor.endBatch();
    m_editor.setSelection(0, 0);
}
