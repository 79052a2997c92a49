#include "PromptText.h"

#include "Wording.h"

#include <QCoreApplication>

namespace {

QString translated(const char* source)
{
    return QCoreApplication::translate("Prompt", source);
}

QString writeProblemText(WriteFailure problem, const QStringList& args)
{
    switch (problem) {
    case WriteFailure::InvalidName:
        return translated(QT_TRANSLATE_NOOP("Prompt", "The file name is not valid."));
    case WriteFailure::IsFolder:
        return translated(QT_TRANSLATE_NOOP("Prompt", "A folder has that name."));
    case WriteFailure::NotRegularFile:
        return translated(QT_TRANSLATE_NOOP("Prompt", "It is not a regular file."));
    case WriteFailure::ReadOnly:
        return translated(QT_TRANSLATE_NOOP("Prompt", "The file is read-only."));
    case WriteFailure::System:
    case WriteFailure::None:
        break;
    }
    return args.value(1);
}

// The sentences of UnreadBytes and WriteUnreadBytes (readLossPrompt) that apply, one per line.
QStringList readLossLines(const QStringList& args, bool writing)
{
    QStringList lines;
    if (args.value(1) != u"0") {
        lines.append(
            withArgs(writing ? translated(QT_TRANSLATE_NOOP("Prompt", "The %2 bytes that %1 could not read (the first "
                                                                      "on line %3) are written as U+FFFD and do not "
                                                                      "come back."))
                             : translated(QT_TRANSLATE_NOOP("Prompt", "%2 bytes cannot be read as %1 (the first on "
                                                                      "line %3); they are shown as U+FFFD.")),
                     args.mid(0, 3)));
    }
    if (args.value(3) != u"0") {
        lines.append(
            withArgs(writing ? translated(QT_TRANSLATE_NOOP("Prompt", "What follows the NUL character on line %1 was "
                                                                      "not read and is lost by writing."))
                             : translated(QT_TRANSLATE_NOOP("Prompt", "A NUL character on line %1 ended the text: "
                                                                      "what follows it is not read.")),
                     {args.value(3)}));
    }
    return lines;
}

QString nearestCharactersText(const QStringList& a)
{
    if (a.value(3) == u"1")
        return withArgs(
            translated(QT_TRANSLATE_NOOP("Prompt", "The character \"%2\" (U+%3) on line %1 cannot be written in %4 "
                                                   "as it is.\r\nWrite it as the nearest character \"%5\"?")),
            {a.value(0), a.value(1), a.value(2), a.value(4), a.value(5)});
    return withArgs(
        translated(QT_TRANSLATE_NOOP("Prompt", "The character \"%2\" (U+%3) on line %1 and %4 characters in all "
                                               "cannot be written in %5 as they are.\r\nWrite them as the nearest "
                                               "characters (\"%2\" as \"%6\")?")),
        a);
}

} // namespace

QString promptText(const Prompt& prompt)
{
    const QStringList& a = prompt.args;
    switch (prompt.id) {
    case PromptId::ReadFailed:
        return withArgs(translated(QT_TRANSLATE_NOOP("Prompt", "The document could not be read.\r\n%1")), a);
    case PromptId::ChangedOnDisk:
        return withArgs(translated(QT_TRANSLATE_NOOP("Prompt", "Another program changed the file after it was "
                                                               "loaded.\r\n%1\r\nOverwrite it?\r\n(No: load it "
                                                               "again instead, without writing.)")),
                        a);
    case PromptId::ChangedOnDiskReload:
        return withArgs(translated(QT_TRANSLATE_NOOP("Prompt", "Another program changed the file.\r\n%1\r\nLoad "
                                                               "it again? (Edits not written are lost.)")),
                        a);
    case PromptId::LoadStopped:
        return translated(QT_TRANSLATE_NOOP("Prompt", "The load was stopped."));
    case PromptId::NoHtmlTag:
        return translated(QT_TRANSLATE_NOOP("Prompt",
                                            "No HTML tag was found.\r\nThe file may not be HTML.\r\nWriting it may "
                                            "damage the file.\r\nGo on loading it?"));
    case PromptId::DiscardEdits:
        return translated(
            QT_TRANSLATE_NOOP("Prompt", "The text being edited has changed.\r\nLoad the document all the same?"));
    case PromptId::LinkNotFound:
        return translated(QT_TRANSLATE_NOOP("Prompt", "Not found."));
    case PromptId::WrapToStart:
        return translated(
            QT_TRANSLATE_NOOP("Prompt", "The end of the document was reached. Continue from the beginning?"));
    case PromptId::WrapToEnd:
        return translated(
            QT_TRANSLATE_NOOP("Prompt", "The beginning of the document was reached. Continue from the end?"));
    case PromptId::NotLoaded:
        return translated(QT_TRANSLATE_NOOP("Prompt", "Load an HTML file first."));
    case PromptId::Unchanged:
        return translated(QT_TRANSLATE_NOOP("Prompt", "Nothing has changed."));
    case PromptId::NumberedExtension:
        return translated(QT_TRANSLATE_NOOP("Prompt",
                                            "The extension is a number.\r\nThe file may be a backup generation.\r\n"
                                            "\r\n<Yes>\t\tOverwrite it.\r\n<No>\tWrite under another name.\r\n"
                                            "<Cancel>\tDo not write."));
    case PromptId::Written:
        return withArgs(translated(QT_TRANSLATE_NOOP("Prompt", "The document was written.\r\n%1")), a);
    case PromptId::WriteFailed:
        return withArgs(translated(QT_TRANSLATE_NOOP("Prompt", "The write failed.\r\n%1\r\n%2")),
                        {a.value(0), writeProblemText(prompt.problem, a)});
    case PromptId::Unencodable:
        return withArgs(
            translated(QT_TRANSLATE_NOOP("Prompt", "The write failed.\r\nThe character \"%2\" (U+%3) on line %1 "
                                                   "cannot be written in %4.")),
            a);
    case PromptId::NearestCharacters:
        return nearestCharactersText(a);
    case PromptId::UnreadBytes:
        return readLossLines(a, false).join(QStringLiteral("\r\n"));
    case PromptId::WriteUnreadBytes:
        return (readLossLines(a, true) << translated(QT_TRANSLATE_NOOP("Prompt", "Write all the same?")))
            .join(QStringLiteral("\r\n"));
    case PromptId::SaveBeforeClose:
        return translated(QT_TRANSLATE_NOOP("Prompt", "The text has changed.\r\n\r\nWrite the changes?"));
    case PromptId::NoSystemInfoTool:
        return translated(QT_TRANSLATE_NOOP("Prompt", "System information cannot be shown here."));
    case PromptId::UnknownEncodingSetting:
        return withArgs(
            translated(QT_TRANSLATE_NOOP("Prompt", "The encoding \"%1\" of the INI file cannot be used.\r\nEach "
                                                   "document's encoding is detected instead.")),
            a);
    case PromptId::WriteToPathBoxName:
        return withArgs(translated(QT_TRANSLATE_NOOP("Prompt", "The file name in the path box differs from the loaded "
                                                               "document.\r\nWrite to %1?\r\n(No: write to the "
                                                               "loaded document %2)")),
                        a);
    }
    return QString();
}
