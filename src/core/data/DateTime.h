#pragma once

#include <QDateTime>
#include <QtGlobal>

// Date-times are doubles counting days from 30 December 1899, the fraction being the
// time of day. The value is linear: adding 1.5 always moves 36 hours, also before the
// origin. Dates are built by calendar arithmetic, out-of-range parts carrying over.
class DateTime
{
public:
    // The parts of a date-time, after rounding to the nearest whole second.
    struct Parts
    {
        int year = 1899;
        int month = 12;
        int day = 30;
        int hour = 0;
        int minute = 0;
        int second = 0;
    };

    static constexpr qint64 kSecondsPerDay = 86400;

    // Two-digit years 0-29 are 2000-2029, 30-99 are 1930-1999; others stand as given.
    static int expandYear(int year);

    // Day number of year/month/day; month 13 is January of the next year, day 0 the last
    // day of the month before. Raises "Invalid procedure call or argument" outside the
    // years 100 to 9999.
    static double dateSerial(int year, int month, int day);
    // The same day number as an integer.
    static qint64 dayNumber(int year, int month, int day);
    // Fraction of a day; hour 24 is a whole day, second 60 the next minute.
    static double timeSerial(int hour, int minute, int second);
    static double fromParts(int year, int month, int day, int hour, int minute, int second);

    static double addSeconds(double dateTime, qint64 seconds);
    // Whole seconds from `from` to `to` (negative when `to` is earlier).
    static qint64 secondsBetween(double from, double to);

    // Whole seconds since the origin (the date-time rounded to the nearest second), and back.
    static qint64 toWholeSeconds(double dateTime);
    static double fromWholeSeconds(qint64 seconds)
    {
        return static_cast<double>(seconds) / kSecondsPerDay;
    }

    static Parts toParts(double dateTime);
    static QDate toQDate(double dateTime);
    static QTime toQTime(double dateTime);
    static double fromQDateTime(const QDateTime &dateTime);

    // The PC's local clock.
    static double now();

private:
    static QDate origin();
};
