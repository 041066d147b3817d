#include "CodePage1252.h"

#include <array>

namespace {

// The characters of bytes 0x80 to 0x9F.
constexpr std::array<char16_t, 32> kHighTable = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr quint8 kFirstHigh = 0x80;

bool isLatin1Part(char16_t u)
{
    return u < kFirstHigh || (u >= 0xA0 && u <= 0xFF);
}

// The halves the character at `i` takes: 2 for one beyond U+FFFF, else 1.
qsizetype halvesAt(QStringView text, qsizetype i)
{
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
}

} // namespace

QChar CodePage1252::character(quint8 byte)
{
    if (isLatin1Part(byte))
        return QChar(char16_t(byte));
    return QChar(kHighTable[static_cast<size_t>(byte - kFirstHigh)]);
}

QString CodePage1252::toUnicode(const char *bytes, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = character(static_cast<quint8>(bytes[i]));
    return text;
}

bool CodePage1252::toByte(QChar c, char &byte)
{
    const char16_t u = c.unicode();
    if (isLatin1Part(u)) {
        byte = static_cast<char>(u);
        return true;
    }
    for (size_t k = 0; k < kHighTable.size(); ++k) {
        if (kHighTable[k] == u) {
            byte = static_cast<char>(kFirstHigh + k);
            return true;
        }
    }
    return false;
}

QByteArray CodePage1252::fromUnicode(QStringView text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    char byte = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (toByte(text[i], byte)) {
            bytes += byte;
            continue;
        }
        i += halvesAt(text, i) - 1;
        bytes += '?';
    }
    return bytes;
}

QString CodePage1252::firstUnheld(QStringView text)
{
    char byte = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (toByte(text[i], byte))
            continue;
        return text.mid(i, halvesAt(text, i)).toString();
    }
    return QString();
}
