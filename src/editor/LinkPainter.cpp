#include "LinkPainter.h"

#include "LinkSpans.h"
#include "ShownColor.h"
#include "links/LinkKinds.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// After a paint, results that arrive within this time are painted together.
constexpr int PaintIntervalMs = 30;
// Blocks this close together are marked for layout as one stretch: one call for a stretch lays it out
// lazily, one call per block would lay out each block at once.
constexpr int StretchGap = 32;

} // namespace

LinkPainter::LinkPainter(LinkSpans& spans, QTextDocument* document, QObject* parent)
    : QObject(parent), m_spans(spans), m_document(document)
{
    m_paintTimer.setSingleShot(true);
    m_paintTimer.callOnTimeout(this, &LinkPainter::paintScheduled);
    connect(&m_spans, &LinkSpans::aboutToReset, this, &LinkPainter::onAboutToReset);
    connect(&m_spans, &LinkSpans::spansChanged, this, &LinkPainter::onSpansChanged);
    connect(&m_spans, &LinkSpans::spanInserted, this, [this](int index) { onSpansChanged({index}); });
    connect(m_document, &QTextDocument::contentsChange, this, &LinkPainter::onContentsChange);
}

void LinkPainter::setPalette(const QPalette& palette)
{
    // Blocks whose colours come out the same are left alone (paintBlockAt).
    m_palette = palette;
    m_formats.clear();
    scheduleDecidedSpans();
}

void LinkPainter::onAboutToReset()
{
    // The old spans' colours go with them, before the spans are gone.
    scheduleDecidedSpans();
    m_paintTimer.stop();
    QObject::connect(&m_spans, &LinkSpans::spansReset, this, &LinkPainter::paintScheduled, Qt::SingleShotConnection);
}

void LinkPainter::scheduleDecidedSpans()
{
    for (int index = 0; index < m_spans.count(); ++index) {
        if (m_spans.at(index).link.decided) {
            const auto [from, to] = m_spans.documentRange(index);
            schedule(from, to);
        }
    }
}

void LinkPainter::onSpansChanged(const QList<int>& indices)
{
    for (const int index : indices) {
        const auto [from, to] = m_spans.documentRange(index);
        schedule(from, to);
    }
}

void LinkPainter::onContentsChange(int position, int charsRemoved, int charsAdded)
{
    Q_UNUSED(charsRemoved);
    // Inside contentsChange the document is still to lay the change out: formats set now are laid out with it.
    for (QTextBlock block = m_document->findBlock(position);
         block.isValid() && block.position() <= position + charsAdded; block = block.next())
        paintBlockAt(block.position());
}

void LinkPainter::schedule(int firstPosition, int lastPosition)
{
    for (QTextBlock block = m_document->findBlock(firstPosition); block.isValid() && block.position() < lastPosition;
         block = block.next())
        m_dueBlocks.insert(block.blockNumber());
    if (!m_paintTimer.isActive())
        m_paintTimer.start(m_sincePaint.isValid() ? int(std::max<qint64>(0, PaintIntervalMs - m_sincePaint.elapsed()))
                                                  : 0);
}

void LinkPainter::paintScheduled()
{
    const std::set<int> due = std::exchange(m_dueBlocks, {});
    std::optional<std::pair<int, int>> stretch; // block numbers of changed blocks not marked yet
    const auto mark = [this, &stretch] {
        const QTextBlock first = m_document->findBlockByNumber(stretch->first);
        const QTextBlock last = m_document->findBlockByNumber(stretch->second);
        m_document->markContentsDirty(first.position(), last.position() + last.length() - first.position());
        stretch.reset();
    };
    for (const int number : due) {
        const QTextBlock block = m_document->findBlockByNumber(number);
        if (!block.isValid() || !paintBlockAt(block.position()))
            continue;
        if (stretch && number - stretch->second > StretchGap)
            mark();
        stretch = stretch ? std::pair(stretch->first, number) : std::pair(number, number);
    }
    if (stretch)
        mark();
    m_sincePaint.start();
    emit painted();
}

const QTextCharFormat& LinkPainter::formatOf(LinkResult result)
{
    auto it = m_formats.find(toCode(result));
    if (it == m_formats.end()) {
        QTextCharFormat format;
        format.setForeground(shownLinkColor(*colorForResult(result), m_palette));
        format.setFontUnderline(true);
        it = m_formats.insert(toCode(result), format);
    }
    return *it;
}

bool LinkPainter::paintBlockAt(int position)
{
    const QTextBlock block = m_document->findBlock(position);
    const int blockStart = block.position();
    const int blockEnd = blockStart + block.length();
    QList<QTextLayout::FormatRange> ranges;
    const auto [first, last] = m_spans.spansOverlapping(blockStart, blockEnd);
    for (int index = first; index < last; ++index) {
        const LinkEntry& link = m_spans.at(index).link;
        if (!link.decided || !classOf(link.result))
            continue;
        const auto [from, to] = m_spans.documentRange(index);
        const int start = std::max(from, blockStart);
        const int end = std::min(to, blockEnd);
        if (start < end)
            ranges.append({start - blockStart, end - start, formatOf(link.result)});
    }
    QTextLayout* layout = block.layout();
    if (layout->formats() == ranges)
        return false;
    layout->setFormats(ranges);
    return true;
}
