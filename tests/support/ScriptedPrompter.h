#pragma once

#include "common/Prompter.h"

#include <QList>
#include <QStringList>

// Answers questions and file dialogs from a script, and records everything it was asked.
// Unscripted questions are answered with their default button; unscripted dialogs are cancelled.
class ScriptedPrompter : public Prompter {
public:
    struct Asked {
        QString text;
        Buttons buttons;
        Answer defaultAnswer;
    };

    Answer message(const QString& text, Buttons buttons, Answer defaultAnswer) override
    {
        asked.append({text, buttons, defaultAnswer});
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }

    QString openFileName(const QString& filter) override
    {
        dialogFilters.append(filter);
        return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
    }

    QStringList messages() const
    {
        QStringList texts;
        for (const Asked& question : asked)
            texts.append(question.text);
        return texts;
    }

    QList<Answer> answers;
    QStringList fileNames;
    QList<Asked> asked;
    QStringList dialogFilters;
};
