#include "PortDevices.h"

#include "DetectedPorts.h"
#include "SettingsStore.h"

PortDevices::PortDevices(const SettingsStore *settings)
    : m_settings(settings)
{ }

QString PortDevices::settingsKey(qint16 port)
{
    return QStringLiteral("COM%1").arg(port);
}

QString PortDevices::defaultDevice(qint16 port)
{
    if (port < kFirstPort || port > kLastPort)
        return QString();
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

QString PortDevices::devicePath(qint16 port) const
{
    if (port < kFirstPort || port > kLastPort)
        return QString();
    const auto it = m_devices.constFind(port);
    if (it != m_devices.constEnd())
        return it.value();
    if (m_settings) {
        // Read afresh for every exchange: an edit made while the program runs counts at once.
        m_settings->refresh();
        const QString configured
            = m_settings->read(settingsSection(), settingsKey(port), QString()).trimmed();
        if (!configured.isEmpty())
            return configured;
    }
    return defaultDevice(port);
}

void PortDevices::setDevice(qint16 port, const QString &device)
{
    m_devices.insert(port, device);
}

QStringList PortDevices::systemPorts()
{
    QStringList ports;
    for (const DetectedPorts::Port &port : DetectedPorts::systemPorts())
        ports.append(port.device);
    return ports;
}

QString PortDevices::undetectedAdvice(qint16 port) const
{
    const QString device = devicePath(port);
    if (device.isEmpty())
        return QString();
    const QStringList detected = m_detect ? m_detect() : QStringList();
    // A device named by a link (/dev/serial/by-id/...) is the device it leads to.
    for (const QString &found : detected) {
        if (DetectedPorts::canonical(found) == DetectedPorts::canonical(device))
            return QString();
    }
    QString advice = detected.isEmpty()
        ? QStringLiteral("No serial port was found on this computer; a USB serial adapter shows "
                         "up once it is plugged in.")
        : QStringLiteral("%1 is not among the serial ports found on this computer: %2.")
              .arg(device, detected.join(QStringLiteral(", ")));
    const QString file = m_settings ? m_settings->fileName() : QStringLiteral("the settings file");
    const QString example = detected.isEmpty() ? QStringLiteral("/dev/ttyUSB0") : detected.first();
    return advice
        + QStringLiteral(" To use another device for COM%1, name it in the [Ports] section of %2, "
                         "e.g. COM%1=%3")
              .arg(port)
              .arg(file, example);
}
