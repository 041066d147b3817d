#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Windows-1252, the code page of the logger software's district files and of the CSV
// export: one byte per character. Bytes 0x00 to 0x7F and 0xA0 to 0xFF are the Latin-1
// characters of the same number; 0x80 to 0x9F come from a table. The five bytes
// Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// character of the same number, so every byte reads back as it was.
class CodePage1252
{
public:
    static QChar character(quint8 byte);
    // The characters of `size` bytes from `bytes`, one each.
    static QString toUnicode(const char *bytes, qsizetype size);
    // The byte for `c`; false when the code page has none.
    static bool toByte(QChar c, char &byte);
    // One byte per character; a character the code page cannot hold becomes one "?".
    static QByteArray fromUnicode(QStringView text);
    // The first character of `text` the code page cannot hold (a character beyond U+FFFF
    // with both its halves), or an empty string when it can hold them all.
    static QString firstUnheld(QStringView text);
};
