#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>

class SettingsStore;

// Maps a port number to a device: COM1 to COM4 are /dev/ttyS0 to /dev/ttyS3 unless the
// settings store names another device for the port (section "Ports", key "COM1" and so
// on, e.g. COM1=/dev/ttyUSB0 for a USB adapter). A device set here wins over both.
class PortDevices
{
public:
    static constexpr qint16 kFirstPort = 1;
    static constexpr qint16 kLastPort = 4;

    explicit PortDevices(const SettingsStore *settings = nullptr);

    static QString settingsSection() { return QStringLiteral("Ports"); }
    static QString settingsKey(qint16 port);
    static QString defaultDevice(qint16 port);

    // Empty when the port number is outside 1 to 4.
    QString devicePath(qint16 port) const;
    void setDevice(qint16 port, const QString &device);

    // The serial ports the system detects (/dev/ttyUSB0, ...). Plain /dev/ttyS nodes exist
    // without a serial chip, so a device's existence says little; this list does.
    using Detector = std::function<QStringList()>;
    static QStringList systemPorts();
    void setDetector(Detector detector) { m_detect = std::move(detector); }

    // For a port whose device the system does not detect: the ports it does detect and how
    // to name one for the port in the settings file. Empty when the device is detected.
    QString undetectedAdvice(qint16 port) const;

private:
    const SettingsStore *m_settings;
    Detector m_detect = &PortDevices::systemPorts;
    QMap<qint16, QString> m_devices;
};
