#include "LinkFixture.h"

#include "PortError.h"
#include "SettingsStore.h"

#include <QThread>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// The simulator on a thread of its own, so that it reads the line while the port's close
// on the test's thread waits for the bytes still queued.
class SimulatorThread
{
public:
    SimulatorThread()
    {
        m_context.moveToThread(&m_thread);
        m_thread.start();
        run([this] {
            m_simulator = std::make_unique<LoggerSimulator>(LoggerSimulator::Options());
            m_started = m_simulator->start();
            m_devicePath = m_simulator->devicePath();
        });
    }
    ~SimulatorThread()
    {
        run([this] { m_simulator.reset(); });
        m_thread.quit();
        m_thread.wait();
    }
    bool started() const { return m_started; }
    QString devicePath() const { return m_devicePath; }
    // Every byte received so far, frame after frame.
    QByteArray received()
    {
        QByteArray bytes;
        run([&] {
            for (const QByteArray &frame : m_simulator->frames())
                bytes += frame;
        });
        return bytes;
    }

private:
    void run(const std::function<void()> &work)
    {
        QMetaObject::invokeMethod(&m_context, work, Qt::BlockingQueuedConnection);
    }

    QThread m_thread;
    QObject m_context;
    std::unique_ptr<LoggerSimulator> m_simulator;
    bool m_started = false;
    QString m_devicePath;
};

} // namespace

// The serial port control: its settings string, the device behind each COM port, and
// what open, send, discard, read and close do to the bytes on the line.
class TestSerialPortControl : public QObject
{
    Q_OBJECT

private slots:
    void settingsString_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("valid");
        QTest::newRow("the logger's") << "9600,n,8,1" << true;
        QTest::newRow("upper case, spaces") << "19200, E, 7, 2" << true;
        QTest::newRow("mark parity, 1.5 stop bits") << "1200,m,5,1.5" << true;
        QTest::newRow("three fields") << "9600,n,8" << false;
        QTest::newRow("baud not a number") << "fast,n,8,1" << false;
        QTest::newRow("unknown parity") << "9600,x,8,1" << false;
        QTest::newRow("nine data bits") << "9600,n,9,1" << false;
        QTest::newRow("three stop bits") << "9600,n,8,3" << false;
    }
    void settingsString()
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

    void portNumbersMapToDevices_data()
    {
        QTest::addColumn<qint16>("port");
        QTest::addColumn<QString>("device"); // empty: "Invalid port number"
        // The settings file names devices for COM2 and COM4; the program sets COM4 itself.
        QTest::newRow("COM1") << qint16(1) << "/dev/ttyS0";
        QTest::newRow("COM2 from the settings file") << qint16(2) << "/dev/ttyUSB0";
        QTest::newRow("COM4 set by the program") << qint16(4) << "/dev/pts/77";
        QTest::newRow("0") << qint16(0) << "";
        QTest::newRow("5") << qint16(5) << "";
    }
    void portNumbersMapToDevices()
    {
        QFETCH(qint16, port);
        QFETCH(QString, device);
        SettingsStore settings;
        settings.write(QStringLiteral("Ports"), QStringLiteral("COM2"),
                       QStringLiteral("/dev/ttyUSB0"));
        settings.write(QStringLiteral("Ports"), QStringLiteral("COM4"),
                       QStringLiteral("/dev/ttyUSB1"));
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
    }

    void bytesArrivedWhileClosedAreDiscardedOnOpen()
    {
        LinkFixture link;
        QVERIFY(link.start());
        link.port.setCommPort(1);
        link.port.open();
        link.port.send(QByteArray(1, '\x01'));
        link.port.close();
        // The simulator has answered once it has the frame; the reply waits in the driver.
        QTRY_COMPARE(link.simulator.frames().size(), 1);
        link.port.discardInput();
        link.port.open();
        // The general information comes after anything left over, and must be all there is.
        const QByteArray info(1, char(NERUComm::kReadGeneralInfo));
        link.port.send(info);
        QTRY_COMPARE(link.port.bytesBuffered(), qint64(16));
        QCOMPARE(link.port.readAll(), link.simulator.replyTo(info));
    }

    void closeDeliversTheFrameStillQueued()
    {
        SimulatorThread simulator;
        QVERIFY(simulator.started());
        PortDevices devices;
        devices.setDevice(1, simulator.devicePath());
        SerialPortControl port(devices);
        port.setCommPort(1);
        // Far more than the line takes at once, in bytes the logger never answers.
        QByteArray frame(200000, '\0');
        for (qsizetype i = 0; i < frame.size(); ++i)
            frame[i] = static_cast<char>(0x20 + i % 0x5F);
        port.open();
        port.send(frame);
        port.close();
        QTRY_COMPARE(simulator.received().size(), frame.size());
        QCOMPARE(simulator.received(), frame);
    }

    void sendNeedsAnOpenPort()
    {
        PortDevices devices;
        SerialPortControl port(devices);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, port.send(QByteArray(1, '\x01')));
        QCOMPARE(port.bytesBuffered(), qint64(0));
        QVERIFY(port.readAll().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSerialPortControl)
#include "tst_SerialPortControl.moc"
