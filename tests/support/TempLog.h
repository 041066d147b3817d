#pragma once

#include "ErrorReport.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// An error report writing to a throw-away events.log, with its entries read back.
class TempLog
{
public:
    TempLog()
        : report(dir.filePath(QStringLiteral("events.log")))
    { }

    // The messages of the entries, without timestamp and "Information".
    QStringList messages() const
    {
        QFile file(report.logPath());
        QStringList out;
        if (!file.open(QIODevice::ReadOnly))
            return out;
        const QString marker = QStringLiteral(" Information ");
        for (const QByteArray &line : file.readAll().split('\n')) {
            if (line.isEmpty())
                continue;
            const QString text = QString::fromUtf8(line);
            const qsizetype at = text.indexOf(marker);
            out.append(at < 0 ? text : text.mid(at + marker.size()));
        }
        return out;
    }

    QTemporaryDir dir;
    ErrorReport report;
};
