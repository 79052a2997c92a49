#include "PathBox.h"

#include "DroppedFiles.h"

#include <QDropEvent>
#include <QKeyEvent>

PathBox::PathBox(QWidget* parent) : QPlainTextEdit(parent)
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setTabChangesFocus(true);
}

void PathBox::keyPressEvent(QKeyEvent* event)
{
    // Enter neither breaks the line nor loads: the load button does that.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void PathBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedLocalPaths(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void PathBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (droppedLocalPaths(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void PathBox::dropEvent(QDropEvent* event)
{
    const QStringList paths = droppedLocalPaths(event->mimeData());
    event->acceptProposedAction();
    if (!paths.isEmpty())
        emit filesDropped(paths);
}
