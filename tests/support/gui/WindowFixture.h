#pragma once

#include "ScriptedPrompter.h"
#include "common/CodePage.h"
#include "common/RichTextBox.h"
#include "window/SFrm_Web.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

// The real main window with scripted dialogs, and a folder for the documents a test writes.
class WindowFixture : public ::testing::Test {
protected:
    template <typename Widget>
    Widget* control(const char* name)
    {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QPushButton* button(const char* name) { return control<QPushButton>(name); }

    QString writeDocument(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Types a path into the path box and clicks the load button.
    void load(const QString& path)
    {
        control<QPlainTextEdit>("Text1")->setPlainText(path);
        button("Cmd1_2")->click();
    }

    // The window after an operation: every command enabled, the exit caption back, the strip idle.
    void expectUnlocked()
    {
        for (const char* name : {"Cmd1_1", "Cmd1_2", "Command1", "Command2_0", "Command2_1", "Command3_0", "Command3_1"})
            EXPECT_TRUE(button(name)->isEnabled()) << name;
        for (const char* name : {"Cmb1", "Cmb2"})
            EXPECT_TRUE(control<QComboBox>(name)->isEnabled()) << name;
        EXPECT_TRUE(control<QPlainTextEdit>("Text1")->isEnabled());
        EXPECT_EQ(button("Cmd1_0")->text(), QStringLiteral("終了(&X)"));
        EXPECT_TRUE(control<QLabel>("Label2")->text().isEmpty());
        EXPECT_FALSE(control<QProgressBar>("ProgressBar1")->isVisibleTo(&window));
        EXPECT_FALSE(window.state().IsBusy);
        EXPECT_FALSE(window.state().AbortRequested);
    }

    QTemporaryDir folder;
    ScriptedPrompter prompter;
    CodePage codePage;
    SFrm_Web window{prompter, codePage, folder.filePath(QStringLiteral("tarnwick.INI"))};
};
