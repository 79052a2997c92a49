#include "LoopbackServers.h"
#include "ModalDriver.h"
#include "WindowFixture.h"
#include "common/TextEncoding.h"
#include "common/Translations.h"
#include "window/MessageBoxPrompter.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace {

// The real window with the real message boxes and file dialogs, driven as a user drives them.
class WriteDialogRoute : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(installQtJapanese());
        prompter.setParent(&window);
        window.show();
    }

    template <typename Widget> Widget* control(const char* name) { return finder.find<Widget>(window, name); }

    void load(const QString& path)
    {
        control<QPlainTextEdit>("pathEdit")->setPlainText(path);
        control<QPushButton>("loadButton")->click();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window.runState().isBusy; }, 60000));
    }

    // The write dialog: a new name typed into the folder of the test.
    void expectWriteDialogTaking(const QString& name)
    {
        driver.expect([this, name](QDialog* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            ASSERT_NE(files, nullptr) << dialog->metaObject()->className();
            EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
            files->setDirectory(folder.path());
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
            dialog->accept(); // QFileDialog::accept, as its button calls it
        });
    }

    // A message box: its text is noted, then the button is pressed.
    void expectBoxPressing(QMessageBox::StandardButton pressed)
    {
        driver.expect([this, pressed](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            ASSERT_NE(box, nullptr) << dialog->metaObject()->className();
            boxTexts.append(box->text());
            ASSERT_NE(box->button(pressed), nullptr);
            buttonCaptions.append(box->button(pressed)->text());
            box->button(pressed)->click();
        });
    }

    QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }

    WidgetFinder finder;
    QTemporaryDir folder;
    MessageBoxPrompter prompter;
    MainWindow window{prompter, folder.filePath(QStringLiteral("tarnwick.INI"))};
    ModalDriver driver;
    QStringList boxTexts;
    QStringList buttonCaptions;
};

TEST_F(WriteDialogRoute, ADocumentFetchedByUrlIsWrittenUnderANewName)
{
    if (const QString missing = LoopbackServers::missingPrerequisite(); !missing.isEmpty())
        GTEST_SKIP() << missing.toStdString();
    LoopbackServers servers;
    ASSERT_TRUE(servers.isReady()) << servers.errorText().toStdString();
    load(servers.url(QStringLiteral("127.0.0.1"), QStringLiteral("/document/doc.html")));
    ASSERT_TRUE(window.document().docLoaded);
    EXPECT_TRUE(driver.unexpected.isEmpty()) << driver.unexpected.join(u'|').toStdString();

    const QString target = folder.filePath(QStringLiteral("取得した文書.html"));
    expectWriteDialogTaking(QStringLiteral("取得した文書.html"));
    expectBoxPressing(QMessageBox::Ok);
    control<QPushButton>("writeButton")->click();
    EXPECT_TRUE(driver.allHandled());
    EXPECT_TRUE(driver.unexpected.isEmpty()) << driver.unexpected.join(u'|').toStdString();
    EXPECT_EQ(boxTexts, QStringList{promptText({PromptId::Written, {target}})});
    // The text as shown, in the encoding the page came in.
    EXPECT_EQ(fileBytes(target), encodeDocument(window.editor().text(), window.document().encoding).bytes);
    EXPECT_FALSE(window.isTextChanged());
    EXPECT_EQ(window.document().docPath, target);
    EXPECT_TRUE(window.document().docIsFile);
    EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), target);
}

TEST_F(WriteDialogRoute, TheNoOfTheNumberedExtensionQuestionWritesUnderANewName)
{
    const QString numbered = folder.filePath(QStringLiteral("page.001"));
    {
        QFile file(numbered);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html>backup");
    }
    load(numbered);
    ASSERT_TRUE(window.document().docLoaded);
    QTextCursor cursor = control<QPlainTextEdit>("documentEdit")->textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(QStringLiteral(" edited"));

    expectBoxPressing(QMessageBox::No);
    expectWriteDialogTaking(QStringLiteral("page.html"));
    expectBoxPressing(QMessageBox::Ok);
    control<QPushButton>("writeButton")->click();
    EXPECT_TRUE(driver.allHandled());
    EXPECT_TRUE(driver.unexpected.isEmpty()) << driver.unexpected.join(u'|').toStdString();
    const QString renamed = folder.filePath(QStringLiteral("page.html"));
    EXPECT_EQ(boxTexts,
              (QStringList{promptText({PromptId::NumberedExtension}), promptText({PromptId::Written, {renamed}})}));
    EXPECT_EQ(buttonCaptions, (QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("OK")}));
    EXPECT_EQ(fileBytes(renamed), QByteArray("<html>backup edited"));
    EXPECT_EQ(fileBytes(numbered), QByteArray("<html>backup"));
    EXPECT_EQ(window.document().docPath, renamed);
    EXPECT_EQ(control<QPlainTextEdit>("pathEdit")->toPlainText(), renamed);
}

} // namespace
