#include "TextEditBox.h"

#include <QPlainTextEdit>
#include <QTextDocument>

#include <algorithm>

TextEditBox::TextEditBox(QPlainTextEdit* edit) : RichTextBox(edit->document(), edit), m_edit(edit)
{
    connect(m_edit, &QPlainTextEdit::cursorPositionChanged, this, &RichTextBox::selectionChanged);
    connect(m_edit, &QPlainTextEdit::selectionChanged, this, &RichTextBox::selectionChanged);
}

RichTextBox::Selection TextEditBox::selection() const
{
    const QTextCursor cursor = m_edit->textCursor();
    return Selection{cursor.anchor(), cursor.position()};
}

void TextEditBox::setSelectionPositions(const Selection& selection)
{
    // Positions kept while the text changed may lie past its end now.
    const int last = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(selection.anchor, 0, last));
    cursor.setPosition(std::clamp(selection.position, 0, last), QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
}
