#include <QCoreApplication>

#include <gtest/gtest.h>

// Engine tests need an event loop for their jobs, and nothing of a display.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
