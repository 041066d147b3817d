#include "PortDevices.h"

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
        const QString configured
            = m_settings->read(QStringLiteral("Ports"), settingsKey(port), QString()).trimmed();
        if (!configured.isEmpty())
            return configured;
    }
    return defaultDevice(port);
}

void PortDevices::setDevice(qint16 port, const QString &device)
{
    m_devices.insert(port, device);
}
