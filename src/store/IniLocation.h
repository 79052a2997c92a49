#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where the INI file lives. Beside the executable, named after it (folder + "/" + base name without
// its extension + ".INI"), when that folder is writable: a portable copy keeps its history with it.
// Otherwise "tarnwick/tarnwick.INI" in the user's configuration folder: $XDG_CONFIG_HOME, or
// $HOME/.config (a relative value of either is ignored, as the XDG rules say). Empty when neither
// place can be named; the history then lives for one run only.
QString iniFileLocation(const QString& executablePath, const QProcessEnvironment& environment);
