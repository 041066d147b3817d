#pragma once

#include "UserPrompts.h"

#include <QList>
#include <QStringList>

#include <functional>

// Answers the program's messages, questions and file dialogs as a test scripts them,
// and records what was asked. A question without a scripted answer gets its default answer,
// as Enter gives it; a file dialog without a scripted file is cancelled.
class ScriptedPrompts : public UserPrompts
{
public:
    void message(const QString &text, const QString &title) override
    {
        asked(messages, text, title);
    }
    Answer question(const QString &text, const QString &title, Answer defaultAnswer) override
    {
        asked(questions, text, title);
        return answers.isEmpty() ? defaultAnswer : answers.takeFirst();
    }
    QString openFileName(const QString &folder, const QString &filter,
                         const QStringList &places) override
    {
        offeredPlaces = places;
        return ScriptedPrompts::saveFileName(folder, filter);
    }
    QString saveFileName(const QString &proposed, const QString &filter) override
    {
        fileDialogs.append(proposed + u'|' + filter);
        return files.isEmpty() ? QString() : files.takeFirst();
    }

    QStringList messages;
    QStringList questions;
    QStringList titles; // of messages and questions, in order
    QStringList fileDialogs; // "folder|filter", or "proposed path|filter" when saving
    QStringList offeredPlaces; // beside the folder, in the last file dialog
    QList<Answer> answers;
    QStringList files;
    // Runs while a message or question is up (to look at the windows behind it).
    std::function<void()> onPrompt;

private:
    void asked(QStringList &list, const QString &text, const QString &title)
    {
        list.append(text);
        titles.append(title);
        if (onPrompt)
            onPrompt();
    }
};
