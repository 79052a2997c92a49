#include "dialogs/ProgramStarter.h"

#include "ScopedEnvironment.h"
#include "ScriptedPrompter.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/Registry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// The About box on the real system layers, with PATH pointing at a folder of stand-in tools.
class ProcessStarterTest : public ::testing::Test {
protected:
    void addTool(const QString& name, const QByteArray& script)
    {
        QFile tool(bin.filePath(name));
        ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
        tool.write(script);
        tool.setPermissions(tool.permissions() | QFile::ExeOwner);
    }
    void clickSystemInfo() { about.findChild<QPushButton*>(QStringLiteral("systemInfoButton"))->click(); }

    QTemporaryDir bin;
    ScopedEnvironment path{"PATH", QFile::encodeName(bin.path())};
    SystemRegistry registry;
    ProcessStarter starter;
    ScriptedPrompter prompter;
    AboutDialog about{registry, starter, prompter};
};

TEST_F(ProcessStarterTest, StartsATool)
{
    const QString marker = bin.filePath("started");
    addTool("hardinfo", "#!/bin/sh\n: > '" + QFile::encodeName(marker) + "'\n");
    clickSystemInfo();
    EXPECT_TRUE(prompter.ids().isEmpty());
    // The tool runs on its own; give it a few seconds to show that it ran.
    const QDeadlineTimer deadline(10000);
    while (!QFile::exists(marker) && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_TRUE(QFile::exists(marker));
}

TEST_F(ProcessStarterTest, AToolThatCannotStartGivesTheMessage)
{
    addTool("gnome-system-monitor", "#!/nonexistent/interpreter\n");
    clickSystemInfo();
    EXPECT_EQ(prompter.ids(), QList{PromptId::NoSystemInfoTool});
}

} // namespace
