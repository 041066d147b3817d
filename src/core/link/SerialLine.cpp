#include "SerialLine.h"

#include "PortDevices.h"
#include "PortError.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

RuntimeError invalidPropertyValue()
{
    return RuntimeError(QStringLiteral("Invalid property value"));
}

const QString kPlugItIn = QStringLiteral("Check that the logger's cable or USB adapter is plugged "
                                         "in and that the right COM port is chosen.");

} // namespace

SerialLine::SerialLine(const PortDevices &devices, QObject *parent)
    : QObject(parent)
    , m_devices(devices)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLine::inputArrived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLine::onErrorOccurred);
}

SerialLine::~SerialLine()
{
    close();
}

void SerialLine::setSettings(const QString &settings)
{
    const QStringList parts = settings.split(u',');
    if (parts.size() != 4)
        throw invalidPropertyValue();
    bool ok = false;
    const int baud = parts.at(0).trimmed().toInt(&ok);
    if (!ok || baud <= 0)
        throw invalidPropertyValue();

    const QString parityText = parts.at(1).trimmed().toLower();
    QSerialPort::Parity parity = QSerialPort::NoParity;
    if (parityText == QLatin1String("n"))
        parity = QSerialPort::NoParity;
    else if (parityText == QLatin1String("e"))
        parity = QSerialPort::EvenParity;
    else if (parityText == QLatin1String("o"))
        parity = QSerialPort::OddParity;
    else if (parityText == QLatin1String("m"))
        parity = QSerialPort::MarkParity;
    else if (parityText == QLatin1String("s"))
        parity = QSerialPort::SpaceParity;
    else
        throw invalidPropertyValue();

    const int dataBits = parts.at(2).trimmed().toInt(&ok);
    if (!ok || dataBits < 5 || dataBits > 8)
        throw invalidPropertyValue();

    const QString stopText = parts.at(3).trimmed();
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    if (stopText == QLatin1String("1"))
        stopBits = QSerialPort::OneStop;
    else if (stopText == QLatin1String("1.5"))
        stopBits = QSerialPort::OneAndHalfStop;
    else if (stopText == QLatin1String("2"))
        stopBits = QSerialPort::TwoStop;
    else
        throw invalidPropertyValue();

    m_port.setBaudRate(baud);
    m_port.setParity(parity);
    m_port.setDataBits(static_cast<QSerialPort::DataBits>(dataBits));
    m_port.setStopBits(stopBits);
    m_settings = settings;
}

void SerialLine::setPortNumber(qint16 port)
{
    if (m_port.isOpen())
        throw RuntimeError(QStringLiteral("Port already open"));
    m_portNumber = port;
    m_device = m_devices.devicePath(port);
    if (m_device.isEmpty())
        throw RuntimeError(QStringLiteral("Invalid port number"));
}

void SerialLine::discardInput()
{
    if (!m_port.isOpen()) {
        m_discardOnOpen = true;
        return;
    }
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
}

// Joining the device's group helps only when the group may read and write it.
QString SerialLine::permissionAdvice(const QString &device)
{
    const QFileInfo info(device);
    const QString group = info.group();
    const QFile::Permissions groupReadWrite = QFile::ReadGroup | QFile::WriteGroup;
    if (!group.isEmpty() && (info.permissions() & groupReadWrite) == groupReadWrite)
        return QStringLiteral("%1 belongs to the group \"%2\". Add your user to it with "
                              "\"sudo usermod -aG %2 $USER\", then log out and log in again.")
            .arg(device, group);
    return QStringLiteral("Only its owner may use %1. Ask your administrator to give you access "
                          "to it.")
        .arg(device);
}

// "/dev/ttyS0: No such file or directory"
PortError SerialLine::deviceError(int errorNumber, const QString &advice) const
{
    return PortError(m_device + QStringLiteral(": ")
                         + QString::fromLocal8Bit(std::strerror(errorNumber)),
                     advice);
}

PortError SerialLine::openError() const
{
    // The lock Qt takes and the driver's exclusive mode both come back as a permission
    // error; only the file's own permissions tell the two apart.
    if (::faccessat(AT_FDCWD, QFile::encodeName(m_device).constData(), R_OK | W_OK, AT_EACCESS)
        != 0) {
        const int error = errno;
        if (error == EACCES || error == EPERM)
            return deviceError(error, permissionAdvice(m_device));
        if (error == ENOENT)
            return deviceError(error, kPlugItIn);
    }
    switch (m_port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return deviceError(ENOENT, kPlugItIn);
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        return deviceError(
            EBUSY,
            QStringLiteral("%1 is in use by another program. Close that program and try again.")
                .arg(m_device));
    default:
        return PortError(m_device + QStringLiteral(": ") + m_port.errorString(), QString());
    }
}

QString SerialLine::undetectedAdvice() const
{
    return m_devices.undetectedAdvice(m_portNumber);
}

void SerialLine::open()
{
    if (m_port.isOpen())
        throw RuntimeError(QStringLiteral("Port already open"));
    m_failure.clear();
    if (m_device.isEmpty())
        throw PortError(QStringLiteral("COM%1: no such port").arg(m_portNumber),
                        QStringLiteral("Choose one of COM1 to COM4."));
    if (!QFileInfo::exists(m_device))
        throw deviceError(ENOENT, kPlugItIn);
    m_port.setPortName(m_device);
    if (!m_port.open(QIODevice::ReadWrite))
        throw openError();
    if (m_discardOnOpen) {
        m_port.clear(QSerialPort::Input);
        m_discardOnOpen = false;
    }
}

void SerialLine::close() noexcept
{
    if (!m_port.isOpen())
        return;
    // A frame that expects no reply must still reach the logger whole.
    QElapsedTimer elapsed;
    elapsed.start();
    while (m_failure.isEmpty() && m_port.bytesToWrite() > 0 && elapsed.elapsed() < 2000)
        m_port.waitForBytesWritten(100);
    if (m_failure.isEmpty())
        ::tcdrain(static_cast<int>(m_port.handle()));
    m_port.close();
}

void SerialLine::send(const QByteArray &bytes)
{
    if (!m_port.isOpen())
        throw RuntimeError(QStringLiteral("Operation valid only when the port is open"));
    throwIfFailed();
    if (m_port.write(bytes) != bytes.size())
        throw PortError(m_device + QStringLiteral(": ") + m_port.errorString(), QString());
    m_port.flush();
}

qint64 SerialLine::bytesBuffered() const
{
    return m_port.isOpen() ? m_port.bytesAvailable() : 0;
}

QByteArray SerialLine::readAll()
{
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void SerialLine::throwIfFailed() const
{
    if (!m_failure.isEmpty())
        throw PortError(m_failure,
                        QStringLiteral("Check that the logger's cable or USB adapter is still "
                                       "plugged in."));
}

void SerialLine::onErrorOccurred(QSerialPort::SerialPortError error)
{
    if (error == QSerialPort::NoError || !m_port.isOpen() || !m_failure.isEmpty())
        return;
    if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError
        && error != QSerialPort::WriteError)
        return;
    // After a hang-up the system's error text is a leftover of some other call.
    m_failure = m_device + QStringLiteral(": ")
        + (error == QSerialPort::ResourceError ? QStringLiteral("the line was lost")
                                               : m_port.errorString());
    emit failed();
}
