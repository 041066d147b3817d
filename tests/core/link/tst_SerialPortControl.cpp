#include "LinkFixture.h"

#include "PortError.h"
#include "SettingsStore.h"

#include <QtTest>

namespace {

// Sends a wake-up and waits until `count` bytes are buffered in all.
bool wakeUp(SerialPortControl &port, qint64 count)
{
    port.send(QByteArray(1, '\x01'));
    QElapsedTimer elapsed;
    elapsed.start();
    while (port.bytesBuffered() < count && elapsed.elapsed() < 3000)
        QTest::qWait(5);
    return port.bytesBuffered() >= count;
}

} // namespace

// The serial port control: its settings string, the device behind each COM port, and
// what open, send, discard, read and close do to the bytes on the line.
class TestSerialPortControl : public QObject
{
    Q_OBJECT

private slots:
    void settingsString_data();
    void settingsString();
    void portNumbersMapToDevices_data();
    void portNumbersMapToDevices();
    void readAllTakesEverythingAndDiscardThrowsItAway();
    void bytesArrivedWhileClosedAreDiscardedOnOpen();
    void closeTransmitsTheWholeFrame();
    void sendNeedsAnOpenPort();
};

void TestSerialPortControl::settingsString_data()
{
    QTest::addColumn<QString>("settings");
    QTest::addColumn<bool>("valid");
    QTest::newRow("the logger's") << QStringLiteral("9600,n,8,1") << true;
    QTest::newRow("upper case, spaces") << QStringLiteral("19200, E, 7, 2") << true;
    QTest::newRow("one and a half stop bits") << QStringLiteral("9600,o,5,1.5") << true;
    QTest::newRow("mark parity") << QStringLiteral("1200,m,8,1") << true;
    QTest::newRow("three fields") << QStringLiteral("9600,n,8") << false;
    QTest::newRow("baud not a number") << QStringLiteral("fast,n,8,1") << false;
    QTest::newRow("baud zero") << QStringLiteral("0,n,8,1") << false;
    QTest::newRow("unknown parity") << QStringLiteral("9600,x,8,1") << false;
    QTest::newRow("nine data bits") << QStringLiteral("9600,n,9,1") << false;
    QTest::newRow("three stop bits") << QStringLiteral("9600,n,8,3") << false;
}

void TestSerialPortControl::settingsString()
{
    QFETCH(QString, settings);
    QFETCH(bool, valid);
    PortDevices devices;
    SerialPortControl port(devices);
    port.setSettings(QStringLiteral("9600,n,8,1"));
    try {
        port.setSettings(settings);
        QVERIFY(valid);
        QCOMPARE(port.settings(), settings);
    } catch (const RuntimeError &e) {
        QVERIFY2(!valid, qPrintable(e.description()));
        QCOMPARE(e.description(), QStringLiteral("Invalid property value"));
        QCOMPARE(port.settings(), QStringLiteral("9600,n,8,1"));
    }
}

void TestSerialPortControl::portNumbersMapToDevices_data()
{
    QTest::addColumn<qint16>("port");
    QTest::addColumn<QString>("device"); // empty: "Invalid port number"
    // The settings file names /dev/ttyUSB0 for COM2; the program sets COM4 itself.
    QTest::newRow("COM1") << qint16(1) << QStringLiteral("/dev/ttyS0");
    QTest::newRow("COM2 from the settings file") << qint16(2) << QStringLiteral("/dev/ttyUSB0");
    QTest::newRow("COM3") << qint16(3) << QStringLiteral("/dev/ttyS2");
    QTest::newRow("COM4 set by the program") << qint16(4) << QStringLiteral("/dev/pts/77");
    QTest::newRow("0") << qint16(0) << QString();
    QTest::newRow("5") << qint16(5) << QString();
}

void TestSerialPortControl::portNumbersMapToDevices()
{
    QFETCH(qint16, port);
    QFETCH(QString, device);
    SettingsStore settings;
    settings.write(QStringLiteral("Ports"), QStringLiteral("COM2"), QStringLiteral("/dev/ttyUSB0"));
    settings.write(QStringLiteral("Ports"), QStringLiteral("COM4"), QStringLiteral("/dev/ttyUSB1"));
    QVERIFY(settings.sync());
    PortDevices devices(&settings);
    devices.setDevice(4, QStringLiteral("/dev/pts/77"));
    SerialPortControl control(devices);
    control.setCommPort(1);
    if (device.isEmpty()) {
        QVERIFY_THROWS_EXCEPTION(RuntimeError, control.setCommPort(port));
        // Opening then fails instead of reaching the port set before.
        QVERIFY_THROWS_EXCEPTION(PortError, control.open());
        QVERIFY(!control.isOpen());
    } else {
        control.setCommPort(port);
    }
    QCOMPARE(control.deviceName(), device);
    QCOMPARE(control.commPort(), port);
    // The file on disk says the same to the next program that reads it.
    const SettingsStore reread;
    QCOMPARE(PortDevices(&reread).devicePath(2), QStringLiteral("/dev/ttyUSB0"));
}

void TestSerialPortControl::readAllTakesEverythingAndDiscardThrowsItAway()
{
    LinkFixture link;
    QVERIFY(link.start());
    link.port.setCommPort(1);
    link.port.open();
    QVERIFY(wakeUp(link.port, 7));
    QVERIFY(wakeUp(link.port, 14));
    QCOMPARE(link.port.readAll().size(), 14);
    QCOMPARE(link.port.bytesBuffered(), qint64(0));
    QVERIFY(wakeUp(link.port, 7));
    link.port.discardInput();
    QCOMPARE(link.port.bytesBuffered(), qint64(0));
    QVERIFY(link.port.readAll().isEmpty());
    link.port.close();
}

void TestSerialPortControl::bytesArrivedWhileClosedAreDiscardedOnOpen()
{
    LinkFixture link;
    QVERIFY(link.start());
    link.port.setCommPort(1);
    link.port.open();
    link.port.send(QByteArray(1, '\x01'));
    link.port.close();
    // The reply arrives after the port has closed and waits in the driver.
    QTRY_COMPARE(link.simulator.frames().size(), 1);
    QTest::qWait(20);
    link.port.discardInput();
    link.port.open();
    QTest::qWait(50);
    QCOMPARE(link.port.bytesBuffered(), qint64(0));
    link.port.close();
}

void TestSerialPortControl::closeTransmitsTheWholeFrame()
{
    LinkFixture link;
    QVERIFY(link.start());
    link.port.setCommPort(1);
    const QByteArray frame = QByteArray::fromHex("020e050909030102");
    for (int i = 0; i < 20; ++i) {
        link.port.open();
        link.port.send(frame);
        link.port.close();
    }
    QTRY_COMPARE(link.simulator.frames(), QList<QByteArray>(20, frame));
}

void TestSerialPortControl::sendNeedsAnOpenPort()
{
    PortDevices devices;
    SerialPortControl port(devices);
    QVERIFY_THROWS_EXCEPTION(RuntimeError, port.send(QByteArray(1, '\x01')));
    QCOMPARE(port.bytesBuffered(), qint64(0));
    QVERIFY(port.readAll().isEmpty());
}

QTEST_GUILESS_MAIN(TestSerialPortControl)
#include "tst_SerialPortControl.moc"
