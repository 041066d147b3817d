#include "WholeFile.h"

#include "FileNameBytes.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Links are followed at most this deep; a loop then fails with the system's reason.
constexpr int kLinkDepth = 40;

// The file a chain of symbolic links ends at, whether it exists or not.
QByteArray linkTarget(QByteArray path)
{
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    for (int depth = 0; depth < kLinkDepth; ++depth) {
        const ssize_t length = ::readlink(path.constData(), target.data(), target.size());
        if (length < 0)
            break;
        const QByteArray next = target.left(length);
        path = next.startsWith('/') ? next : path.left(path.lastIndexOf('/') + 1) + next;
    }
    return path;
}

// 0 when every byte was taken, else the error that stopped the writing.
int writeAll(int fd, const char *data, qint64 length)
{
    for (qint64 done = 0; done < length;) {
        const ssize_t written
            = ::write(fd, data + done, std::min<qint64>(length - done, SSIZE_MAX));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        done += written;
    }
    return 0;
}

bool failed(int error, QString &reason)
{
    reason = qt_error_string(error);
    return false;
}

// A device or FIFO has nothing to keep whole and must not be renamed over: written into,
// as a shell's redirection would.
bool writeInto(const QByteArray &target, const char *data, qint64 length, QString &reason)
{
    const int fd = ::open(target.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return failed(errno, reason);
    const int error = writeAll(fd, data, length);
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        return failed(errno, reason);
    return error == 0 || failed(error, reason);
}

} // namespace

bool WholeFile::write(const QString &path, const QByteArray &bytes, QString &reason)
{
    return write(path, bytes.constData(), bytes.size(), reason);
}

bool WholeFile::write(const QString &path, const char *data, qint64 length, QString &reason)
{
    const QByteArray target = linkTarget(FileNameBytes::encode(path));
    struct stat old = {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return failed(errno, reason);
    if (exists && !S_ISREG(old.st_mode))
        return writeInto(target, data, length, reason);
    if (exists && ::access(target.constData(), W_OK) != 0)
        return failed(errno, reason);

    // The new file is nobody else's to read until it has the old one's mode.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temporary = target + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                    exists ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST)
            return failed(errno, reason);
    }
    if (fd < 0)
        return failed(EEXIST, reason);
    int error = writeAll(fd, data, length);
    if (error == 0 && exists) {
        // Only root may give a file to another owner; anyone else's rewrite becomes theirs.
        // The mode comes after, as a change of owner drops the set-user and set-group bits.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM)
            error = errno;
        else if (::fchmod(fd, old.st_mode & 07777) != 0)
            error = errno;
    }
    // A disk that fills up late says so here, while the old file is still in place.
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.constData());
    return error == 0 || failed(error, reason);
}
