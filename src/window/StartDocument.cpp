#include "StartDocument.h"

#include "common/DocumentSource.h"

#include <QDir>
#include <QUrl>

QString startDocumentPath(const QString& argument)
{
    const QString trimmed = argument.trimmed();
    if (trimmed.isEmpty() || isUrlPath(trimmed))
        return trimmed;
    QString local = trimmed;
    if (trimmed.startsWith(QLatin1StringView("file:"), Qt::CaseInsensitive)) {
        QUrl url(trimmed);
        // file://localhost/path is this machine's /path.
        if (url.host().compare(QLatin1StringView("localhost"), Qt::CaseInsensitive) == 0)
            url.setHost(QString());
        // A URL that names no file stays as typed, so that the load reports it.
        if (const QString file = url.toLocalFile(); !file.isEmpty())
            local = file;
    }
    return QDir::current().absoluteFilePath(local);
}
