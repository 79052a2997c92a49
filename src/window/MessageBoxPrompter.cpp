#include "MessageBoxPrompter.h"

#include "WindowTexts.h"
#include "common/AppInfo.h"
#include "common/PromptText.h"
#include "dialogs/WindowFrame.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QMessageBox::StandardButton toButton(Prompter::Answer answer)
{
    switch (answer) {
    case Prompter::Answer::Yes:
        return QMessageBox::Yes;
    case Prompter::Answer::No:
        return QMessageBox::No;
    case Prompter::Answer::Cancel:
        return QMessageBox::Cancel;
    case Prompter::Answer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButtons buttonSet(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// A box as narrow as a short answer has its title cut by the window manager ("Tar...ick"). QMessageBox sets its own
// fixed size on showing, from its layout's minimum, whatever minimum width it is given: a blank row as wide as the
// title needs widens that minimum.
void makeRoomForTitle(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    const QMargins margins = grid->contentsMargins();
    grid->addItem(new QSpacerItem(titleBarWidth(box) - margins.left() - margins.right(), 0, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

Prompter::Answer MessageBoxPrompter::ask(const Prompt& prompt)
{
    const Buttons buttons = buttonsOf(prompt.id);
    QMessageBox box(QMessageBox::NoIcon, AppTitle, promptText(prompt), buttonSet(buttons), m_parent);
    box.setDefaultButton(toButton(defaultAnswerOf(prompt.id)));
    makeRoomForTitle(box);
    // Closing the box counts as Cancel where there is one, else as No, as the old boxes did.
    if (buttons == Buttons::YesNo)
        box.setEscapeButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

QString MessageBoxPrompter::chooseFile(FileDialogKind kind)
{
    QFileDialog dialog(m_parent, QString(), m_lastFileName, toQtFilter(fileDialogFilter(kind)));
    // Qt's own dialog speaks Japanese with the rest of the program; the desktop's might not.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (kind == FileDialogKind::WriteDocument) {
        // An existing file may be picked, a new name typed; the write itself asks what overwriting needs.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else if (kind == FileDialogKind::SaveLinkList) {
        // A list saved over an existing file is asked about, as any program saving a file asks.
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("csv"));
    } else if (kind == FileDialogKind::OpenFolder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    m_lastFileName = dialog.selectedFiles().constFirst();
    return m_lastFileName;
}

std::optional<int> MessageBoxPrompter::askLineNumber(int current, int lines)
{
    QInputDialog dialog(m_parent);
    dialog.setWindowTitle(AppTitle);
    dialog.setLabelText(lineNumberLabel(lines));
    dialog.setInputMode(QInputDialog::IntInput);
    dialog.setIntRange(1, lines);
    dialog.setIntValue(current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.intValue();
}

QString MessageBoxPrompter::toQtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const qsizetype paren = description.indexOf(u'(');
        if (paren >= 0)
            description = description.left(paren).trimmed();
        const QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        filters.append(QStringLiteral("%1 (%2)").arg(description, patterns.join(u' ')));
    }
    return filters.join(QStringLiteral(";;"));
}
