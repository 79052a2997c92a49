#include "window/MessageBoxPrompter.h"
#include "ModalDriver.h"
#include "common/AppInfo.h"
#include "common/PromptText.h"
#include "common/Translations.h"
#include "links/ReasonText.h"
#include "window/WindowTexts.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Qt's Japanese catalogue is what the program loads at start; every test here reads the texts it gives.
class JapaneseQt : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(installQtJapanese()) << "qtbase_ja.qm is missing: scripts/setup.sh installs qt6-translations-l10n";
    }
};

// --- Message boxes -------------------------------------------------------------------------------------------

struct BoxCase {
    PromptId id;
    QList<std::pair<QMessageBox::StandardButton, QString>> buttons; // every button on the box and its caption
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton pressed;
    Prompter::Answer answer;
    friend void PrintTo(const BoxCase& c, std::ostream* out) { *out << "prompt" << int(c.id); }
};

class MessageBoxes : public JapaneseQt, public ::testing::WithParamInterface<BoxCase> {};

const QString Yes = QStringLiteral("はい(&Y)");
const QString No = QStringLiteral("いいえ(&N)");
const QString Cancel = QStringLiteral("キャンセル");

TEST_P(MessageBoxes, SpeakJapaneseOnEveryButtonWithoutIcon)
{
    const BoxCase& param = GetParam();
    const Prompt prompt{param.id, {QStringLiteral("x.html"), QStringLiteral("Disk full")}};
    MessageBoxPrompter prompter;
    ModalDriver driver;
    driver.expect([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), AppTitle);
        EXPECT_EQ(box->text(), promptText(prompt));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_TRUE(box->iconPixmap().isNull());
        EXPECT_EQ(box->buttons().size(), param.buttons.size());
        for (const auto& [standard, caption] : param.buttons) {
            QAbstractButton* button = box->button(standard);
            ASSERT_NE(button, nullptr) << caption.toStdString();
            EXPECT_EQ(button->text(), caption);
        }
        EXPECT_EQ(box->defaultButton(), box->button(param.defaultButton));
        // Wide enough for a title bar to show the whole title in bold, beside an icon and three buttons at least as
        // wide as two lines of the title.
        QFont titleFont = QFontDatabase::systemFont(QFontDatabase::TitleFont);
        titleFont.setBold(true);
        const QFontMetrics title(titleFont);
        EXPECT_GE(box->width(), title.horizontalAdvance(AppTitle) + 4 * 2 * title.height());
        box->button(param.pressed)->click();
    });
    EXPECT_EQ(prompter.ask(prompt), param.answer);
    EXPECT_TRUE(driver.allHandled());
}

INSTANTIATE_TEST_SUITE_P(
    Prompts, MessageBoxes,
    ::testing::Values(BoxCase{PromptId::NumberedExtension,
                              {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}},
                              QMessageBox::Yes,
                              QMessageBox::No,
                              Prompter::Answer::No},
                      BoxCase{PromptId::SaveBeforeClose,
                              {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}},
                              QMessageBox::Yes,
                              QMessageBox::Cancel,
                              Prompter::Answer::Cancel},
                      BoxCase{PromptId::DiscardEdits,
                              {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}},
                              QMessageBox::No,
                              QMessageBox::Yes,
                              Prompter::Answer::Yes},
                      BoxCase{PromptId::WriteFailed,
                              {{QMessageBox::Ok, QStringLiteral("OK")}},
                              QMessageBox::Ok,
                              QMessageBox::Ok,
                              Prompter::Answer::Ok},
                      BoxCase{PromptId::LinkNotFound,
                              {{QMessageBox::Ok, QStringLiteral("OK")}},
                              QMessageBox::Ok,
                              QMessageBox::Ok,
                              Prompter::Answer::Ok}));

// The numbered-extension question tells the user which button does what: each "<caption>" it names is a
// button on the box, as the user reads it (the access key's "&" shows as an underline).
TEST_F(JapaneseQt, TheNumberedExtensionQuestionNamesTheButtonsOnScreen)
{
    const Prompt prompt{PromptId::NumberedExtension};
    QStringList named;
    for (const QRegularExpressionMatch& match :
         QRegularExpression(QStringLiteral("<([^>]+)>")).globalMatch(promptText(prompt)))
        named.append(match.captured(1));
    ASSERT_EQ(named.size(), 3);

    MessageBoxPrompter prompter;
    ModalDriver driver;
    QStringList shown;
    driver.expect([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* button : box->buttons())
            shown.append(button->text().remove(u'&'));
        dialog->reject();
    });
    prompter.ask(prompt);
    for (const QString& caption : named)
        EXPECT_TRUE(shown.contains(caption))
            << caption.toStdString() << " is not among " << shown.join(u' ').toStdString();
}

// --- The line number ---------------------------------------------------------------------------------------------

// Offers the caret's line among the lines there are; OK gives the number typed, キャンセル none.
TEST_F(JapaneseQt, TheLineNumberIsAskedInAnInputDialog)
{
    for (const auto& [pressed, answer] : {std::pair{QDialogButtonBox::Ok, std::optional(7)},
                                          std::pair{QDialogButtonBox::Cancel, std::optional<int>()}}) {
        MessageBoxPrompter prompter;
        ModalDriver driver;
        driver.expect([&](QDialog* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            ASSERT_NE(input, nullptr);
            EXPECT_EQ(input->windowTitle(), AppTitle);
            EXPECT_EQ(input->labelText(), lineNumberLabel(12));
            EXPECT_EQ(std::tuple(input->intMinimum(), input->intMaximum(), input->intValue()), std::tuple(1, 12, 5));
            input->setIntValue(7);
            QPushButton* button = dialog->findChild<QDialogButtonBox*>()->button(pressed);
            ASSERT_NE(button, nullptr);
            EXPECT_EQ(button->text(), pressed == QDialogButtonBox::Ok ? QStringLiteral("OK") : Cancel);
            button->click();
        });
        EXPECT_EQ(prompter.askLineNumber(5, 12), answer);
        EXPECT_TRUE(driver.allHandled());
    }
}

// --- File dialogs --------------------------------------------------------------------------------------------

class FileDialogs : public JapaneseQt {
protected:
    static QFileDialog* fileDialog(QDialog* dialog)
    {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        EXPECT_NE(files, nullptr) << dialog->metaObject()->className();
        return files;
    }
    static QPushButton* buttonOfRole(QDialog* dialog, QDialogButtonBox::ButtonRole role)
    {
        auto* box = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        for (QAbstractButton* button : box ? box->buttons() : QList<QAbstractButton*>()) {
            if (box->buttonRole(button) == role)
                return qobject_cast<QPushButton*>(button);
        }
        ADD_FAILURE() << "no button of role " << role;
        return nullptr;
    }
    static QString labelText(QDialog* dialog, const char* name)
    {
        const auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name));
        return label ? label->text() : QStringLiteral("(no %1)").arg(QString::fromLatin1(name));
    }
    // Types a name into the dialog's file name box and presses its accept button, as a user does.
    static void typeAndAccept(QDialog* dialog, const QString& name)
    {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(name);
        QPushButton* accept = buttonOfRole(dialog, QDialogButtonBox::AcceptRole);
        ASSERT_NE(accept, nullptr);
        accept->click();
    }
    QString writeFile(const QString& name)
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html>");
        return file.fileName();
    }

    QTemporaryDir folder;
    MessageBoxPrompter prompter;
    ModalDriver driver;
};

TEST_F(FileDialogs, TheWriteDialogTakesANewNameAndPicksAnExistingFileWithoutAsking)
{
    const QString existing = writeFile(QStringLiteral("old.html"));
    driver.expect([&](QDialog* dialog) {
        QFileDialog* files = fileDialog(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(files->fileMode(), QFileDialog::AnyFile);
        EXPECT_TRUE(files->testOption(QFileDialog::DontConfirmOverwrite));
        EXPECT_TRUE(files->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(files->nameFilters(), QStringList{QStringLiteral("すべてのファイル (*.*)")});
        EXPECT_EQ(buttonOfRole(dialog, QDialogButtonBox::AcceptRole)->text(), QStringLiteral("保存(&S)"));
        EXPECT_EQ(buttonOfRole(dialog, QDialogButtonBox::RejectRole)->text(), QStringLiteral("キャンセル"));
        EXPECT_EQ(labelText(dialog, "fileNameLabel"), QStringLiteral("ファイル名(&N):"));
        EXPECT_EQ(labelText(dialog, "fileTypeLabel"), QStringLiteral("ファイルの種類:"));
        EXPECT_EQ(labelText(dialog, "lookInLabel"), QStringLiteral("アドレス:"));
        EXPECT_EQ(QLocale().language(), QLocale::Japanese) << "the file type names follow the default locale";
        files->setDirectory(folder.path());
        typeAndAccept(dialog, QStringLiteral("新しい名前.html"));
    });
    EXPECT_EQ(prompter.chooseFile(FileDialogKind::WriteDocument), folder.filePath(QStringLiteral("新しい名前.html")));
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("新しい名前.html")))); // the writer creates it

    // The next dialog starts at the name chosen last; an existing file is taken without a question.
    driver.expect([&](QDialog* dialog) {
        QFileDialog* files = fileDialog(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->directory().absolutePath(), QDir(folder.path()).absolutePath());
        EXPECT_EQ(dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(),
                  QStringLiteral("新しい名前.html"));
        typeAndAccept(dialog, QStringLiteral("old.html"));
    });
    EXPECT_EQ(prompter.chooseFile(FileDialogKind::WriteDocument), existing);
    EXPECT_TRUE(driver.allHandled());
    EXPECT_TRUE(driver.unexpected.isEmpty()) << driver.unexpected.join(u'|').toStdString();
}

TEST_F(FileDialogs, TheOpenDialogTakesOnlyExistingFilesAndSaysSoInJapanese)
{
    const QString existing = writeFile(QStringLiteral("page.html"));
    QString warning;
    driver.expect([&](QDialog* dialog) {
        QFileDialog* files = fileDialog(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptOpen);
        EXPECT_EQ(files->fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(buttonOfRole(dialog, QDialogButtonBox::AcceptRole)->text(), QStringLiteral("開く(&O)"));
        files->setDirectory(folder.path());
        // A missing name leaves the open button disabled; Enter in the name box still tries it.
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("missing.html"));
        EXPECT_FALSE(buttonOfRole(dialog, QDialogButtonBox::AcceptRole)->isEnabled());
        dialog->accept();
    });
    // The missing name is refused with Qt's warning, in Japanese; the dialog stays open for another name.
    driver.expect([&](QDialog* dialog) {
        warning = dialog->property("text").toString();
        dialog->accept();
    });
    driver.expect([&](QDialog* dialog) { typeAndAccept(dialog, QStringLiteral("page.html")); });
    // The warning closes back into the open dialog, which the driver then sees as a dialog of its own.
    EXPECT_EQ(prompter.chooseFile(FileDialogKind::OpenDocument), existing);
    EXPECT_TRUE(warning.contains(QStringLiteral("ファイルが見つかりません。"))) << warning.toStdString();
    EXPECT_TRUE(driver.allHandled());
}

TEST_F(FileDialogs, ACancelledDialogChoosesNothingAndKeepsTheLastName)
{
    const QString existing = writeFile(QStringLiteral("kept.html"));
    driver.expect([&](QDialog* dialog) {
        fileDialog(dialog)->setDirectory(folder.path());
        typeAndAccept(dialog, QStringLiteral("kept.html"));
    });
    EXPECT_EQ(prompter.chooseFile(FileDialogKind::OpenDocument), existing);
    driver.expect([&](QDialog* dialog) { buttonOfRole(dialog, QDialogButtonBox::RejectRole)->click(); });
    EXPECT_TRUE(prompter.chooseFile(FileDialogKind::WriteDocument).isEmpty());
    QString startName;
    driver.expect([&](QDialog* dialog) {
        startName = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        dialog->reject();
    });
    EXPECT_TRUE(prompter.chooseFile(FileDialogKind::WriteDocument).isEmpty());
    EXPECT_EQ(startName, QStringLiteral("kept.html"));
}

} // namespace
