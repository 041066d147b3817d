#include "LinkFixture.h"

#include <QtTest>

namespace {

const QString kCommunicationError
    = QStringLiteral("An error has occurred communicating with the NERU unit\r\n"
                     "Check the COM port and cable and then try again");

qint64 at(int hour, int minute, int second, int msec)
{
    return LinkFixture::msecsAt(QDate(2001, 9, 3), QTime(hour, minute, second, msec));
}

} // namespace

// One exchange, pollNERU, on a fake clock against the simulator: the wake-up, the pause
// to the next clock second, the fixed-length reply and the 3-second time-outs.
class TestLinkExchange : public QObject
{
    Q_OBJECT

private slots:
    void replyLandsInBytReply();
    void commandWaitsForTheNextClockSecond_data();
    void commandWaitsForTheNextClockSecond();
    void silentLoggerTimesOutBetweenThreeAndFourSeconds_data();
    void silentLoggerTimesOutBetweenThreeAndFourSeconds();
    void shortReplyTimesOutAndIsNotKept();
    void longerReplyStaysWhole();
    void framesWithoutReplyDoNotWait_data();
    void framesWithoutReplyDoNotWait();
    void wakeUpReplyNeverSpillsIntoTheReply_data();
    void wakeUpReplyNeverSpillsIntoTheReply();
    void secondExchangeWhileWaitingIsRefused();
    void operationsWhileDownloadingAreRefused();
    void waitsKeepEventsFlowing();
};

void TestLinkExchange::replyLandsInBytReply()
{
    LoggerSimulator::Options options;
    options.clock = QDateTime(QDate(2001, 9, 3), QTime(14, 5, 9));
    LinkFixture link(options);
    QVERIFY(link.start());
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadClock, 0), false);
    QCOMPARE(link.comm.bytReply.size(), 7);
    QCOMPARE(link.comm.bytReply.left(6).toHex(), QByteArray("0e0509090301"));
    QVERIFY(link.messages.shown.isEmpty());
    QVERIFY(!link.port.isOpen());
}

void TestLinkExchange::commandWaitsForTheNextClockSecond_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<qint64>("commandAt");
    QTest::newRow("wake-up on a second boundary: a whole second")
        << at(14, 5, 8, 0) << at(14, 5, 9, 0);
    QTest::newRow("mid-second") << at(14, 5, 8, 400) << at(14, 5, 9, 0);
    QTest::newRow("just before the boundary: a millisecond")
        << at(14, 5, 8, 999) << at(14, 5, 9, 0);
}

void TestLinkExchange::commandWaitsForTheNextClockSecond()
{
    QFETCH(qint64, start);
    QFETCH(qint64, commandAt);
    LinkFixture link({}, LinkFixture::Time::Fake, start);
    QVERIFY(link.start());
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadDataLength, 0), false);
    QCOMPARE(link.frameTimes.size(), 2);
    QCOMPARE(link.frameTimes.at(0).bytes.toHex(), QByteArray("01"));
    QCOMPARE(link.frameTimes.at(0).atMSecs, start);
    QCOMPARE(link.frameTimes.at(1).bytes.toHex(), QByteArray("0d"));
    QCOMPARE(link.frameTimes.at(1).atMSecs, commandAt);
}

void TestLinkExchange::silentLoggerTimesOutBetweenThreeAndFourSeconds_data()
{
    QTest::addColumn<qint64>("start");
    QTest::newRow("start on a boundary: four seconds") << at(14, 5, 8, 0);
    QTest::newRow("start mid-second") << at(14, 5, 8, 500);
    QTest::newRow("start just before a boundary: just over three seconds") << at(14, 5, 8, 999);
}

void TestLinkExchange::silentLoggerTimesOutBetweenThreeAndFourSeconds()
{
    QFETCH(qint64, start);
    LoggerSimulator::Options options;
    options.faults.silent = true;
    LinkFixture link(options, LinkFixture::Time::Fake, start);
    QVERIFY(link.start());
    link.comm.bytReply = QByteArray("earlier");
    qint64 failedAt = -1;
    link.fakeTime.duringWait = [&] { failedAt = link.now(); };
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadDataLength, 0), true);
    const qint64 elapsed = link.now() - start;
    QVERIFY2(elapsed > 3000 && elapsed <= 4000, qPrintable(QString::number(elapsed)));
    // Four whole seconds after the one the wait began in.
    QCOMPARE(link.now(), (start / 1000 + 4) * 1000);
    QVERIFY(failedAt <= link.now());
    QCOMPARE(link.messages.shown.size(), 1);
    QCOMPARE(link.messages.shown.first().kind, LinkMessages::Kind::Failure);
    QCOMPARE(link.messages.shown.first().text, kCommunicationError);
    QVERIFY(link.messages.shown.first().detail.contains(QStringLiteral("no reply")));
    QCOMPARE(link.comm.bytReply, QByteArray("earlier"));
    QVERIFY(!link.port.isOpen());
    QCOMPARE(link.frames().size(), 1); // the wake-up only
    QVERIFY(link.eventLog().contains(QStringLiteral("in pollNERU(NERUComm)")));
}

void TestLinkExchange::shortReplyTimesOutAndIsNotKept()
{
    LoggerSimulator::Options options;
    options.faults.shortReplyCommand = NERUComm::kReadGeneralInfo;
    LinkFixture link(options);
    QVERIFY(link.start());
    link.comm.bytReply = QByteArray("earlier");
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadGeneralInfo, 0), true);
    QCOMPARE(link.frameTimes.size(), 2);
    const qint64 sentAt = link.frameTimes.at(1).atMSecs;
    const qint64 waited = link.now() - sentAt;
    QVERIFY2(waited > 3000 && waited <= 4000, qPrintable(QString::number(waited)));
    QCOMPARE(link.messages.shown.size(), 1);
    QCOMPARE(link.messages.shown.first().text, kCommunicationError);
    QVERIFY2(link.messages.shown.first().detail.contains(QStringLiteral("only 8 of the 16 bytes")),
             qPrintable(link.messages.shown.first().detail));
    QCOMPARE(link.comm.bytReply, QByteArray("earlier"));
    QVERIFY(!link.port.isOpen());
}

void TestLinkExchange::longerReplyStaysWhole()
{
    LoggerSimulator::Options options;
    options.faults.garbageCommand = NERUComm::kReadGeneralInfo;
    LinkFixture link(options);
    QVERIFY(link.start());
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadGeneralInfo, 0), false);
    // Five stray bytes, then the sixteen of the reply: nothing is cut off.
    QTRY_COMPARE(link.port.isOpen(), false);
    QCOMPARE(link.comm.bytReply.size(), 21);
    QCOMPARE(link.comm.bytReply.mid(5, 6), QByteArray("000001"));
}

void TestLinkExchange::framesWithoutReplyDoNotWait_data()
{
    QTest::addColumn<qint32>("command");
    QTest::newRow("set clock") << NERUComm::kSetClock;
    QTest::newRow("clear memory") << NERUComm::kClearMemory;
}

void TestLinkExchange::framesWithoutReplyDoNotWait()
{
    QFETCH(qint32, command);
    LoggerSimulator::Options options;
    options.memory = QByteArray(500, 'm');
    LinkFixture link(options);
    QVERIFY(link.start());
    link.comm.bytReply = QByteArray("earlier");
    int waitsAfterSend = -1;
    QCOMPARE(link.comm.pollNERU(command, 0), false);
    waitsAfterSend = link.fakeTime.waits();
    // Sent at the second boundary and the exchange is over at once.
    QCOMPARE(link.now() % 1000, qint64(0));
    QVERIFY(!link.port.isOpen());
    QVERIFY(link.comm.bytReply.isEmpty());
    // The frame was on its way whole before the port closed.
    QTRY_COMPARE(link.frames().size(), 2);
    QCOMPARE(link.frames().at(1).size(), command == NERUComm::kSetClock ? 8 : 1);
    QCOMPARE(link.fakeTime.waits(), waitsAfterSend);
    if (command == NERUComm::kClearMemory)
        QVERIFY(link.simulator.memory().isEmpty());
}

void TestLinkExchange::wakeUpReplyNeverSpillsIntoTheReply_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("wake-up reply still arriving at the boundary")
        << QStringLiteral("split wake-up");
    QTest::newRow("stray bytes before the wake-up reply") << QStringLiteral("garbage");
}

void TestLinkExchange::wakeUpReplyNeverSpillsIntoTheReply()
{
    QFETCH(QString, fault);
    LoggerSimulator::Options options;
    options.memory = QByteArray(0x0123, 'd');
    if (fault == QLatin1String("split wake-up"))
        options.faults.splitWakeUpMSecs = 15;
    else
        options.faults.garbageCommand = NERUComm::kReadClock;
    // The first wake-up byte lands a millisecond before the second changes.
    LinkFixture link(options, LinkFixture::Time::Fake, at(14, 5, 8, 999));
    QVERIFY(link.start());
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadDataLength, 0), false);
    QCOMPARE(link.comm.bytReply.toHex(), QByteArray("0123"));
}

void TestLinkExchange::secondExchangeWhileWaitingIsRefused()
{
    LinkFixture link;
    QVERIFY(link.start());
    int nested = 0;
    bool nestedResult = false;
    link.fakeTime.duringWait = [&] {
        if (nested++ == 0)
            nestedResult = link.comm.pollNERU(NERUComm::kReadGeneralInfo, 0);
    };
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadDataLength, 0), false);
    QCOMPARE(nestedResult, true);
    QCOMPARE(link.comm.bytReply.size(), 2);
    QVERIFY(link.messages.shown.isEmpty());
    QStringList frames;
    for (const QByteArray &frame : link.frames())
        frames.append(QString::fromLatin1(frame.toHex()));
    QCOMPARE(frames, (QStringList { QStringLiteral("01"), QStringLiteral("0d") }));
    QVERIFY(link.eventLog().contains(QStringLiteral("Refused")));
}

void TestLinkExchange::operationsWhileDownloadingAreRefused()
{
    LoggerSimulator::Options options;
    options.memory = QByteArray(300, 'd');
    LinkFixture link(options);
    QVERIFY(link.start());
    bool tried = false;
    bool clockFailed = false;
    qint32 lengthSeen = -1;
    link.fakeTime.duringWait = [&] {
        if (link.progress.values.size() == 2 && !tried) {
            tried = true;
            // A second Interrogate must not empty the download under way, nor find a
            // length that would have it save the blocks read so far.
            link.comm.getRawData();
            lengthSeen = link.comm.lngDownloadLength;
            clockFailed = link.comm.getDateAndTime();
        }
    };
    link.comm.getRawData();
    QVERIFY(tried);
    QVERIFY(clockFailed);
    QCOMPARE(lengthSeen, 0);
    QCOMPARE(link.comm.lngDownloadLength, 300);
    QCOMPARE(link.comm.bytDownload.left(300), options.memory);
    QCOMPARE(link.progress.shows, 1);
    QCOMPARE(link.frames().size(), 8);
}

void TestLinkExchange::waitsKeepEventsFlowing()
{
    LinkFixture link({}, LinkFixture::Time::Real);
    QVERIFY(link.start());
    // Start just after a second boundary, so that the pause lasts most of a second.
    QTest::qWait(static_cast<int>(1000 - QDateTime::currentMSecsSinceEpoch() % 1000) + 20);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(50);
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadDataLength, 0), false);
    QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
    QCOMPARE(link.comm.bytReply.size(), 2);
}

QTEST_GUILESS_MAIN(TestLinkExchange)
#include "tst_LinkExchange.moc"
