#pragma once

#include "ScriptedPrompter.h"
#include "common/RichTextBox.h"
#include "window/JapaneseTexts.h"
#include "window/MainWindow.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Finds a window's widgets by object name. A missing name fails the test, and the caller gets a stand-in
// of the asked type, so the test goes on without crashing and reports every name that was missing.
class WidgetFinder {
public:
    template <typename Widget> Widget* find(const QObject& root, const char* name)
    {
        if (auto* widget = root.findChild<Widget*>(QString::fromLatin1(name)))
            return widget;
        ADD_FAILURE() << "no widget named " << name;
        auto* standIn = new Widget;
        m_standIns.emplace_back(standIn);
        return standIn;
    }

private:
    std::vector<std::unique_ptr<QObject>> m_standIns;
};

// The Japanese texts of what the prompter was asked, as the window would show them.
inline QStringList shownTexts(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const ScriptedPrompter::Asked& question : prompter.asked)
        texts.append(promptText(question.prompt));
    return texts;
}

// The real main window with scripted dialogs, and a folder for the documents a test writes.
class WindowFixture : public ::testing::Test {
protected:
    template <typename Widget> Widget* control(const char* name) { return finder.find<Widget>(window, name); }

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
        control<QPlainTextEdit>("pathEdit")->setPlainText(path);
        button("loadButton")->click();
    }

    QStringList messages() const { return shownTexts(prompter); }

    // The window after an operation: every command enabled, the exit caption back, the strip idle.
    void expectUnlocked()
    {
        for (const char* name : {"writeButton", "loadButton", "browseButton", "previousLinkButton", "nextLinkButton",
                                 "checkOneLinkButton", "checkAllLinksButton"})
            EXPECT_TRUE(button(name)->isEnabled()) << name;
        for (const char* name : {"historyCombo", "moveKindCombo"})
            EXPECT_TRUE(control<QComboBox>(name)->isEnabled()) << name;
        EXPECT_TRUE(control<QPlainTextEdit>("pathEdit")->isEnabled());
        EXPECT_EQ(button("exitButton")->text(), QStringLiteral("終了(&X)"));
        EXPECT_TRUE(control<QLabel>("operationStatus")->text().isEmpty());
        EXPECT_FALSE(control<QProgressBar>("progressBar")->isVisibleTo(&window));
        EXPECT_FALSE(window.runState().isBusy);
        EXPECT_FALSE(window.runState().abort.isRequested());
    }

    WidgetFinder finder;
    QTemporaryDir folder;
    ScriptedPrompter prompter;
    MainWindow window{prompter, folder.filePath(QStringLiteral("tarnwick.INI"))};
};
