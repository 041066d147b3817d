#pragma once

#include "LinkMessages.h"

#include <QList>
#include <QStringList>

// Answers the link's messages by writing them down.
class RecordingMessages : public LinkMessages
{
public:
    struct Message
    {
        Kind kind;
        QString text;
        QString detail;
    };

    void showMessage(Kind kind, const QString &text, const QString &detail) override
    {
        shown.append({ kind, text, detail });
    }

    QStringList texts() const
    {
        QStringList list;
        for (const Message &m : shown)
            list.append(m.text);
        return list;
    }

    QList<Message> shown;
};
