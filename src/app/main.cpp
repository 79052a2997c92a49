// tarnwick: the link checker's window.

#include "common/AppInfo.h"
#include "common/CodePage.h"
#include "dialogs/AppIcon.h"
#include "window/MessageBoxPrompter.h"
#include "window/SFrm_Web.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppTitle);
    QApplication::setFont(QFont(QStringLiteral("IPAPGothic"), 9));
    QApplication::setWindowIcon(appIcon());

    const CodePage codePage;
    MessageBoxPrompter prompter;
    SFrm_Web window(prompter, codePage);
    prompter.setParent(&window);
    window.show();
    return app.exec();
}
