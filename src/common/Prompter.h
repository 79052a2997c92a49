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
    // The open-style file dialog with its read-only check box hidden. filter lists description and
    // pattern pairs separated by "|" ("HTMLファイル (*.HTM)|*.HTM|すべてのファイル|*.*"). The dialog
    // starts at the name chosen last. Returns the chosen path, or an empty string when cancelled.
    virtual QString openFileName(const QString& filter) = 0;
};
