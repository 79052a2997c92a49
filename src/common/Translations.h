#pragma once

// The program's own texts in Japanese: its catalogue, tarnwick_ja.qm, built into the program. The window
// installs it always; tarnwick-check when the locale is Japanese. Installed once per application; false
// when the catalogue cannot be read. Needs a QCoreApplication.
bool installTarnwickJapanese();

// Qt's own texts (the buttons of message boxes, the file dialog, the editor's context menu, the command line
// parser's) in Japanese: Japanese becomes the default locale (the file dialog's type names and sizes follow
// it), and Qt's Japanese catalogue, qtbase_ja.qm from Qt's translations folder, is installed once per
// application. False when that catalogue is missing or unreadable (Qt's texts then stay English).
bool installQtJapanese();
