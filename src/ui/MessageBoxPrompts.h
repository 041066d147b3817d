#pragma once

#include "UserPrompts.h"

// The user's answers through message boxes and the file dialog over the active window.
class MessageBoxPrompts : public UserPrompts
{
public:
    void message(const QString &text, const QString &title) override;
    Answer question(const QString &text, const QString &title, Answer defaultAnswer) override;
    QString openFileName(const QString &folder, const QString &filter,
                         const QStringList &places) override;
    QString saveFileName(const QString &proposed, const QString &filter) override;
};
