#pragma once

#include "UserPrompts.h"

// No one to ask: messages go nowhere, every question is answered No and every file dialog
// is cancelled. For runs with nobody at the screen, such as benchmarks and fuzzing.
class SilentPrompts : public UserPrompts
{
public:
    void message(const QString &, const QString &) override { }
    Answer question(const QString &, const QString &, Answer) override { return Answer::No; }
    QString openFileName(const QString &, const QString &, const QStringList &) override
    {
        return QString();
    }
    QString saveFileName(const QString &, const QString &) override { return QString(); }
};
