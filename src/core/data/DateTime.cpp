#include "DateTime.h"

#include "Checked.h"

#include <cmath>

namespace {

qint64 floorDiv(qint64 a, qint64 b)
{
    qint64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Days from 1 January 1970 of a proleptic Gregorian date, and back (H. Hinnant's
// civil-date algorithms): exact for any year, and much faster than a QDate round trip
// when a table of thousands of rows is formatted.
constexpr qint64 daysFromCivil(qint64 y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const qint64 era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<qint64>(doe) - 719468;
}

void civilFromDays(qint64 z, qint64 &y, unsigned &m, unsigned &d)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<qint64>(yoe) + era * 400 + (m <= 2);
}

// 30 December 1899 counted from 1 January 1970.
constexpr qint64 kOriginFromEpoch = -25569;

} // namespace

QDate DateTime::origin()
{
    return QDate(1899, 12, 30);
}

int DateTime::expandYear(int year)
{
    if (year >= 0 && year <= 29)
        return 2000 + year;
    if (year >= 30 && year <= 99)
        return 1900 + year;
    return year;
}

double DateTime::dateSerial(int year, int month, int day)
{
    return static_cast<double>(dayNumber(year, month, day));
}

qint64 DateTime::dayNumber(int year, int month, int day)
{
    qint64 y = expandYear(year);
    // Carry months into years, then days from the first of the month.
    const qint64 monthIndex = static_cast<qint64>(month) - 1;
    y += floorDiv(monthIndex, 12);
    const int m = static_cast<int>(monthIndex - floorDiv(monthIndex, 12) * 12) + 1;
    if (y < 100 || y > 9999)
        throw RuntimeError::invalidArgument();
    const qint64 days
        = daysFromCivil(y, static_cast<unsigned>(m), 1) + (static_cast<qint64>(day) - 1);
    // The result must stay within the years 100 to 9999.
    constexpr qint64 kFirstDay = daysFromCivil(100, 1, 1);
    constexpr qint64 kLastDay = daysFromCivil(9999, 12, 31);
    if (days < kFirstDay || days > kLastDay)
        throw RuntimeError::invalidArgument();
    return days - kOriginFromEpoch;
}

double DateTime::timeSerial(int hour, int minute, int second)
{
    const qint64 seconds
        = static_cast<qint64>(hour) * 3600 + static_cast<qint64>(minute) * 60 + second;
    return static_cast<double>(seconds) / kSecondsPerDay;
}

double DateTime::fromParts(int year, int month, int day, int hour, int minute, int second)
{
    return dateSerial(year, month, day) + timeSerial(hour, minute, second);
}

qint64 DateTime::toWholeSeconds(double dateTime)
{
    const double seconds = Checked::roundHalfEven(dateTime * kSecondsPerDay);
    if (!std::isfinite(seconds) || std::fabs(seconds) > 9.0e15)
        throw RuntimeError::overflow();
    return static_cast<qint64>(seconds);
}

double DateTime::addSeconds(double dateTime, qint64 seconds)
{
    return static_cast<double>(toWholeSeconds(dateTime) + seconds) / kSecondsPerDay;
}

qint64 DateTime::secondsBetween(double from, double to)
{
    return toWholeSeconds(to) - toWholeSeconds(from);
}

DateTime::Parts DateTime::toParts(double dateTime)
{
    const qint64 total = toWholeSeconds(dateTime);
    const qint64 days = floorDiv(total, kSecondsPerDay);
    const qint64 secondOfDay = total - days * kSecondsPerDay;
    qint64 year = 0;
    unsigned month = 1;
    unsigned day = 1;
    civilFromDays(days + kOriginFromEpoch, year, month, day);
    Parts parts;
    parts.year = static_cast<int>(year);
    parts.month = static_cast<int>(month);
    parts.day = static_cast<int>(day);
    parts.hour = static_cast<int>(secondOfDay / 3600);
    parts.minute = static_cast<int>((secondOfDay / 60) % 60);
    parts.second = static_cast<int>(secondOfDay % 60);
    return parts;
}

QDate DateTime::toQDate(double dateTime)
{
    const Parts p = toParts(dateTime);
    return QDate(p.year, p.month, p.day);
}

QTime DateTime::toQTime(double dateTime)
{
    const Parts p = toParts(dateTime);
    return QTime(p.hour, p.minute, p.second);
}

double DateTime::fromQDateTime(const QDateTime &dateTime)
{
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    return static_cast<double>(origin().daysTo(d)) + timeSerial(t.hour(), t.minute(), t.second());
}

double DateTime::now()
{
    return fromQDateTime(QDateTime::currentDateTime());
}
