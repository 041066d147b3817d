#include "WholeFile.h"

#include <QSaveFile>

bool WholeFile::write(const QString &path, const QByteArray &bytes, QString &reason)
{
    return write(path, bytes.constData(), bytes.size(), reason);
}

bool WholeFile::write(const QString &path, const char *data, qint64 length, QString &reason)
{
    QSaveFile file(path);
    // Unbuffered, and written until every byte is taken: a write that stops short (a full
    // disk) is then seen with its reason, where a buffered one would only fail inside the
    // commit, which puts the cut-short file in place of the old one all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        reason = file.errorString();
        return false;
    }
    for (qint64 done = 0; done < length;) {
        const qint64 written = file.write(data + done, length - done);
        if (written <= 0) {
            reason = file.errorString();
            file.cancelWriting();
            return false;
        }
        done += written;
    }
    if (!file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}
