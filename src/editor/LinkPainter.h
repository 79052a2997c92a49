#pragma once

#include "links/LinkKinds.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPalette>
#include <QTextCharFormat>
#include <QTimer>

#include <set>

class LinkSpans;
class QTextDocument;

// Shows every decided link in the colour of its result, underlined, as additional formats of the
// document's layout (QTextLayout::setFormats). Painting is no edit: the text, its undo history and the
// document's modified state stay as they are. A span's colour follows its tag through edits elsewhere,
// and the characters it covers are repainted after each edit. The colours suit the palette of the widget showing the
// document (shownLinkColor): the application's palette until told otherwise.
class LinkPainter : public QObject {
    Q_OBJECT
public:
    LinkPainter(LinkSpans& spans, QTextDocument* document, QObject* parent = nullptr);

    // Repaints the links in the colours that suit the palette.
    void setPalette(const QPalette& palette);

signals:
    // The results that had arrived are painted now.
    void painted();

private:
    void onAboutToReset();
    void scheduleDecidedSpans();
    void onSpansChanged(const QList<int>& indices);
    void onContentsChange(int position, int charsRemoved, int charsAdded);
    // Blocks whose formats are due, painted on the next turn of the event loop, and after that at most once
    // per PaintIntervalMs: results arrive in many small batches.
    void schedule(int firstPosition, int lastPosition);
    void paintScheduled();
    // Sets the formats of the block holding each position from the spans over it; true when any changed.
    bool paintBlockAt(int position);
    const QTextCharFormat& formatOf(LinkResult result);

    LinkSpans& m_spans;
    QTextDocument* m_document;
    QPalette m_palette;
    QHash<int, QTextCharFormat> m_formats; // by result code
    std::set<int> m_dueBlocks;             // block numbers
    QTimer m_paintTimer;
    QElapsedTimer m_sincePaint;
};
