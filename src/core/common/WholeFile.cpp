#include "WholeFile.h"

#include <QSaveFile>

bool WholeFile::write(const QString &path, const QByteArray &bytes, QString &reason)
{
    return write(path, bytes.constData(), bytes.size(), reason);
}

bool WholeFile::write(const QString &path, const char *data, qint64 length, QString &reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data, length) == length && file.commit())
        return true;
    reason = file.errorString();
    file.cancelWriting();
    return false;
}
