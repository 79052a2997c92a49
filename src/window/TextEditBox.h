#pragma once

#include "common/RichTextBox.h"

class QTextEdit;

// The editor operations on a visible QTextEdit: the selection is the widget's own cursor, so what the
// program selects the user sees, and what the user selects the program reads.
class TextEditBox : public RichTextBox {
    Q_OBJECT
public:
    explicit TextEditBox(QTextEdit* edit);

    void setEnabled(bool enabled) override;
    bool isEnabled() const override;
    void refresh() override;

protected:
    QTextCursor cursor() const override;
    void setCursor(const QTextCursor& cursor) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTextEdit* m_edit;
};
