#include "Prompter.h"

#include "Document.h"

Prompter::Buttons Prompter::buttonsOf(PromptId id)
{
    switch (id) {
    case PromptId::NoHtmlTag:
    case PromptId::DiscardEdits:
    case PromptId::NearestCharacters:
    case PromptId::WriteUnreadBytes:
    case PromptId::ChangedOnDiskReload:
    case PromptId::WrapToStart:
    case PromptId::WrapToEnd:
        return Buttons::YesNo;
    case PromptId::NumberedExtension:
    case PromptId::SaveBeforeClose:
    case PromptId::ChangedOnDisk:
    case PromptId::WriteToPathBoxName:
        return Buttons::YesNoCancel;
    default:
        return Buttons::Ok;
    }
}

Prompter::Answer Prompter::defaultAnswerOf(PromptId id)
{
    switch (buttonsOf(id)) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNo:
        // Every yes/no question guards against losing something: No is the safe answer.
        return Answer::No;
    case Buttons::YesNoCancel:
        break;
    }
    // Another program's change is not overwritten unless the user says so.
    return id == PromptId::ChangedOnDisk ? Answer::Cancel : Answer::Yes;
}

std::optional<int> Prompter::askLineNumber(int, int)
{
    return std::nullopt;
}

Prompt readLossPrompt(PromptId id, const TextEncoding& encoding, const ReadLoss& loss)
{
    return {id,
            {encoding.displayName(), QString::number(loss.undecodableBytes), QString::number(loss.firstUndecodableLine),
             QString::number(loss.nulLine)}};
}
