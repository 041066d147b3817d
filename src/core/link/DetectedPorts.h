#pragma once

#include <QList>
#include <QString>

// The serial ports the system detects, as Tools > Comms > Choose Port lists them: what the
// serial-port enumeration says of each, and the stable name under /dev/serial/by-id/ that
// keeps naming the same adapter whichever USB socket it is plugged into.
class DetectedPorts
{
public:
    struct Port
    {
        QString device; // /dev/ttyUSB0
        QString description;
        QString manufacturer;
        QString serialNumber;
        QString stableName; // the by-id link leading to the device; empty when none does

        // What a COM port's [Ports] entry should hold: the stable name when there is one.
        QString storedName() const { return stableName.isEmpty() ? device : stableName; }
    };

    static QString stableFolder() { return QStringLiteral("/dev/serial/by-id"); }

    // The ports the system detects, sorted by device, without their stable names.
    static QList<Port> systemPorts();
    // As systemPorts, with the stable names found in `folder`.
    static QList<Port> list(const QString &folder = stableFolder());
    // Gives each port the first link in `folder` (by name) that leads to its device.
    static void findStableNames(QList<Port> &ports, const QString &folder);

    // The device a path leads to through its links; the path itself when it leads nowhere.
    static QString canonical(const QString &device);
};
