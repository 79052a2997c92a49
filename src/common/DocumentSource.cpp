#include "DocumentSource.h"

#include "DocumentFile.h"
#include "SearchCopy.h"

DocumentSource DocumentSource::fromPathBox(const QString& text)
{
    DocumentSource source;
    source.path = trimBlanks(text);
    source.isUrl = isUrlPath(source.path);
    if (!source.path.isEmpty())
        source.base = source.isUrl ? urlDocBase(source.path) : fileDocBase(source.path);
    return source;
}

bool isUrlPath(const QString& path)
{
    const QString upper = upperCaseKeepingLength(trimBlanks(path));
    return upper.startsWith(QLatin1StringView("HTTP:")) || upper.startsWith(QLatin1StringView("HTTPS:")) ||
           upper.startsWith(QLatin1StringView("FTP:"));
}
