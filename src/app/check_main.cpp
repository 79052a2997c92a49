// tarnwick-check: the link check of HTML documents, without a window.

#include "cli/CheckCommand.h"

#include <QGuiApplication>
#include <QLoggingCategory>

int main(int argc, char** argv)
{
    // The check paints into a document that is never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The output is for people and scripts: the toolkit's own notes about the session do not belong in it.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false\nqt.*.warning=false"));
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("tarnwick-check"));
    return runCheckCommand(QGuiApplication::arguments());
}
