#include "DetectedPorts.h"
#include "LinkFixture.h"
#include "PortError.h"
#include "RuntimeError.h"
#include "SettingsStore.h"

#include <QThread>
#include <QtTest>

#include <grp.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// The serial line and the session's exchanges against the simulator over a pseudo-terminal.
class TestSerialLink : public QObject
{
    Q_OBJECT

private slots:
    // Settings in any case and spacing are taken; others are refused, the old ones kept.
    void settingsString()
    {
        PortDevices devices;
        SerialLine port(devices);
        port.setSettings(u"19200, E, 7, 2"_s);
        port.setSettings(u"1200,m,5,1.5"_s);
        const QString kept = port.settings();
        for (const QString &bad : { u"9600,n,8"_s, u"fast,n,8,1"_s, u"9600,x,8,1"_s,
                                    u"9600,n,9,1"_s, u"9600,n,8,3"_s }) {
            try {
                port.setSettings(bad);
                QFAIL(qPrintable(bad));
            } catch (const RuntimeError &e) {
                QCOMPARE(e.description(), u"Invalid property value"_s);
            }
            QCOMPARE(port.settings(), kept);
        }
    }

    // An undetected device is explained with the ports found and the [Ports] section; a link
    // counts as the device it leads to.
    void undetectedDeviceAdvice_data()
    {
        QTest::addColumn<QStringList>("detected");
        QTest::addColumn<QString>("advice"); // a pattern; empty: no advice
        QTest::newRow("detected through a link") << QStringList { u"%1/ttyUSB0"_s } << QString();
        QTest::newRow("others detected")
            << QStringList { u"/dev/ttyACM0"_s, u"/dev/ttyS0"_s }
            << u"^\\S+/by-id/adapter is not among the serial ports found on this computer: "
               "/dev/ttyACM0, /dev/ttyS0\\. To use another device for COM2, name it in the "
               "\\[Ports\\] section of .+\\.ini, e.g. COM2=/dev/ttyACM0$"_s;
        QTest::newRow("none detected")
            << QStringList() << u"^No serial port was found.*COM2=/dev/ttyUSB0$"_s;
    }
    void undetectedDeviceAdvice()
    {
        QFETCH(QStringList, detected);
        QFETCH(QString, advice);
        QTemporaryDir dir;
        QVERIFY(QFile(dir.filePath(u"ttyUSB0"_s)).open(QIODevice::WriteOnly));
        QVERIFY(QDir(dir.path()).mkdir(u"by-id"_s));
        QVERIFY(QFile::link(dir.filePath(u"ttyUSB0"_s), dir.filePath(u"by-id/adapter"_s)));
        SettingsStore settings;
        PortDevices devices(&settings);
        devices.setDevice(2, dir.filePath(u"by-id/adapter"_s));
        devices.setDetector([&] { return detected.replaceInStrings(u"%1"_s, dir.path()); });
        const QString shown = devices.undetectedAdvice(2);
        if (advice.isEmpty())
            QCOMPARE(shown, QString());
        else
            QVERIFY2(QRegularExpression(advice).match(shown).hasMatch(), qPrintable(shown));
    }

    // A port's stable name is the by-id link leading to its device, whatever the link's place
    // in the folder; [Ports] gets it, or the device when no link leads there.
    void stableNameLeadsToTheDevice()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"by-id"_s));
        for (const QString &device : { u"ttyUSB0"_s, u"ttyUSB1"_s, u"ttyUSB2"_s })
            QVERIFY(QFile(dir.filePath(device)).open(QIODevice::WriteOnly));
        QVERIFY(QFile::link(dir.filePath(u"ttyUSB2"_s), dir.filePath(u"by-id/a-other"_s)));
        QVERIFY(QFile::link(u"../ttyUSB1"_s, dir.filePath(u"by-id/usb-Maker_Cable_X1-if00"_s)));
        QList<DetectedPorts::Port> ports { { dir.filePath(u"ttyUSB0"_s), {}, {}, {}, {} },
                                           { dir.filePath(u"ttyUSB1"_s), {}, {}, {}, {} } };
        DetectedPorts::findStableNames(ports, dir.filePath(u"by-id"_s));
        QCOMPARE(ports[0].stableName, QString());
        QCOMPARE(ports[0].storedName(), dir.path() + u"/ttyUSB0"_s);
        QCOMPARE(ports[1].storedName(), dir.path() + u"/by-id/usb-Maker_Cable_X1-if00"_s);
    }

    void bytesArrivedWhileClosedAreDiscardedOnOpen()
    {
        LinkFixture link;
        QVERIFY(link.start());
        link.port.setPortNumber(1);
        link.port.open();
        link.port.send(QByteArray(1, '\x01'));
        link.port.close();
        QTRY_COMPARE(link.simulator.frames().size(), 1);
        link.port.discardInput();
        link.port.open();
        // The reply left in the driver is discarded: only the general information comes.
        const QByteArray info(1, char(LoggerProtocol::kReadGeneralInfo));
        link.port.send(info);
        QTRY_COMPARE(link.port.bytesBuffered(), qint64(16));
        QCOMPARE(link.port.readAll(), link.simulator.replyTo(info));
    }

    // Close waits for the bytes still queued (the line is closed on a thread of its own).
    void closeDeliversTheFrameStillQueued()
    {
        const QByteArray frame = QByteArray("0123456789abcdef").repeated(12500);
        LinkFixture link;
        QVERIFY(link.start());
        std::unique_ptr<QThread> sender(QThread::create([&] {
            SerialLine port(link.devices);
            port.setPortNumber(1);
            port.open();
            port.send(frame);
            port.close();
        }));
        sender->start();
        QVERIFY(QTest::qWaitFor([&] { return sender->isFinished(); }, 10000));
        QTRY_COMPARE(link.simulator.frames().join(), frame);
    }

    void commandFrames_data()
    {
        QTest::addColumn<qint32>("command");
        QTest::addColumn<qint32>("parameter");
        QTest::addColumn<QDateTime>("pcClock");
        QTest::addColumn<QByteArray>("frame"); // empty: "Overflow", a value outside a byte
        QTest::addColumn<qint32>("replyLength");
        auto row
            = [](const char *name, qint32 command, qint32 parameter, const char *frame,
                 qint32 replyLength, QDate day = QDate(2001, 9, 3), QTime time = QTime(14, 5, 9)) {
                  QTest::newRow(name) << command << parameter << QDateTime(day, time)
                                      << QByteArray::fromHex(frame) << replyLength;
              };
        row("wake-up / read clock, parameter ignored", 1, 77, "01", 7);
        row("set clock, Sunday is weekday 1", 2, 0, "0200000003011a01", 0, QDate(2026, 3, 1),
            QTime(0, 0));
        row("set clock, Saturday is 7, 2000 is 0", 2, 0, "02173b3b01010007", 0, QDate(2000, 1, 1),
            QTime(23, 59, 59));
        row("block -1", 14, -1, "", 128);
        row("code 0: code only, no reply", 0, 5, "00", 0);
        row("code 256", 256, 0, "", 0);
    }
    void commandFrames()
    {
        QFETCH(qint32, command);
        QFETCH(qint32, parameter);
        QFETCH(QDateTime, pcClock);
        QFETCH(QByteArray, frame);
        QFETCH(qint32, replyLength);
        QCOMPARE(LoggerProtocol::replyLength(command), replyLength);
        // The PC's clock is read whole seconds down, never rounded.
        try {
            QCOMPARE(LoggerProtocol::frame(command, parameter, pcClock.toMSecsSinceEpoch() + 999)
                         .toHex(),
                     frame.toHex());
        } catch (const RuntimeError &e) {
            QVERIFY(frame.isEmpty());
            QCOMPARE(e.description(), QStringLiteral("Overflow"));
        }
    }

    void commandWaitsForTheNextClockSecond_data()
    {
        QTest::addColumn<int>("startMSec"); // within 14:05:08
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("onTheBoundary"); // else whenever the wake-up reply has settled
        QTest::newRow("wake-up on a second boundary: a whole second") << 0 << "" << true;
        QTest::newRow("just before the boundary: a millisecond") << 999 << "" << true;
        // The rest of the wake-up reply must not spill into the command's.
        QTest::newRow("wake-up reply still arriving at the boundary") << 999 << "split" << false;
        QTest::newRow("stray bytes before the wake-up reply") << 999 << "garbage" << false;
    }
    void commandWaitsForTheNextClockSecond()
    {
        QFETCH(int, startMSec);
        QFETCH(QString, fault);
        QFETCH(bool, onTheBoundary);
        LoggerSimulator::Options options;
        options.memory = QByteArray(0x0123, 'd');
        options.faults.splitWakeUpMSecs = fault == u"split" ? 15 : -1;
        options.faults.garbageCommand = fault == u"garbage" ? LoggerProtocol::kReadClock : -1;
        const qint64 start = LinkFixture::at(14, 5, 8, startMSec);
        LinkFixture link(options, start);
        QVERIFY(link.start());
        const LoggerResult result = link.run(&LoggerSession::download);
        QVERIFY(result.done());
        QCOMPARE(result.download, options.memory);
        QCOMPARE(link.framesOnTheLine(), QStringLiteral("01 0d 01 0e00 01 0e01 01 0e02"));
        QCOMPARE(link.frameTimes.at(0), start);
        if (onTheBoundary)
            QCOMPARE(link.frameTimes.at(1), LinkFixture::at(14, 5, 9));
    }

    // Any failure ends in one result: the communication error with reason and advice, logged,
    // the port closed, whole blocks kept; a silent line after 3 to 4 seconds.
    void failureEndsInOneMessage_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("startMSec"); // within 14:05:08
        QTest::addColumn<int>("lastFrame"); // index of the frame left unanswered; -1: none sent
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("advice");
        auto row = [](const char *name, const char *failure, int startMSec, int lastFrame,
                      const char *reason, const char *advice) {
            QTest::newRow(name) << failure << startMSec << lastFrame << reason << advice;
        };
        const char *noWakeUp = "no reply to the wake-up within 3 seconds";
        const char *switchedOn = "Check that the logger is switched on";
        row("logger silent, wait begun on a second boundary: four seconds", "silent", 0, 0,
            noWakeUp, switchedOn);
        row("logger silent, wait begun just before a boundary: just over three seconds", "silent",
            999, 0, noWakeUp, switchedOn);
        row("short reply", "short", 400, 1,
            "only 1 of the 2 bytes of the reply to command 13 arrived within 3 seconds",
            "Check the cable");
        row("device unplugged in the middle of a block", "hang-up", 400, 5, "the line was lost",
            "still plugged in");
        row("port missing", "missing", 400, -1, "No such file or directory", "[Ports]");
        row("port in use", "busy", 400, -1, "busy", "in use by another program");
        row("permission denied, the device's group may use it", "group", 400, -1,
            "Permission denied",
            "belongs to the group \"dialout\". Add your user to it with "
            "\"sudo usermod -aG dialout $USER\"");
        row("permission denied, only the owner may use it", "owner", 400, -1, "Permission denied",
            "Only its owner may use");
    }
    void failureEndsInOneMessage()
    {
        QFETCH(QString, failure);
        QFETCH(int, startMSec);
        QFETCH(int, lastFrame);
        QFETCH(QString, reason);
        QFETCH(QString, advice);
        LoggerSimulator::Options options;
        options.memory = LinkFixture::pattern(500);
        LoggerSimulator::Faults &f = options.faults;
        f.silent = failure == u"silent";
        f.shortReplyCommand = failure == u"short" ? LoggerProtocol::kReadDataLength : -1;
        f.hangUpAfterBlocks = failure == u"hang-up" ? 1 : -1;
        const qint64 start = LinkFixture::at(14, 5, 8, startMSec);
        LinkFixture link(options, start);
        QVERIFY(link.start());
        SerialLine otherProgram(link.devices);
        if (failure == u"missing")
            link.devices.setDevice(1, link.log.dir.filePath(QStringLiteral("ttyUSB9")));
        if (failure == u"busy") {
            otherProgram.setPortNumber(1);
            otherProgram.open();
        }
        const bool denied = failure == u"group" || failure == u"owner";
        const bool root = ::geteuid() == 0;
        const QByteArray device = QFile::encodeName(link.simulator.devicePath());
        if (failure == u"group") {
            const group *dialout = ::getgrnam("dialout");
            if (!root || !dialout)
                QSKIP("Only root can hand the device to a dialout group, and there must be one");
            QCOMPARE(::chown(device.constData(), static_cast<uid_t>(-1), dialout->gr_gid), 0);
        }
        if (denied)
            QCOMPARE(::chmod(device.constData(), failure == u"group" ? 0660 : 0), 0);
        // Root may open anything: a denied port is tried as nobody.
        const bool asNobody = denied && root;
        if (asNobody) {
            QCOMPARE(::chmod(QFile::encodeName(link.log.dir.path()).constData(), 0777), 0);
            if (::seteuid(65534) != 0)
                QSKIP("Cannot act as another user here");
        }
        const LoggerResult result = link.run(&LoggerSession::download);
        if (asNobody && ::seteuid(0) != 0)
            qFatal("cannot return to root");
        QCOMPARE(result.outcome, LoggerResult::Outcome::Failed);
        const LoggerMessage &message = result.message;
        QCOMPARE(message.kind, LoggerMessage::Kind::Failure);
        QCOMPARE(message.text, kCommunicationError);
        QVERIFY2(message.detail.contains(reason), qPrintable(message.detail));
        QVERIFY2(message.detail.contains(advice), qPrintable(message.detail));
        QVERIFY(link.notices.isEmpty());
        QVERIFY2(link.eventLog().contains(reason), qPrintable(link.eventLog()));
        QVERIFY(link.eventLog().contains(QStringLiteral(" in pollNERU(NERUComm)")));
        QVERIFY(!link.port.isOpen());
        QVERIFY(!result.wholeDownload);
        QCOMPARE(result.download, lastFrame > 3 ? options.memory.left(128) : QByteArray());
        QCOMPARE(link.frameTimes.size(), lastFrame + 1);
        const qint64 from = lastFrame >= 0 ? link.frameTimes.at(lastFrame) : start;
        // A time-out comes at the fourth second boundary after the wait began; others at once.
        if (reason.endsWith(u"within 3 seconds"))
            QCOMPARE(link.now(), (from / 1000 + 4) * 1000);
        else
            QVERIFY2(link.now() - from < 3000, qPrintable(QString::number(link.now() - from)));
        QTest::qWait(50);
        QCOMPARE(link.results.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSerialLink)
#include "tst_SerialLink.moc"
