#include "CommandTexts.h"

#include "links/ReasonText.h"

#include "common/PromptText.h"

#include <QCoreApplication>

namespace {

QString translated(const char* source)
{
    return QCoreApplication::translate("Command", source);
}

} // namespace

QString resultName(LinkResult result)
{
    switch (classOf(result).value_or(LinkClass::NgWeb)) {
    case LinkClass::OkWeb:
        return QStringLiteral("OK-web");
    case LinkClass::OkFile:
        return QStringLiteral("OK-file");
    case LinkClass::OkPage:
        return QStringLiteral("OK-page");
    case LinkClass::NgWeb:
        return QStringLiteral("NG-web");
    case LinkClass::NgFile:
        return QStringLiteral("NG-file");
    case LinkClass::NgPage:
        return QStringLiteral("NG-page");
    case LinkClass::NotChecked:
        break;
    }
    return QStringLiteral("not-checked");
}

QString noticeText(const Prompt& prompt)
{
    switch (prompt.id) {
    case PromptId::LoadStopped:
        return translated(QT_TRANSLATE_NOOP("Command", "the check was stopped"));
    case PromptId::NoHtmlTag:
        return translated(
            QT_TRANSLATE_NOOP("Command", "no HTML tag found: the file may not be HTML; checking it all the same"));
    case PromptId::UnreadBytes:
        // The same sentences as the window shows, on one line.
        return promptText(prompt).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    case PromptId::UnknownEncodingSetting:
        return withArgs(translated(QT_TRANSLATE_NOOP("Command", "the encoding %1 cannot be used")), prompt.args);
    default:
        return QString();
    }
}

QString summaryText(const RunSummary& s)
{
    QString text = withArgs(
        translated(QT_TRANSLATE_NOOP("Command", "%1 links: %2 OK, %3 NG, %4 not checked")),
        {QString::number(s.links), QString::number(s.ok), QString::number(s.ng), QString::number(s.notChecked)});
    text += QStringLiteral(" (") + withArgs(s.documents == 1 ? translated(QT_TRANSLATE_NOOP("Command", "%1 document"))
                                                             : translated(QT_TRANSLATE_NOOP("Command", "%1 documents")),
                                            {QString::number(s.documents)});
    if (s.unreadable > 0)
        text += withArgs(translated(QT_TRANSLATE_NOOP("Command", ", %1 could not be read")),
                         {QString::number(s.unreadable)});
    return text + withArgs(translated(QT_TRANSLATE_NOOP("Command", ", %1 s)")), {QString::number(s.seconds, 'f', 2)});
}

QString documentErrorText(const DocumentRecord& record, Wording wording)
{
    switch (record.error) {
    case DocumentError::None:
        break;
    case DocumentError::Unreadable:
        if (record.whyUnreadable.isEmpty())
            return worded("Command", QT_TRANSLATE_NOOP("Command", "could not be read"), wording);
        return withArgs(worded("Command", QT_TRANSLATE_NOOP("Command", "could not be read: %1"), wording),
                        {reasonText(record.whyUnreadable, wording)});
    case DocumentError::FolderWithoutRecursion:
        return worded("Command", QT_TRANSLATE_NOOP("Command", "is a folder (use -r to check the documents in it)"),
                      wording);
    }
    return QString();
}
