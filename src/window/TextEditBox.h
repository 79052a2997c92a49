#pragma once

#include "editor/RichTextBox.h"

class QPlainTextEdit;

// The editor operations on a visible QPlainTextEdit: the selection is the widget's own cursor, so what the
// program selects the user sees, and what the user selects the program reads.
class TextEditBox : public RichTextBox {
    Q_OBJECT
public:
    explicit TextEditBox(QPlainTextEdit* edit);

protected:
    Selection selection() const override;
    void setSelectionPositions(const Selection& selection) override;

private:
    QPlainTextEdit* m_edit;
};
