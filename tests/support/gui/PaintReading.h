#pragma once

#include "editor/Colors.h"
#include "editor/RichTextBox.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <utility>

// How the character at a document position is painted: its colour (0 when none) and its underline.
inline std::pair<Colorref, bool> paintAt(const QTextDocument& document, int position)
{
    const QTextBlock block = document.findBlock(position);
    for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
        const int at = position - block.position();
        if (at >= range.start && at < range.start + range.length)
            return {toColorref(range.format.foreground().color()), range.format.fontUnderline()};
    }
    return {0, false};
}

// The same at a text offset of an editor.
inline std::pair<Colorref, bool> paintAt(const RichTextBox& editor, int offset)
{
    return paintAt(*editor.document(), editor.toDocumentPosition(offset));
}
