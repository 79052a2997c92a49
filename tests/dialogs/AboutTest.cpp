#include "dialogs/AboutDialog.h"

#include "ScriptedPrompter.h"
#include "dialogs/ProgramStarter.h"
#include "dialogs/Registry.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace {

const QString ToolPathKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString ToolFolderKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QList<PromptId> NoTool = {PromptId::NoSystemInfoTool};

class FakeRegistry : public Registry {
public:
    std::optional<RegistryValue> value(quint32 root, const QString& keyName, const QString& valueName) const override
    {
        const auto found = values.find({root, keyName, valueName});
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    void setText(const QString& keyName, const QString& valueName, const QByteArray& text)
    {
        values[{HKEY_LOCAL_MACHINE, keyName, valueName}] = {REG_SZ, text + '\0'};
    }

    std::map<std::tuple<quint32, QString, QString>, RegistryValue> values;
};

class FakeStarter : public ProgramStarter {
public:
    QString findExecutable(const QString& name) const override { return onPath.value(name); }
    bool startDetached(const QString& path) override
    {
        started.append(path);
        return startSucceeds;
    }

    QMap<QString, QString> onPath;
    bool startSucceeds = true;
    QStringList started;
};

class AboutTest : public ::testing::Test {
protected:
    // Clicks the button, as the user would, with the window open.
    void clickSystemInfo()
    {
        about.show();
        about.findChild<QPushButton*>(QStringLiteral("systemInfoButton"))->click();
        EXPECT_TRUE(about.isVisible());
    }
    QString label(const char* name) const { return about.findChild<QLabel*>(QLatin1String(name))->text(); }

    FakeRegistry registry;
    FakeStarter starter;
    ScriptedPrompter prompter;
    AboutDialog about{registry, starter, prompter};
};

TEST_F(AboutTest, ShowsTitleVersionAndIcon)
{
    EXPECT_EQ(about.windowTitle(), QStringLiteral("Tarnwickのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(label("titleLabel"), QStringLiteral("Tarnwick"));
    EXPECT_EQ(label("versionLabel"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.0"));
    EXPECT_EQ(label("descriptionLabel"), QStringLiteral("HTML文書のリンクを調べ、その場で直します。"));
    EXPECT_EQ(label("disclaimerLabel"), QString());
    EXPECT_EQ(about.findChild<QPushButton*>(QStringLiteral("okButton"))->text(), QStringLiteral("OK"));
    EXPECT_EQ(about.findChild<QPushButton*>(QStringLiteral("systemInfoButton"))->text(),
              QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    EXPECT_FALSE(about.findChild<QLabel*>(QStringLiteral("iconLabel"))->pixmap().isNull());
    EXPECT_TRUE(about.windowIcon().availableSizes().contains(QSize(256, 256)));
}

TEST_F(AboutTest, ShowModalBlocksUntilOkCloses)
{
    QWidget parent;
    bool modal = false;
    bool closedByOk = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* shown = qobject_cast<AboutDialog*>(window);
            if (!shown || !shown->isVisible() || shown == &about)
                continue;
            modal = QApplication::activeModalWidget() == shown && shown->parentWidget() == &parent;
            shown->findChild<QPushButton*>(QStringLiteral("okButton"))->click();
            closedByOk = !shown->isVisible();
            shown->reject(); // never leave the test waiting
        }
    });
    AboutDialog::showModal(&parent, prompter);
    EXPECT_TRUE(modal);
    EXPECT_TRUE(closedByOk);
}

TEST_F(AboutTest, getKeyValueReadsTextUpToItsNulAndNumbersInDecimal)
{
    registry.values[{HKEY_LOCAL_MACHINE, "K", "text"}] = {REG_SZ, QByteArray("C:\\tools\\info.exe\0junk", 23)};
    registry.values[{HKEY_LOCAL_MACHINE, "K", "number"}] = {REG_DWORD, QByteArray("\x39\x30\x00\x00", 4)};
    registry.values[{HKEY_LOCAL_MACHINE, "K", "max"}] = {REG_DWORD, QByteArray("\xff\xff\xff\xff", 4)};
    registry.values[{HKEY_LOCAL_MACHINE, "K", "binary"}] = {3, QByteArray("\x01\x02", 2)};
    QString value;
    EXPECT_TRUE(about.getKeyValue(HKEY_LOCAL_MACHINE, "K", "text", value));
    EXPECT_EQ(value, QStringLiteral("C:\\tools\\info.exe"));
    EXPECT_TRUE(about.getKeyValue(HKEY_LOCAL_MACHINE, "K", "number", value));
    EXPECT_EQ(value, QStringLiteral("12345"));
    EXPECT_TRUE(about.getKeyValue(HKEY_LOCAL_MACHINE, "K", "max", value));
    EXPECT_EQ(value, QStringLiteral("4294967295"));
    value = QStringLiteral("as passed");
    EXPECT_TRUE(about.getKeyValue(HKEY_LOCAL_MACHINE, "K", "binary", value));
    EXPECT_EQ(value, QStringLiteral("as passed"));
}

TEST_F(AboutTest, getKeyValueFailsEmptyForAMissingValueOrOneLongerThanItsBuffer)
{
    registry.values[{HKEY_LOCAL_MACHINE, "K", "fits"}] = {REG_SZ, QByteArray(1023, 'a') + '\0'};
    registry.values[{HKEY_LOCAL_MACHINE, "K", "long"}] = {REG_SZ, QByteArray(1024, 'a') + '\0'};
    QString value;
    EXPECT_TRUE(about.getKeyValue(HKEY_LOCAL_MACHINE, "K", "fits", value));
    EXPECT_EQ(value.size(), 1023);
    EXPECT_FALSE(about.getKeyValue(HKEY_LOCAL_MACHINE, "K", "long", value));
    EXPECT_EQ(value, QString());
    value = QStringLiteral("stale");
    EXPECT_FALSE(about.getKeyValue(HKEY_LOCAL_MACHINE, "K", "absent", value));
    EXPECT_EQ(value, QString());
    EXPECT_FALSE(about.getKeyValue(0x80000001, "K", "fits", value));
}

TEST_F(AboutTest, TheRegisteredPathIsStartedAsItIsBeforeTheFolder)
{
    registry.setText(ToolPathKey, "PATH", "/nowhere/info tool");
    QTemporaryDir folder;
    QFile(folder.filePath("MSINFO32.EXE")).open(QIODevice::WriteOnly);
    registry.setText(ToolFolderKey, "MSINFO", QFile::encodeName(folder.path()));
    clickSystemInfo();
    EXPECT_EQ(starter.started, QStringList{"/nowhere/info tool"});
    EXPECT_TRUE(prompter.ids().isEmpty());
}

TEST_F(AboutTest, WithoutAPathTheFoldersExecutableIsStarted)
{
    QTemporaryDir folder;
    QFile(folder.filePath("MSINFO32.EXE")).open(QIODevice::WriteOnly);
    registry.setText(ToolFolderKey, "MSINFO", QFile::encodeName(folder.path()));
    starter.onPath["hardinfo"] = "/usr/bin/hardinfo";
    clickSystemInfo();
    EXPECT_EQ(starter.started, QStringList{folder.filePath("MSINFO32.EXE")});
    EXPECT_TRUE(prompter.ids().isEmpty());
}

TEST_F(AboutTest, AFolderWithoutTheExecutableFallsBackToADesktopTool)
{
    QTemporaryDir folder;
    registry.setText(ToolFolderKey, "MSINFO", QFile::encodeName(folder.path()));
    starter.onPath["gnome-system-monitor"] = "/usr/bin/gnome-system-monitor";
    starter.onPath["hardinfo"] = "/opt/hardinfo/bin/hardinfo";
    clickSystemInfo();
    EXPECT_EQ(starter.started, QStringList{"/opt/hardinfo/bin/hardinfo"});
    EXPECT_TRUE(prompter.ids().isEmpty());
}

TEST_F(AboutTest, NoToolAnywhereGivesTheMessageOnce)
{
    QTemporaryDir folder;
    registry.setText(ToolFolderKey, "MSINFO", QFile::encodeName(folder.path()));
    clickSystemInfo();
    EXPECT_TRUE(starter.started.isEmpty());
    EXPECT_EQ(prompter.ids(), NoTool);
    EXPECT_EQ(prompter.asked.value(0).buttons, Prompter::Buttons::Ok);
}

TEST_F(AboutTest, AToolThatDoesNotStartGivesTheMessageWithoutTryingAnother)
{
    registry.setText(ToolPathKey, "PATH", "/nowhere/info");
    starter.onPath["kinfocenter"] = "/usr/bin/kinfocenter";
    starter.startSucceeds = false;
    clickSystemInfo();
    EXPECT_EQ(starter.started, QStringList{"/nowhere/info"});
    EXPECT_EQ(prompter.ids(), NoTool);
}

} // namespace
