#include "LinkFixture.h"

#include <QtTest>

// One exchange, pollNERU, on a fake clock against the simulator: the wake-up, the pause
// to the next clock second, the fixed-length reply, and what may not interrupt it.
// Time-outs and failures are in tst_LinkFailures.
class TestLinkExchange : public QObject
{
    Q_OBJECT

private slots:
    void commandWaitsForTheNextClockSecond_data()
    {
        QTest::addColumn<int>("startMSec"); // within 14:05:08
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("onTheBoundary"); // else whenever the wake-up reply has settled
        QTest::newRow("wake-up on a second boundary: a whole second") << 0 << "" << true;
        QTest::newRow("just before the boundary: a millisecond") << 999 << "" << true;
        // The first wake-up byte lands a millisecond before the second changes; the rest
        // must not spill into the reply to the command.
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
        options.faults.splitWakeUpMSecs = fault == QLatin1String("split") ? 15 : -1;
        options.faults.garbageCommand
            = fault == QLatin1String("garbage") ? NERUComm::kReadClock : -1;
        const qint64 start = LinkFixture::at(14, 5, 8, startMSec);
        LinkFixture link(options, LinkFixture::Time::Fake, start);
        QVERIFY(link.start());
        QCOMPARE(link.comm.pollNERU(NERUComm::kReadDataLength, 0), false);
        QCOMPARE(link.comm.bytReply.toHex(), QByteArray("0123"));
        QVERIFY(link.messages.shown.isEmpty());
        QVERIFY(!link.port.isOpen());
        QCOMPARE(link.framesOnTheLine(), QStringLiteral("01 0d"));
        QCOMPARE(link.frameTimes.at(0).atMSecs, start);
        if (onTheBoundary)
            QCOMPARE(link.frameTimes.at(1).atMSecs, LinkFixture::at(14, 5, 9));
    }

    void longerReplyStaysWhole()
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

    void framesWithoutReplyDoNotWait_data()
    {
        QTest::addColumn<qint32>("command");
        QTest::addColumn<QString>("frames");
        QTest::newRow("set clock") << NERUComm::kSetClock << "01 020e050909030102";
        QTest::newRow("clear memory") << NERUComm::kClearMemory << "01 0f";
    }
    void framesWithoutReplyDoNotWait()
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
        QTRY_COMPARE(link.framesOnTheLine(), frames);
        QCOMPARE(link.fakeTime.waits(), waits);
    }

    void exchangesWhileDownloadingAreRefused()
    {
        LoggerSimulator::Options options;
        options.memory = LinkFixture::pattern(300);
        LinkFixture link(options);
        QVERIFY(link.start());
        QList<bool> refused;
        qint32 lengthSeen = -1;
        link.fakeTime.duringWait = [&] {
            if (link.progress.values.size() == 2 && refused.isEmpty()) {
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

    void waitsOnTheRealClockLetEventsRun()
    {
        LinkFixture link({}, LinkFixture::Time::Real);
        QVERIFY(link.start());
        // Due at once, it can run inside the exchange only if the waits let events through.
        bool ranDuringTheExchange = false;
        QTimer::singleShot(0, [&] { ranDuringTheExchange = link.port.isOpen(); });
        QCOMPARE(link.comm.pollNERU(NERUComm::kReadDataLength, 0), false);
        QVERIFY(ranDuringTheExchange);
        QCOMPARE(link.comm.bytReply.size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestLinkExchange)
#include "tst_LinkExchange.moc"
