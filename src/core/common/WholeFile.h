#pragma once

#include <QByteArray>
#include <QString>

// Writes a file whole or not at all: through a temporary file beside it that is renamed
// over it, so an existing file is replaced only by a complete new one, with the old one's
// mode (and owner, where the process may give it). A symbolic link is followed and its
// target replaced. Something that is not a plain file (a device, a FIFO) is written
// straight into and stays what it is. The name is taken as FileNameBytes encodes it, which
// is why this is not a QSaveFile: that takes only names Qt can spell, and keeps no owner.
class WholeFile
{
public:
    // False when the file could not be written; `reason` then says why.
    static bool write(const QString &path, const QByteArray &bytes, QString &reason);
    static bool write(const QString &path, const char *data, qint64 length, QString &reason);
};
