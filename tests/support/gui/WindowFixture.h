#pragma once

#include "PaintReading.h"
#include "ScriptedPrompter.h"
#include "common/PromptText.h"
#include "editor/LinkSpans.h"
#include "editor/RichTextBox.h"
#include "links/ReasonText.h"
#include "window/MainWindow.h"
#include "window/WindowTexts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
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
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // Types a path into the path box, clicks the load button and waits until the load and check are over.
    void load(const QString& path)
    {
        control<QPlainTextEdit>("pathEdit")->setPlainText(path);
        button("loadButton")->click();
        waitUntilIdle();
    }

    // Runs the event loop until no operation runs any more; fails the test after a bound.
    void waitUntilIdle()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window.runState().isBusy; }, 60000)) << "still busy";
    }

    QStringList messages() const { return shownTexts(prompter); }

    // The result of every link the window shows, in document order; Unchecked for one not decided.
    QList<LinkResult> shownResults() const
    {
        QList<LinkResult> results;
        const LinkSpans& spans = window.linkSpans();
        for (int index = 0; index < spans.count(); ++index)
            results.append(spans.at(index).link.decided ? spans.at(index).link.result : LinkResult::Unchecked);
        return results;
    }

    // Clicks a button and waits until the operation it started is over.
    void clickAndWait(const char* name)
    {
        button(name)->click();
        waitUntilIdle();
    }

    // The painting of a text offset once the painter has caught up.
    std::pair<Colorref, bool> settledPaintAt(int offset)
    {
        QTest::qWait(80);
        return paintAt(window.editor(), offset);
    }

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
        EXPECT_FALSE(control<QPlainTextEdit>("documentEdit")->isReadOnly());
    }

    WidgetFinder finder;
    QTemporaryDir folder;
    ScriptedPrompter prompter;
    MainWindow window{prompter, folder.filePath(QStringLiteral("tarnwick.INI"))};
};
