// tarnwick: the link checker's window.

#include "common/AppInfo.h"
#include "common/CodePage.h"
#include "dialogs/AppIcon.h"
#include "store/EncodingSetting.h"
#include "store/IniLocation.h"
#include "window/MessageBoxPrompter.h"
#include "window/SFrm_Web.h"

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
    const DocumentEncoding encoding = readDocumentEncoding(iniPath);
    const CodePage codePage(encoding.name);
    MessageBoxPrompter prompter;
    SFrm_Web window(prompter, codePage, iniPath);
    prompter.setParent(&window);
    window.show();
    if (!encoding.warning.isEmpty())
        prompter.message(encoding.warning, Prompter::Buttons::Ok, Prompter::Answer::Ok);
    return app.exec();
}
