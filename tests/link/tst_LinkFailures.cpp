#include "LinkFixture.h"

#include <QtTest>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCommunicationError
    = QStringLiteral("An error has occurred communicating with the NERU unit\r\n"
                     "Check the COM port and cable and then try again");

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

// Whatever the line does, an exchange ends within 3 to 4 seconds of its last frame with
// the one communication error, the port closed and the reason in the event log. These
// run on the real clock.
class TestLinkFailures : public QObject
{
    Q_OBJECT

private slots:
    void failureEndsInOneMessage_data();
    void failureEndsInOneMessage();
    void permissionDeniedSaysHowToGetAccess_data();
    void permissionDeniedSaysHowToGetAccess();
};

void TestLinkFailures::failureEndsInOneMessage_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("lastFrame"); // index of the frame left unanswered; -1: none sent
    QTest::addColumn<bool>("timesOut");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("advice");

    QTest::newRow("logger silent")
        << QStringLiteral("silent") << 0 << true << QStringLiteral("no reply to the wake-up")
        << QStringLiteral("switched on");
    QTest::newRow("short reply") << QStringLiteral("short") << 1 << true
                                 << QStringLiteral("only 1 of the 2 bytes")
                                 << QStringLiteral("Check the cable");
    QTest::newRow("logger stops answering after a block")
        << QStringLiteral("stop") << 4 << true << QStringLiteral("no reply to the wake-up")
        << QStringLiteral("switched on");
    QTest::newRow("device unplugged in the middle of a block")
        << QStringLiteral("hang-up") << 5 << false << QStringLiteral("the line was lost")
        << QStringLiteral("still plugged in");
    QTest::newRow("port missing") << QStringLiteral("missing") << -1 << false
                                  << QStringLiteral("No such file or directory")
                                  << QStringLiteral("[Ports]");
    QTest::newRow("port in use") << QStringLiteral("busy") << -1 << false << QStringLiteral("busy")
                                 << QStringLiteral("in use by another program");
}

void TestLinkFailures::failureEndsInOneMessage()
{
    QFETCH(QString, failure);
    QFETCH(int, lastFrame);
    QFETCH(bool, timesOut);
    QFETCH(QString, reason);
    QFETCH(QString, advice);

    LoggerSimulator::Options options;
    options.memory = QByteArray(500, 'd');
    LoggerSimulator::Faults &f = options.faults;
    f.silent = failure == QLatin1String("silent");
    f.shortReplyCommand = failure == QLatin1String("short") ? NERUComm::kReadDataLength : -1;
    f.stopAfterBlocks = failure == QLatin1String("stop") ? 1 : -1;
    f.hangUpAfterBlocks = failure == QLatin1String("hang-up") ? 1 : -1;
    LinkFixture link(options, LinkFixture::Time::Real);
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

    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    link.comm.getRawData();

    QCOMPARE(link.messages.shown.size(), 1);
    const RecordingMessages::Message &message = link.messages.shown.first();
    QCOMPARE(message.kind, LinkMessages::Kind::Failure);
    QCOMPARE(message.text, kCommunicationError);
    QVERIFY2(message.detail.contains(reason), qPrintable(message.detail));
    QVERIFY2(message.detail.contains(advice), qPrintable(message.detail));
    QVERIFY2(link.eventLog().contains(reason), qPrintable(link.eventLog()));
    QCOMPARE(link.comm.lngDownloadLength, 0);
    QVERIFY(!link.port.isOpen());
    QVERIFY(!link.progress.visible);

    const qint64 from = lastFrame >= 0 ? link.frameTimes.value(lastFrame).atMSecs : start;
    QCOMPARE(link.frameTimes.size(), lastFrame + 1);
    const qint64 took = message.atMSecs - from;
    // Whole seconds: more than three of them have passed between 3 and 4 s after the
    // wait began, a little before the simulator saw the frame.
    if (timesOut)
        QVERIFY2(took >= 2950, qPrintable(QString::number(took)));
    QVERIFY2(took <= 4300, qPrintable(QString::number(took)));
}

void TestLinkFailures::permissionDeniedSaysHowToGetAccess_data()
{
    QTest::addColumn<bool>("groupMayUseIt");
    QTest::addColumn<QString>("advice");
    QTest::newRow("the device's group may use it")
        << true
        << QStringLiteral("belongs to the group \"dialout\". Add your user to it with "
                          "\"sudo usermod -aG dialout $USER\"");
    QTest::newRow("only the owner may use it") << false << QStringLiteral("Only its owner may use");
}

void TestLinkFailures::permissionDeniedSaysHowToGetAccess()
{
    QFETCH(bool, groupMayUseIt);
    QFETCH(QString, advice);
    LinkFixture link(LoggerSimulator::Options(), LinkFixture::Time::Real);
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
    QCOMPARE(link.messages.shown.size(), 1);
    const RecordingMessages::Message &message = link.messages.shown.first();
    QCOMPARE(message.text, kCommunicationError);
    QVERIFY2(message.detail.contains(link.simulator.devicePath()
                                     + QStringLiteral(": Permission denied")),
             qPrintable(message.detail));
    QVERIFY2(message.detail.contains(advice), qPrintable(message.detail));
    QVERIFY(link.frames().isEmpty());
}

QTEST_GUILESS_MAIN(TestLinkFailures)
#include "tst_LinkFailures.moc"
