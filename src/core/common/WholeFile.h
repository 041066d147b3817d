#pragma once

#include <QByteArray>
#include <QString>

// Writes a file whole or not at all: through a temporary file beside it that is renamed
// over it, so an existing file is replaced only by a complete new one.
class WholeFile
{
public:
    // False when the file could not be written; `reason` then says why.
    static bool write(const QString &path, const QByteArray &bytes, QString &reason);
    static bool write(const QString &path, const char *data, qint64 length, QString &reason);
};
