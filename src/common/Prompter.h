#pragma once

#include <QString>

// Every question and report the program puts to the user goes through here: the window answers with
// message boxes and file dialogs, the headless checker and the tests answer by themselves.
class Prompter {
public:
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompter() = default;
    // A message with no icon, captioned with the program's title.
    virtual Answer message(const QString& text, Buttons buttons, Answer defaultAnswer) = 0;
};
