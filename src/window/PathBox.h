#pragma once

#include <QPlainTextEdit>

// The path box: a multi-line text box where Enter does nothing and files dropped from a file manager
// are handed to the window rather than inserted as text.
class PathBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PathBox(QWidget* parent = nullptr);

signals:
    // The local paths of the dropped files, in the order the drag listed them.
    void filesDropped(const QStringList& paths);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};
