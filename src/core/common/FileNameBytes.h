#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// A file name on Linux is bytes, which need not be valid UTF-8. Such a name is held in a
// QString with each byte that is not part of a valid UTF-8 sequence kept as the lone
// surrogate U+DC80 + byte, so that it goes back to the very same bytes; a valid name is
// held as Qt holds it. Whatever opens or tests a file by a name given on the command line
// goes through encode().
class FileNameBytes
{
public:
    static QString decode(const QByteArray &bytes);
    static QByteArray encode(const QString &name);
    // The name for a message: each byte that did not decode shown as \xNN.
    static QString shown(const QString &name);

    // Opens `file` read-only by the name's bytes; false with the system's reason.
    static bool openForReading(QFile &file, const QString &name, QString &reason);
    // True when something is there by that name (a link is followed).
    static bool exists(const QString &name);
};
