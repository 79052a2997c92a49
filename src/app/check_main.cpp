// tarnwick-check: the link check of HTML documents, without a window.

#include "cli/CheckCommand.h"
#include "common/NativeName.h"
#include "common/Translations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QLoggingCategory>

int main(int argc, char** argv)
{
    // The output is for people and scripts: the toolkit's own notes about the session do not belong in it.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false\nqt.*.warning=false"));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnwick-check"));
    // Messages follow the locale: Japanese for a Japanese one (LANG=ja_JP.UTF-8), English otherwise.
    if (QLocale::system().language() == QLocale::Japanese) {
        installTarnwickJapanese();
        installQtJapanese();
    }
    // Arguments as the bytes they are: a file name need not be UTF-8.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(fromNativeName(argv[i]));
    return runCheckCommand(arguments);
}
