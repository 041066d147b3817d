#pragma once

#include <QMap>
#include <QString>

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

    static QString settingsKey(qint16 port);
    static QString defaultDevice(qint16 port);

    // Empty when the port number is outside 1 to 4.
    QString devicePath(qint16 port) const;
    void setDevice(qint16 port, const QString &device);

private:
    const SettingsStore *m_settings;
    QMap<qint16, QString> m_devices;
};
