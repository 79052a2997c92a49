#pragma once

// Qt's own texts (the buttons of message boxes, the file dialog, the editor's context menu) in Japanese, as
// every caption of the program is, whatever the user's locale: Japanese becomes the default locale (the file
// dialog's type names and sizes follow it), and Qt's Japanese catalogue, qtbase_ja.qm from Qt's translations
// folder, is installed once per application. False when that catalogue is missing or unreadable (Qt's
// buttons and dialogs then speak English). Needs a QCoreApplication.
bool installQtJapanese();
