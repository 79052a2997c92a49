#pragma once

#include "common/Prompter.h"

#include <QList>
#include <QStringList>

// Answers prompts and file dialogs from a script, and records everything it was asked.
// Unscripted prompts are answered with their default; unscripted dialogs and line questions are cancelled.
class ScriptedPrompter : public Prompter {
public:
    struct Asked {
        Prompt prompt;
        Buttons buttons;
        Answer defaultAnswer;
    };

    Answer ask(const Prompt& prompt) override
    {
        asked.append({prompt, buttonsOf(prompt.id), defaultAnswerOf(prompt.id)});
        return answers.isEmpty() ? defaultAnswerOf(prompt.id) : answers.takeFirst();
    }

    QString chooseFile(FileDialogKind kind) override
    {
        dialogs.append(kind);
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    // Answers from lineNumbers, nothing (cancelled) once they are used up.
    std::optional<int> askLineNumber(int current, int lines) override
    {
        lineQuestions.append({current, lines});
        return lineNumbers.isEmpty() ? std::nullopt : lineNumbers.takeFirst();
    }

    QList<PromptId> ids() const
    {
        QList<PromptId> ids;
        for (const Asked& question : asked)
            ids.append(question.prompt.id);
        return ids;
    }

    QList<Answer> answers;
    QStringList fileNames;
    QList<Asked> asked;
    QList<FileDialogKind> dialogs;
    QList<std::optional<int>> lineNumbers;
    QList<std::pair<int, int>> lineQuestions; // current line and line count of each question
};
