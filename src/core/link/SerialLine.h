#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>

class PortDevices;
class PortError;

// The serial line to the logger: the few operations the link needs, over QSerialPort.
// Bytes are received raw and a read returns everything buffered. Failures raise a PortError
// with the operating system's reason and advice for the user.
class SerialLine : public QObject
{
    Q_OBJECT

public:
    explicit SerialLine(const PortDevices &devices, QObject *parent = nullptr);
    ~SerialLine() override;

    // "baud,parity,data bits,stop bits", e.g. "9600,n,8,1"; parity n, e, o, m or s;
    // stop bits 1, 1.5 or 2. Raises "Invalid property value" for anything else.
    void setSettings(const QString &settings);
    QString settings() const { return m_settings; }

    // Raises "Invalid port number" outside 1 to 4; the port then has no device.
    void setPortNumber(qint16 port);
    qint16 portNumber() const { return m_portNumber; }
    QString deviceName() const { return m_device; }
    // The detected ports and how to use one, when this port's device is not among them.
    QString undetectedAdvice() const;

    // Throws away the bytes received and not read; with the port closed, those still
    // waiting in the driver when it opens.
    void discardInput();

    void open();
    // Transmits what was sent before the line goes down.
    void close() noexcept;
    bool isOpen() const { return m_port.isOpen(); }

    void send(const QByteArray &bytes);
    qint64 bytesBuffered() const;
    QByteArray readAll();

    // The open port has failed (the device disappeared, a read error): raises the
    // PortError that says so.
    void throwIfFailed() const;
    bool hasFailed() const { return !m_failure.isEmpty(); }

signals:
    void inputArrived();
    void failed();

private:
    void onErrorOccurred(QSerialPort::SerialPortError error);
    PortError openError() const;
    PortError deviceError(int errorNumber, const QString &advice) const;
    static QString permissionAdvice(const QString &device);

    const PortDevices &m_devices;
    QSerialPort m_port;
    QString m_settings;
    qint16 m_portNumber = 0;
    QString m_device;
    bool m_discardOnOpen = false;
    QString m_failure;
};
