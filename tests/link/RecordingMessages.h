#pragma once

#include "link/LinkMessages.h"

#include <QDateTime>
#include <QList>

// Answers the link's messages by writing them down.
class RecordingMessages : public LinkMessages
{
public:
    struct Message
    {
        Kind kind;
        QString text;
        QString detail;
        qint64 atMSecs; // on the PC's clock
    };

    void showMessage(Kind kind, const QString &text, const QString &detail) override
    {
        shown.append({ kind, text, detail, QDateTime::currentMSecsSinceEpoch() });
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
