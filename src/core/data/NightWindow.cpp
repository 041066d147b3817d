#include "NightWindow.h"

#include <QStringList>

int NightWindow::minuteOfDay(const QString &text)
{
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() != 2 || parts[0].size() != 2 || parts[1].size() != 2)
        return -1;
    // Two digits each: no sign or blank inside.
    for (const QString &part : parts) {
        if (!part[0].isDigit() || !part[1].isDigit())
            return -1;
    }
    bool hoursRead = false;
    bool minutesRead = false;
    const int hours = parts[0].toInt(&hoursRead);
    const int minutes = parts[1].toInt(&minutesRead);
    if (!hoursRead || !minutesRead || hours < 0 || hours > 23 || minutes < 0 || minutes > 59)
        return -1;
    return hours * 60 + minutes;
}

std::optional<NightWindow> NightWindow::parse(const QString &text)
{
    const QStringList parts = text.split(u'-');
    if (parts.size() != 2)
        return std::nullopt;
    const NightWindow window { minuteOfDay(parts[0]), minuteOfDay(parts[1]) };
    if (!window.isValid())
        return std::nullopt;
    return window;
}

QString NightWindow::minuteText(int minute)
{
    return QStringLiteral("%1:%2")
        .arg(minute / 60, 2, 10, QLatin1Char('0'))
        .arg(minute % 60, 2, 10, QLatin1Char('0'));
}

QString NightWindow::text() const
{
    return minuteText(startMinute) + u'-' + minuteText(endMinute);
}
