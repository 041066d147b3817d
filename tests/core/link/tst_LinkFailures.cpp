#include "LinkFixture.h"

#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs as another user for the life of the object (only root can).
class EffectiveUser
{
public:
    explicit EffectiveUser(uid_t user)
        : m_previous(::geteuid())
        , m_changed(::seteuid(user) == 0)
    { }
    ~EffectiveUser()
    {
        if (m_changed && ::seteuid(m_previous) != 0)
            qFatal("cannot return to user %u", static_cast<unsigned>(m_previous));
    }
    bool changed() const { return m_changed; }

private:
    uid_t m_previous;
    bool m_changed;
};

} // namespace

// Whatever the line does, an exchange ends with the one communication error, the reason
// and advice in its detail and in the event log, the port closed and nothing of the
// failed exchange kept; a silent line after 3 to 4 seconds on the link's clock.
class TestLinkFailures : public QObject
{
    Q_OBJECT

private slots:
    void failureEndsInOneMessage_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<int>("startMSec"); // within 14:05:08
        QTest::addColumn<int>("lastFrame"); // index of the frame left unanswered; -1: none sent
        QTest::addColumn<bool>("timesOut");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("advice");
        auto row = [](const char *name, const char *failure, int startMSec, int lastFrame,
                      bool timesOut, const char *reason, const char *advice) {
            QTest::newRow(name) << failure << startMSec << lastFrame << timesOut << reason
                                << advice;
        };
        const char *noWakeUp = "no reply to the wake-up within 3 seconds";
        const char *switchedOn = "Check that the logger is switched on";
        row("logger silent, wait begun on a second boundary: four seconds", "silent", 0, 0, true,
            noWakeUp, switchedOn);
        row("logger silent, wait begun just before a boundary: just over three seconds", "silent",
            999, 0, true, noWakeUp, switchedOn);
        row("short reply", "short", 400, 1, true,
            "only 1 of the 2 bytes of the reply to command 13 arrived within 3 seconds",
            "Check the cable");
        row("logger stops answering after a block", "stop", 400, 4, true, noWakeUp, switchedOn);
        row("device unplugged in the middle of a block", "hang-up", 400, 5, false,
            "the line was lost", "still plugged in");
        row("port missing", "missing", 400, -1, false, "No such file or directory", "[Ports]");
        row("port in use", "busy", 400, -1, false, "busy", "in use by another program");
    }
    void failureEndsInOneMessage()
    {
        QFETCH(QString, failure);
        QFETCH(int, startMSec);
        QFETCH(int, lastFrame);
        QFETCH(bool, timesOut);
        QFETCH(QString, reason);
        QFETCH(QString, advice);
        LoggerSimulator::Options options;
        options.memory = LinkFixture::pattern(500);
        LoggerSimulator::Faults &f = options.faults;
        f.silent = failure == QLatin1String("silent");
        f.shortReplyCommand = failure == QLatin1String("short") ? NERUComm::kReadDataLength : -1;
        f.stopAfterBlocks = failure == QLatin1String("stop") ? 1 : -1;
        f.hangUpAfterBlocks = failure == QLatin1String("hang-up") ? 1 : -1;
        const qint64 start = LinkFixture::at(14, 5, 8, startMSec);
        LinkFixture link(options, LinkFixture::Time::Fake, start);
        QVERIFY(link.start());
        PortDevices otherDevices;
        otherDevices.setDevice(1, link.simulator.devicePath());
        SerialPortControl otherProgram(otherDevices);
        if (failure == QLatin1String("missing"))
            link.devices.setDevice(1, link.folder.filePath(QStringLiteral("ttyUSB9")));
        if (failure == QLatin1String("busy")) {
            otherProgram.setCommPort(1);
            otherProgram.open();
        }
        link.comm.bytReply = QByteArray("earlier");
        link.comm.getRawData();
        QCOMPARE(link.messages.shown.size(), 1);
        const RecordingMessages::Message &message = link.messages.shown.first();
        QCOMPARE(message.kind, LinkMessages::Kind::Failure);
        QCOMPARE(message.text, kCommunicationError);
        QVERIFY2(message.detail.contains(reason), qPrintable(message.detail));
        QVERIFY2(message.detail.contains(advice), qPrintable(message.detail));
        QVERIFY2(link.eventLog().contains(reason), qPrintable(link.eventLog()));
        QVERIFY(link.eventLog().contains(QStringLiteral(" in pollNERU(NERUComm)")));
        QVERIFY(!link.port.isOpen());
        QVERIFY(!link.progress.visible);
        // The download counts for nothing, though the block that came whole stays; the failed
        // exchange leaves the last whole reply in bytReply.
        QCOMPARE(link.comm.lngDownloadLength, 0);
        const QByteArray wholeBlocks = lastFrame > 3 ? options.memory.left(128) : QByteArray();
        QCOMPARE(link.comm.bytDownload, wholeBlocks);
        QCOMPARE(link.comm.bytReply, wholeBlocks.isEmpty() ? QByteArray("earlier") : wholeBlocks);
        QCOMPARE(link.frameTimes.size(), lastFrame + 1);
        const qint64 from = lastFrame >= 0 ? link.frameTimes.at(lastFrame).atMSecs : start;
        // More than three whole seconds: the fourth second boundary after the wait began.
        if (timesOut)
            QCOMPARE(link.now(), (from / 1000 + 4) * 1000);
        else
            QVERIFY2(link.now() - from < 3000, qPrintable(QString::number(link.now() - from)));
    }

    void permissionDeniedSaysHowToGetAccess_data()
    {
        QTest::addColumn<bool>("groupMayUseIt");
        QTest::addColumn<QString>("advice");
        QTest::newRow("the device's group may use it")
            << true
            << QStringLiteral("belongs to the group \"dialout\". Add your user to it with "
                              "\"sudo usermod -aG dialout $USER\"");
        QTest::newRow("only the owner may use it")
            << false << QStringLiteral("Only its owner may use");
    }
    void permissionDeniedSaysHowToGetAccess()
    {
        QFETCH(bool, groupMayUseIt);
        QFETCH(QString, advice);
        LinkFixture link;
        QVERIFY(link.start());
        const QByteArray device = QFile::encodeName(link.simulator.devicePath());
        const bool root = ::geteuid() == 0;
        if (groupMayUseIt) {
            if (!root)
                QSKIP("Only root can hand the device to the dialout group");
            const group *dialout = ::getgrnam("dialout");
            if (!dialout)
                QSKIP("This system has no dialout group");
            QCOMPARE(::chown(device.constData(), static_cast<uid_t>(-1), dialout->gr_gid), 0);
            QCOMPARE(::chmod(device.constData(), 0660), 0);
        } else {
            QCOMPARE(::chmod(device.constData(), root ? 0600 : 0), 0);
        }
        {
            // Root may open anything: try as nobody instead.
            const EffectiveUser nobody(root ? 65534 : ::geteuid());
            if (root && !nobody.changed())
                QSKIP("Cannot act as another user here");
            QCOMPARE(link.comm.getDateAndTime(), true);
        }
        QCOMPARE(link.messages.texts(), QStringList { kCommunicationError });
        const QString detail = link.messages.shown.first().detail;
        QVERIFY2(
            detail.contains(link.simulator.devicePath() + QStringLiteral(": Permission denied")),
            qPrintable(detail));
        QVERIFY2(detail.contains(advice), qPrintable(detail));
        QVERIFY(link.framesOnTheLine().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLinkFailures)
#include "tst_LinkFailures.moc"
