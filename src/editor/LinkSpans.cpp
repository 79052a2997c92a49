#include "LinkSpans.h"

#include "RichTextBox.h"

#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace {

int documentLengthOf(const QString& tag)
{
    return int(tag.size() - tag.count(QStringLiteral("\r\n")));
}

} // namespace

LinkSpans::LinkSpans(RichTextBox& editor, QObject* parent) : QObject(parent), m_editor(editor)
{
    // Connected before whatever reads the spans on a change (LinkPainter), which are made after them.
    connect(m_editor.document(), &QTextDocument::contentsChange, this, &LinkSpans::onContentsChange);
    connect(&m_editor, &RichTextBox::rangesReplaced, this, &LinkSpans::onRangesReplaced);
}

void LinkSpans::reset(const LinkTable& table)
{
    emit aboutToReset();
    m_spans.clear();
    m_spans.reserve(table.entries.size());
    for (const LinkEntry& entry : table.entries) {
        const QString shown = table.text.mid(entry.shownStart() - 1, entry.shownLength());
        m_spans.push_back({m_editor.toDocumentPosition(entry.shownStart() - 1), shown, documentLengthOf(shown), entry});
    }
    emit spansReset();
}

void LinkSpans::clear()
{
    emit aboutToReset();
    m_spans.clear();
    emit spansReset();
}

void LinkSpans::update(const LinkTable& table, const QList<int>& indices)
{
    for (const int index : indices) {
        LinkEntry& link = m_spans[size_t(index)].link;
        const LinkEntry& decided = table.entries[size_t(index)];
        link.result = decided.result;
        link.reason = decided.reason;
        link.decided = decided.decided;
    }
    emit spansChanged(indices);
}

int LinkSpans::updateTag(int start, const QString& shownText, const LinkEntry& link)
{
    const int position = m_editor.toDocumentPosition(start);
    const int index = firstFrom(position);
    if (index < count() && m_spans[size_t(index)].start == position) {
        Span& span = m_spans[size_t(index)];
        span.tagText = shownText;
        span.documentLength = documentLengthOf(shownText);
        span.link = link;
        emit spansChanged({index});
        return index;
    }
    m_spans.insert(m_spans.begin() + index, Span{position, shownText, documentLengthOf(shownText), link});
    emit spanInserted(index);
    return index;
}

int LinkSpans::offsetOf(int index) const
{
    return m_editor.toTextOffset(at(index).start);
}

int LinkSpans::lineOf(int index) const
{
    return m_editor.document()->findBlock(at(index).start).blockNumber() + 1;
}

bool LinkSpans::isEdited(int index) const
{
    const QString& tag = at(index).tagText;
    return m_editor.textRange(offsetOf(index), int(tag.size())) != tag;
}

std::pair<int, int> LinkSpans::documentRange(int index) const
{
    const int start = at(index).start;
    return {start, start + at(index).documentLength};
}

std::pair<int, int> LinkSpans::valueRange(int index) const
{
    const LinkEntry& link = at(index).link;
    const int written = offsetOf(index) + link.valueStart - link.shownStart();
    const qsizetype blanks = std::max<qsizetype>(0, m_editor.textRange(written, link.valueLength).indexOf(link.value));
    return {written + int(blanks), int(link.value.size())};
}

int LinkSpans::firstFrom(int position) const
{
    // Edits never change the order of the tags, so the spans stay sorted by where their tags begin.
    return int(std::lower_bound(m_spans.begin(), m_spans.end(), position,
                                [](const Span& span, int at) { return span.start < at; }) -
               m_spans.begin());
}

std::pair<int, int> LinkSpans::spansOverlapping(int from, int to) const
{
    // A tag ends at the first ">" after its "<", so of two tags the later one never ends first: walking
    // back from the first span that begins in the range finds every one that reaches into it.
    int first = firstFrom(from);
    while (first > 0 && documentRange(first - 1).second > from)
        --first;
    return {first, firstFrom(to)};
}

std::optional<int> LinkSpans::spanAt(int offset) const
{
    const int position = m_editor.toDocumentPosition(offset);
    const auto [first, last] = spansOverlapping(position, position + 1);
    if (first == last)
        return std::nullopt;
    return last - 1; // the innermost: nested tags end together, and the last one begins last
}

std::optional<int> LinkSpans::spanStartingAt(int offset) const
{
    const int position = m_editor.toDocumentPosition(offset);
    const int index = firstFrom(position);
    if (index < count() && at(index).start == position)
        return index;
    return std::nullopt;
}

void LinkSpans::onContentsChange(int position, int removed, int added)
{
    if (std::exchange(m_shiftedAhead, false))
        return;
    for (auto span = m_spans.begin() + firstFrom(position); span != m_spans.end(); ++span)
        span->start = span->start < position + removed ? position + added : span->start + added - removed;
}

void LinkSpans::onRangesReplaced(const PositionShift& shift)
{
    std::vector<int> positions;
    positions.reserve(m_spans.size());
    for (const Span& span : m_spans)
        positions.push_back(span.start);
    shift.apply(positions);
    for (size_t index = 0; index < m_spans.size(); ++index)
        m_spans[index].start = positions[index];
    m_shiftedAhead = true;
}
