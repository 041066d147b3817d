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
        QStringList out = QString::fromUtf8(readAll(report.logPath())).split(u'\n');
        out.removeAll(QString());
        for (QString &text : out)
            text = text.section(QStringLiteral(" Information "), -1);
        return out;
    }

    // The bytes of a file; none when it cannot be read.
    static QByteArray readAll(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Writes a file in place (a test's input); false when it cannot.
    static bool writeAll(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    QTemporaryDir dir;
    ErrorReport report;
};
