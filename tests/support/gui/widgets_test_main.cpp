#include "common/Translations.h"

#include <QApplication>

#include <gtest/gtest.h>

// Window tests drive real widgets on the offscreen platform.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // As the window's main does: the window speaks Japanese.
    if (!installTarnwickJapanese())
        return 1;
    return RUN_ALL_TESTS();
}
