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
    qint64 y = expandYear(year);
    // Carry months into years, then days from the first of the month.
    const qint64 monthIndex = static_cast<qint64>(month) - 1;
    y += floorDiv(monthIndex, 12);
    const int m = static_cast<int>(monthIndex - floorDiv(monthIndex, 12) * 12) + 1;
    if (y < 100 || y > 9999)
        throw RuntimeError::invalidArgument();
    const QDate first(static_cast<int>(y), m, 1);
    const QDate date = first.addDays(static_cast<qint64>(day) - 1);
    if (!date.isValid() || date.year() < 100 || date.year() > 9999)
        throw RuntimeError::invalidArgument();
    return static_cast<double>(origin().daysTo(date));
}

double DateTime::timeSerial(int hour, int minute, int second)
{
    const qint64 seconds = static_cast<qint64>(hour) * 3600 + static_cast<qint64>(minute) * 60
                           + second;
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
    const QDate date = origin().addDays(days);
    Parts parts;
    parts.year = date.year();
    parts.month = date.month();
    parts.day = date.day();
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
