#pragma once

#include "common/RichTextBox.h"


class QPlainTextEdit;

// The editor operations on a visible QPlainTextEdit: the selection is the widget's own cursor, so what the
// program selects the user sees, and what the user selects the program reads.
class TextEditBox : public RichTextBox {
    Q_OBJECT
public:
    explicit TextEditBox(QPlainTextEdit* edit);

    // While detached, the program's selections stay off the screen: a long operation moves a private
    // cursor through thousands of tags without the widget scrolling and repainting for each, and the
    // widget shows only where the selection ends. Calls may nest.
    void detachSelection();
    void attachSelection();

    void setEnabled(bool enabled) override;
    bool isEnabled() const override;
    void refresh() override;

protected:
    Selection selection() const override;
    void setSelectionPositions(const Selection& selection) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Selection widgetSelection() const;

    QPlainTextEdit* m_edit;
    int m_detached = 0;
};

// Keeps a TextEditBox's selection detached for one scope.
class DetachedSelection {
public:
    explicit DetachedSelection(TextEditBox& box) : m_box(box) { m_box.detachSelection(); }
    ~DetachedSelection() { m_box.attachSelection(); }
    DetachedSelection(const DetachedSelection&) = delete;
    DetachedSelection& operator=(const DetachedSelection&) = delete;

private:
    TextEditBox& m_box;
};
