#pragma once

#include <QStringList>

class QMimeData;

// The local files and folders a drag carries, in the order it lists them; none for a drag of text or of web
// addresses, which are text to insert, not documents to open.
QStringList droppedLocalPaths(const QMimeData* data);
