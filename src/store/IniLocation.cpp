#include "IniLocation.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString absoluteVariable(const QProcessEnvironment& environment, const QString& name)
{
    const QString value = environment.value(name);
    return QDir::isAbsolutePath(value) ? value : QString();
}

} // namespace

QString iniFileLocation(const QString& executablePath, const QProcessEnvironment& environment)
{
    if (!executablePath.isEmpty()) {
        const QFileInfo executable(executablePath);
        const QFileInfo folder(executable.absolutePath());
        if (folder.isDir() && folder.isWritable())
            return QDir(folder.filePath()).filePath(executable.completeBaseName() + QStringLiteral(".INI"));
    }
    QString config = absoluteVariable(environment, QStringLiteral("XDG_CONFIG_HOME"));
    if (config.isEmpty()) {
        const QString home = absoluteVariable(environment, QStringLiteral("HOME"));
        if (home.isEmpty())
            return QString();
        config = QDir(home).filePath(QStringLiteral(".config"));
    }
    return QDir(config).filePath(QStringLiteral("tarnwick/tarnwick.INI"));
}
