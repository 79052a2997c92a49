#include "TextEditBox.h"

#include <QEvent>
#include <QTextEdit>

TextEditBox::TextEditBox(QTextEdit* edit) : RichTextBox(edit->document(), edit), m_edit(edit)
{
    // Pasted rich text would bring tables and frames: the document holds plain paragraphs only.
    m_edit->setAcceptRichText(false);
    connect(m_edit, &QTextEdit::cursorPositionChanged, this, &RichTextBox::selectionChanged);
    connect(m_edit, &QTextEdit::selectionChanged, this, &RichTextBox::selectionChanged);
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

QTextCursor TextEditBox::cursor() const
{
    return m_edit->textCursor();
}

void TextEditBox::setCursor(const QTextCursor& cursor)
{
    m_edit->setTextCursor(cursor);
    m_edit->ensureCursorVisible();
}

bool TextEditBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_edit && event->type() == QEvent::FocusIn)
        emit focusReceived();
    return RichTextBox::eventFilter(watched, event);
}
