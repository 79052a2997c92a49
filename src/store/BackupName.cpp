#include "BackupName.h"

#include "common/FileTest.h"

namespace {

// Where the extension's "." stands, or -1 when the file name has none.
qsizetype extensionDot(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot > path.lastIndexOf(u'/') ? dot : -1;
}

} // namespace

QString documentExtension(const QString& path)
{
    const qsizetype dot = extensionDot(path);
    return dot < 0 ? QString() : path.mid(dot + 1);
}

QString backupGenerationName(const QString& path, qint64 generation)
{
    const qsizetype dot = extensionDot(path);
    const QString base = dot < 0 ? path : path.left(dot);
    return base + u'.' + QStringLiteral("%1").arg(generation, 3, 10, QLatin1Char('0'));
}

qint64 firstFreeBackupGeneration(const QString& path, qint64 from)
{
    qint64 generation = from;
    while (fileExists(backupGenerationName(path, generation)))
        ++generation;
    return generation;
}
