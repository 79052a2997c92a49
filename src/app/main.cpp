// tarnwick: the link checker's window.

#include "common/AppInfo.h"
#include "dialogs/AppIcon.h"
#include "store/EncodingSetting.h"
#include "store/IniLocation.h"
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

    const QString iniPath =
        iniFileLocation(QCoreApplication::applicationFilePath(), QProcessEnvironment::systemEnvironment());
    const EncodingSetting encoding = readEncodingSetting(iniPath);
    EngineSettings settings;
    settings.encoding = encoding.name;
    MessageBoxPrompter prompter;
    MainWindow window(prompter, iniPath, settings);
    prompter.setParent(&window);
    window.show();
    if (!encoding.unknownName.isEmpty())
        prompter.ask({PromptId::UnknownEncodingSetting, {encoding.unknownName}});
    return app.exec();
}
