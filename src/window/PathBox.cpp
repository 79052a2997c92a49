#include "PathBox.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

namespace {

QStringList localFiles(const QMimeData* data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

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
    if (localFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void PathBox::dragMoveEvent(QDragMoveEvent* event)
{
    if (localFiles(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

void PathBox::dropEvent(QDropEvent* event)
{
    const QStringList paths = localFiles(event->mimeData());
    event->acceptProposedAction();
    if (!paths.isEmpty())
        emit filesDropped(paths);
}
