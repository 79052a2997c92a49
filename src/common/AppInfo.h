#pragma once

#include <QString>

// The program's name, the caption of its main window and of every message box, and its version.
inline const QString AppTitle = QStringLiteral("Tarnwick");
constexpr int AppVersionMajor = 1;
constexpr int AppVersionMinor = 0;
constexpr int AppVersionRevision = 0;

// "1.0.0".
inline QString appVersionText()
{
    return QStringLiteral("%1.%2.%3").arg(AppVersionMajor).arg(AppVersionMinor).arg(AppVersionRevision);
}
