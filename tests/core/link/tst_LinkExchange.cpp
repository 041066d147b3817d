#include "LinkFixture.h"

#include <QtTest>

// One exchange, pollNERU, on a fake clock against the simulator: the wake-up, the pause
// to the next clock second, the fixed-length reply, and what may not interrupt it.
// Time-outs and failures are in tst_LinkFailures.
class TestLinkExchange : public QObject
{
    Q_OBJECT

private slots:
    void commandWaitsForTheNextClockSecond_data();
    void commandWaitsForTheNextClockSecond();
    void longerReplyStaysWhole();
    void framesWithoutReplyDoNotWait_data();
    void framesWithoutReplyDoNotWait();
    void exchangesWhileDownloadingAreRefused();
    void waitsKeepEventsFlowing();
};

void TestLinkExchange::commandWaitsForTheNextClockSecond_data()
{
    QTest::addColumn<qint64>("start");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<qint64>("commandAt"); // -1: whenever the wake-up reply has settled
    const qint64 boundary = LinkFixture::at(14, 5, 9);
    QTest::newRow("wake-up on a second boundary: a whole second")
        << LinkFixture::at(14, 5, 8, 0) << QString() << boundary;
    QTest::newRow("mid-second") << LinkFixture::at(14, 5, 8, 400) << QString() << boundary;
    QTest::newRow("just before the boundary: a millisecond")
        << LinkFixture::at(14, 5, 8, 999) << QString() << boundary;
    // The first wake-up byte lands a millisecond before the second changes; the rest must
    // not spill into the reply to the command.
    QTest::newRow("wake-up reply still arriving at the boundary")
        << LinkFixture::at(14, 5, 8, 999) << QStringLiteral("split") << qint64(-1);
    QTest::newRow("stray bytes before the wake-up reply")
        << LinkFixture::at(14, 5, 8, 999) << QStringLiteral("garbage") << qint64(-1);
}

void TestLinkExchange::commandWaitsForTheNextClockSecond()
{
    QFETCH(qint64, start);
    QFETCH(QString, fault);
    QFETCH(qint64, commandAt);
    LoggerSimulator::Options options;
    options.memory = QByteArray(0x0123, 'd');
    if (fault == QLatin1String("split"))
        options.faults.splitWakeUpMSecs = 15;
    if (fault == QLatin1String("garbage"))
        options.faults.garbageCommand = NERUComm::kReadClock;
    LinkFixture link(options, LinkFixture::Time::Fake, start);
    QVERIFY(link.start());
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadDataLength, 0), false);
    QCOMPARE(link.comm.bytReply.toHex(), QByteArray("0123"));
    QVERIFY(link.messages.shown.isEmpty());
    QVERIFY(!link.port.isOpen());
    QCOMPARE(link.framesOnTheLine(), QStringLiteral("01 0d"));
    QCOMPARE(link.frameTimes.at(0).atMSecs, start);
    if (commandAt >= 0)
        QCOMPARE(link.frameTimes.at(1).atMSecs, commandAt);
}

void TestLinkExchange::longerReplyStaysWhole()
{
    LoggerSimulator::Options options;
    options.faults.garbageCommand = NERUComm::kReadGeneralInfo;
    LinkFixture link(options);
    QVERIFY(link.start());
    QCOMPARE(link.comm.pollNERU(NERUComm::kReadGeneralInfo, 0), false);
    // Five stray bytes, then the sixteen of the reply: nothing is cut off.
    QCOMPARE(link.comm.bytReply.size(), 21);
    QCOMPARE(link.comm.bytReply.mid(5, 6), QByteArray("000001"));
}

void TestLinkExchange::framesWithoutReplyDoNotWait_data()
{
    QTest::addColumn<qint32>("command");
    QTest::addColumn<QString>("frames");
    QTest::newRow("set clock") << NERUComm::kSetClock << QStringLiteral("01 020e050909030102");
    QTest::newRow("clear memory") << NERUComm::kClearMemory << QStringLiteral("01 0f");
}

void TestLinkExchange::framesWithoutReplyDoNotWait()
{
    QFETCH(qint32, command);
    QFETCH(QString, frames);
    LinkFixture link;
    QVERIFY(link.start());
    link.comm.bytReply = QByteArray("earlier");
    QCOMPARE(link.comm.pollNERU(command, 0), false);
    const int waits = link.fakeTime.waits();
    // Sent at the second boundary and the exchange is over at once, with whatever was
    // buffered (nothing) as the reply.
    QCOMPARE(link.now(), LinkFixture::at(14, 5, 9));
    QVERIFY(!link.port.isOpen());
    QVERIFY(link.comm.bytReply.isEmpty());
    // The frame was on its way whole before the port closed.
    QTRY_COMPARE(link.framesOnTheLine(), frames);
    QCOMPARE(link.fakeTime.waits(), waits);
}

void TestLinkExchange::exchangesWhileDownloadingAreRefused()
{
    LoggerSimulator::Options options;
    options.memory = LinkFixture::pattern(300);
    LinkFixture link(options);
    QVERIFY(link.start());
    bool tried = false;
    QList<bool> refused;
    qint32 lengthSeen = -1;
    link.fakeTime.duringWait = [&] {
        if (link.progress.values.size() == 2 && !tried) {
            tried = true;
            // A second Interrogate must not empty the download under way, nor find a
            // length that would have it save the blocks read so far.
            link.comm.getRawData();
            lengthSeen = link.comm.lngDownloadLength;
            refused = { link.comm.getDateAndTime(), link.comm.reprogramNERU(),
                        link.comm.pollNERU(NERUComm::kReadGeneralInfo, 0) };
        }
    };
    link.comm.getRawData();
    QCOMPARE(refused, (QList<bool> { true, true, true }));
    QCOMPARE(lengthSeen, 0);
    QCOMPARE(link.comm.lngDownloadLength, 300);
    QCOMPARE(link.comm.bytDownload.left(300), options.memory);
    QCOMPARE(link.progress.shows, 1);
    QCOMPARE(link.framesOnTheLine(), QStringLiteral("01 0d 01 0e00 01 0e01 01 0e02"));
    QVERIFY(link.messages.shown.isEmpty());
    QVERIFY(link.eventLog().contains(QStringLiteral("Refused")));
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
