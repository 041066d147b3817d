#include "FileNameBytes.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at `at` and its code point; 0 when the byte there
// starts none (a stray continuation byte, a cut sequence, an overlong form, a surrogate).
int sequenceAt(const QByteArray &bytes, qsizetype at, char32_t &point)
{
    static constexpr char32_t kLeast[] = { 0, 0, 0x80, 0x800, 0x10000 };
    const auto lead = static_cast<uchar>(bytes.at(at));
    const int length = lead < 0x80 ? 1
        : (lead & 0xE0) == 0xC0    ? 2
        : (lead & 0xF0) == 0xE0    ? 3
        : (lead & 0xF8) == 0xF0    ? 4
                                   : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    point = lead & (length == 1 ? 0x7F : 0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<uchar>(bytes.at(at + k));
        if ((next & 0xC0) != 0x80)
            return 0;
        point = (point << 6) | (next & 0x3F);
    }
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    return point < kLeast[length] || point > 0x10FFFF || surrogate ? 0 : length;
}

// An escaped byte: a low surrogate in U+DC80..U+DCFF that is not the second half of a pair.
bool isEscape(const QString &name, qsizetype at)
{
    const char16_t c = name.at(at).unicode();
    return c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF
        && (at == 0 || !name.at(at - 1).isHighSurrogate());
}

} // namespace

QString FileNameBytes::decode(const QByteArray &bytes)
{
    QString name;
    name.reserve(bytes.size());
    for (qsizetype at = 0; at < bytes.size();) {
        char32_t point = 0;
        const int length = sequenceAt(bytes, at, point);
        if (length == 0) {
            name += QChar(kEscapeBase + static_cast<uchar>(bytes.at(at)));
            ++at;
            continue;
        }
        // Not QString::fromUcs4, which would drop a leading U+FEFF as a byte order mark.
        if (QChar::requiresSurrogates(point)) {
            name += QChar(QChar::highSurrogate(point));
            name += QChar(QChar::lowSurrogate(point));
        } else {
            name += QChar(static_cast<char16_t>(point));
        }
        at += length;
    }
    return name;
}

QByteArray FileNameBytes::encode(const QString &name)
{
    QByteArray bytes;
    qsizetype from = 0;
    for (qsizetype at = 0; at < name.size(); ++at) {
        if (!isEscape(name, at))
            continue;
        bytes += QFile::encodeName(name.mid(from, at - from));
        bytes += static_cast<char>(name.at(at).unicode() - kEscapeBase);
        from = at + 1;
    }
    return bytes + QFile::encodeName(name.mid(from));
}

QString FileNameBytes::shown(const QString &name)
{
    QString text;
    text.reserve(name.size());
    for (qsizetype at = 0; at < name.size(); ++at) {
        if (isEscape(name, at))
            text += QStringLiteral("\\x%1").arg(name.at(at).unicode() - kEscapeBase, 2, 16,
                                                QLatin1Char('0'));
        else
            text += name.at(at);
    }
    return text;
}

bool FileNameBytes::openForReading(QFile &file, const QString &name, QString &reason)
{
    const int fd = ::open(encode(name).constData(), O_RDONLY | O_CLOEXEC);
    struct stat status = {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        reason = qt_error_string(errno);
        if (fd >= 0)
            ::close(fd);
        return false;
    }
    // open() takes a folder for reading; its reading would fail with a vaguer reason.
    if (S_ISDIR(status.st_mode)) {
        ::close(fd);
        reason = qt_error_string(EISDIR);
        return false;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        reason = file.errorString();
        ::close(fd);
        return false;
    }
    return true;
}

bool FileNameBytes::exists(const QString &name)
{
    struct stat status = {};
    return ::stat(encode(name).constData(), &status) == 0;
}
