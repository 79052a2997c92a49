#include "Prompter.h"

Prompter::Buttons Prompter::buttonsOf(PromptId id)
{
    switch (id) {
    case PromptId::NoHtmlTag:
    case PromptId::DiscardEdits:
        return Buttons::YesNo;
    case PromptId::NumberedExtension:
    case PromptId::SaveBeforeClose:
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
        // Both yes/no questions guard against losing something: No is the safe answer.
        return Answer::No;
    case Buttons::YesNoCancel:
        break;
    }
    return Answer::Yes;
}
