#include "DocumentFile.h"

#include "CodePage.h"
#include "FileTest.h"
#include "SearchCopy.h"

#include <QFile>
#include <QFileInfo>

bool readLocalFile(const QString& path, const CodePage& codePage, QString& htmlData)
{
    const QString trimmed = trimBlanks(path);
    if (trimmed.isEmpty() || !fileExists(trimmed))
        return false;
    QFile file(trimmed);
    if (QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly) || file.size() > MaxLocalDocumentBytes)
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    QString text = codePage.decode(bytes);
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    htmlData = text;
    return true;
}

bool checkHtmlTag(const QString& htmlData)
{
    const QString upper = upperCaseKeepingLength(htmlData);
    return upper.contains(QLatin1StringView("<HTML ")) || upper.contains(QLatin1StringView("<HTML>"));
}

std::array<QString, 3> splitFilePath(const QString& path)
{
    const QFileInfo info(trimBlanks(path));
    QString folder = info.absolutePath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    return {folder, name, dot < 0 ? name : name.left(dot)};
}

QString fileDocBase(const QString& path)
{
    QString folder = splitFilePath(path)[0];
    folder.chop(1);
    return folder;
}

QString urlDocBase(const QString& url)
{
    if (url.endsWith(u'/'))
        return url;
    if (!url.contains(u'.'))
        return trimBlanks(url) + u'/';
    const qsizetype last = url.lastIndexOf(u'/');
    if (last < 0)
        return url;
    if (last > 0 && url.at(last - 1) == u'/')
        return url;
    return url.left(last);
}
