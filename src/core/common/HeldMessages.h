#pragma once

#include "UserPrompts.h"

#include <QList>
#include <QPair>

// Messages that can wait: while held, a message is kept (once) and shown when the hold
// ends. A message box opened while an exchange with the logger waits in the event loop
// would keep that wait from returning until the box is closed, and the exchange would
// time out; the graph's messages go through here for that reason. Questions and file
// dialogs are not held.
class HeldMessages : public UserPrompts
{
public:
    explicit HeldMessages(UserPrompts &prompts)
        : m_prompts(prompts)
    { }

    void hold(bool held)
    {
        m_held = held;
        while (!m_held && !m_waiting.isEmpty()) {
            const QPair<QString, QString> next = m_waiting.takeFirst();
            m_prompts.message(next.first, next.second);
        }
    }

    void message(const QString &text, const QString &title) override
    {
        if (!m_held) {
            m_prompts.message(text, title);
            return;
        }
        const QPair<QString, QString> waiting(text, title);
        if (!m_waiting.contains(waiting))
            m_waiting.append(waiting);
    }
    Answer question(const QString &text, const QString &title, Answer defaultAnswer) override
    {
        return m_prompts.question(text, title, defaultAnswer);
    }
    QString openFileName(const QString &folder, const QString &filter,
                         const QStringList &places) override
    {
        return m_prompts.openFileName(folder, filter, places);
    }
    QString saveFileName(const QString &proposed, const QString &filter) override
    {
        return m_prompts.saveFileName(proposed, filter);
    }

private:
    UserPrompts &m_prompts;
    bool m_held = false;
    QList<QPair<QString, QString>> m_waiting;
};
