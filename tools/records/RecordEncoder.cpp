#include "RecordEncoder.h"

#include "DateTime.h"
#include "DistrictImage.h"
#include "ErrorReport.h"

namespace {

QChar charAt(const QString &text, int i)
{
    return i < text.size() ? text.at(i) : QChar(u'0');
}

} // namespace

int RecordEncoder::nibble(QChar c)
{
    if (c == u'.')
        return 10;
    const int code = c.unicode();
    if (code >= 48 && code <= 57)
        return code - 48;
    if (code >= 59 && code <= 63)
        return code - 48;
    return 0;
}

void RecordEncoder::appendTime(QByteArray &out, const Time &t)
{
    out.append(static_cast<char>(t.hour));
    out.append(static_cast<char>(t.minute));
    out.append(static_cast<char>(t.second));
    out.append(static_cast<char>(t.day));
    out.append(static_cast<char>(t.month));
    out.append(static_cast<char>(t.year % 100));
}

void RecordEncoder::appendRaw(QByteArray &out, quint16 raw)
{
    out.append(static_cast<char>(raw >> 8));
    out.append(static_cast<char>(raw & 0xFF));
}

QByteArray RecordEncoder::district(const District &d)
{
    QByteArray r(15, '\0');
    r[0] = static_cast<char>(0x80 | ((d.channelBits & 0x3) << 4) | (d.intervalCode & 0x0F));
    for (int i = 0; i < 5; ++i) {
        r[1 + i] = static_cast<char>(nibble(charAt(d.number, i)));
        r[6 + i] = static_cast<char>((nibble(charAt(d.head, i)) << 4) | nibble(charAt(d.meter, i)));
    }
    r[12] = static_cast<char>(d.referenceRaw >> 8);
    r[13] = static_cast<char>(d.referenceRaw & 0xFF);
    r[14] = static_cast<char>(d.modeBits & 0xC0);
    return r;
}

QByteArray RecordEncoder::fitting(const QString &number, const Time &t, quint16 raw)
{
    QByteArray r;
    r.append(static_cast<char>(0x40));
    for (int i = 0; i < 5; ++i)
        r.append(static_cast<char>(nibble(charAt(number, i))));
    appendTime(r, t);
    appendRaw(r, raw);
    r.append('\0');
    return r;
}

QByteArray RecordEncoder::simple(const Time &t, quint16 raw)
{
    QByteArray r;
    r.append('\0');
    appendTime(r, t);
    appendRaw(r, raw);
    r.append('\0');
    return r;
}

QByteArray RecordEncoder::header(const QString &district, const QString &title,
                                 const QString &comments1, const QString &comments2)
{
    ErrorReport unused(QStringLiteral("/dev/null"));
    DistrictImage image(unused);
    image.setBlankHeader();
    image.setHeaderTexts({ district, title, comments1, comments2 });
    return image.bytes();
}

RecordEncoder::Time RecordEncoder::addSeconds(const Time &t, qint64 seconds)
{
    const double when = DateTime::addSeconds(
        DateTime::fromParts(t.year, t.month, t.day, t.hour, t.minute, t.second), seconds);
    const DateTime::Parts p = DateTime::toParts(when);
    return Time { p.year, p.month, p.day, p.hour, p.minute, p.second };
}
