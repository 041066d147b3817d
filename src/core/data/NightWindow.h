#pragma once

#include <QString>

#include <optional>

// The hours of each night the leakage figures look at, as minutes of the day on the
// logger's own clock: 02:00 to 04:00 unless the user sets another window. It starts
// before it ends, within one day.
struct NightWindow
{
    int startMinute = 2 * 60;
    int endMinute = 4 * 60;

    bool isValid() const
    {
        return 0 <= startMinute && startMinute < endMinute && endMinute < 24 * 60;
    }
    qint64 startSecond() const { return qint64(startMinute) * 60; }
    qint64 endSecond() const { return qint64(endMinute) * 60; }

    // "HH:MM-HH:MM" (blanks around the parts allowed); empty unless it is a valid window.
    static std::optional<NightWindow> parse(const QString &text);
    // The minute of the day of "HH:MM", 00:00 to 23:59; -1 otherwise.
    static int minuteOfDay(const QString &text);
    // "02:00-04:00".
    QString text() const;
    // "02:00" for minute 120.
    static QString minuteText(int minute);

    bool operator==(const NightWindow &other) const
    {
        return startMinute == other.startMinute && endMinute == other.endMinute;
    }
};
