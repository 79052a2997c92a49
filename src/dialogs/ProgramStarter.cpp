#include "ProgramStarter.h"

#include <QProcess>
#include <QStandardPaths>

QString ProcessStarter::findExecutable(const QString& name) const
{
    return QStandardPaths::findExecutable(name);
}

bool ProcessStarter::startDetached(const QString& path)
{
    return QProcess::startDetached(path, QStringList());
}
