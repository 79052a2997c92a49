#include "TextEditBox.h"

#include <QEvent>
#include <QTextDocument>

#include <algorithm>
#include <QPlainTextEdit>

TextEditBox::TextEditBox(QPlainTextEdit* edit) : RichTextBox(edit->document(), edit), m_edit(edit)
{
    connect(m_edit, &QPlainTextEdit::cursorPositionChanged, this, &RichTextBox::selectionChanged);
    connect(m_edit, &QPlainTextEdit::selectionChanged, this, &RichTextBox::selectionChanged);
    m_edit->installEventFilter(this);
}

void TextEditBox::setEnabled(bool enabled)
{
    m_edit->setEnabled(enabled);
}

bool TextEditBox::isEnabled() const
{
    return m_edit->isEnabled();
}

void TextEditBox::refresh()
{
    m_edit->viewport()->update();
}

void TextEditBox::detachSelection()
{
    if (m_detached++ == 0)
        RichTextBox::setSelectionPositions(widgetSelection());
}

void TextEditBox::attachSelection()
{
    if (--m_detached == 0)
        setSelectionPositions(RichTextBox::selection());
}

RichTextBox::Selection TextEditBox::widgetSelection() const
{
    const QTextCursor cursor = m_edit->textCursor();
    return Selection{cursor.anchor(), cursor.position()};
}

RichTextBox::Selection TextEditBox::selection() const
{
    return m_detached ? RichTextBox::selection() : widgetSelection();
}

void TextEditBox::setSelectionPositions(const Selection& selection)
{
    if (m_detached) {
        RichTextBox::setSelectionPositions(selection);
        return;
    }
    // Positions kept while the text changed may lie past its end now.
    const int last = document()->characterCount() - 1;
    QTextCursor cursor(document());
    cursor.setPosition(std::clamp(selection.anchor, 0, last));
    cursor.setPosition(std::clamp(selection.position, 0, last), QTextCursor::KeepAnchor);
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
}

bool TextEditBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::FocusIn)
        emit focusReceived();
    return RichTextBox::eventFilter(watched, event);
}
