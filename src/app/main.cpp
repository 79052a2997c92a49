// tarnwick: the link checker's window.

#include "common/AppInfo.h"
#include "common/Translations.h"
#include "dialogs/AppIcon.h"
#include "store/EncodingSetting.h"
#include "store/IniLocation.h"
#include "window/CheckSettingsFile.h"
#include "window/MainWindow.h"
#include "window/MessageBoxPrompter.h"

#include <QApplication>
#include <QFont>
#include <QProcessEnvironment>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    QApplication::setWindowIcon(appIcon());
    // The window speaks Japanese, whatever the locale.
    if (!installTarnwickJapanese())
        qWarning("tarnwick: the program's Japanese texts (tarnwick_ja.qm) could not be read");
    if (!installQtJapanese())
        qWarning("tarnwick: Qt's Japanese texts (qtbase_ja.qm) are missing; its buttons and dialogs speak English");

    const QString iniPath =
        iniFileLocation(QCoreApplication::applicationFilePath(), QProcessEnvironment::systemEnvironment());
    const EncodingSetting encoding = readEncodingSetting(iniPath);
    CheckSettings settings = readCheckSettings(iniPath);
    settings.encoding = encoding.name;
    MessageBoxPrompter prompter;
    MainWindow window(prompter, iniPath, settings);
    prompter.setParent(&window);
    window.show();
    if (!encoding.unknownName.isEmpty())
        prompter.ask({PromptId::UnknownEncodingSetting, {encoding.unknownName}});
    // `tarnwick [FILE|URL]`: QApplication has taken its own options (-platform, -style, ...) off the list.
    window.openAtStart(QCoreApplication::arguments().value(1));
    return app.exec();
}
