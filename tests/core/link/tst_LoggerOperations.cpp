#include "LinkFixture.h"

#include "DateTime.h"

#include <QtTest>

using Operation = void (LoggerSession::*)();

// What each logger operation sends, reads, decodes, tells and keeps.
class TestLoggerOperations : public QObject
{
    Q_OBJECT

private slots:
    void operationsOnTheLine_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("readClock") << &LoggerSession::readClock << "01 01" << QString();
        QTest::newRow("readSettings") << &LoggerSession::readSettings << "01 01 01 12" << QString();
        // The frame and the message carry the PC's time after the pause to 14:05:09.
        QTest::newRow("setClock") << &LoggerSession::setClock << "01 020e050909030102"
                                  << "Date/Time has been set to 03/09/2001 14:05:09";
        QTest::newRow("clearMemory") << &LoggerSession::clearMemory << "01 0f"
                                     << "NERU memory has been cleared";
    }
    void operationsOnTheLine()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, frames);
        QFETCH(QString, message);
        LinkFixture link;
        QVERIFY(link.start());
        // Without a logger's port (0 is the hidden Test entry) it fails silently.
        for (const qint16 port : { 0, 5 }) {
            link.session.setPort(port);
            const LoggerResult result = link.run(operation);
            QCOMPARE(result.outcome, LoggerResult::Outcome::Failed);
            QVERIFY(result.message.isEmpty());
        }
        link.session.setPort(1);
        const LoggerResult result = link.run(operation);
        QVERIFY(result.done());
        // A frame without a reply reaches the simulator when it next gets to run.
        QTRY_COMPARE(link.framesOnTheLine(), frames);
        QCOMPARE(result.message.text, message);
        QCOMPARE(result.message.kind, LoggerMessage::Kind::Information);
        QVERIFY(link.notices.isEmpty());
        QCOMPARE(link.results.size(), 3);
    }

    void repliesAreDecodedByteForByte()
    {
        LoggerSimulator::Options options;
        // Monday 2001-09-03 14:05:09 said to be a Saturday: the weekday is not used.
        options.replies.insert(LoggerProtocol::kReadClock, QByteArray::fromHex("0e050909030107"));
        const QByteArray serialNumber = QByteArray::fromHex("4142003132e9"); // "AB", NUL, "12é"
        options.replies.insert(LoggerProtocol::kReadGeneralInfo,
                               serialNumber + QByteArray::fromHex("0609140107") + "V1.02");
        LinkFixture link(options);
        QVERIFY(link.start());
        const LoggerResult result = link.run(&LoggerSession::readSettings);
        QVERIFY(result.done());
        QCOMPARE(result.clock,
                 DateTime::fromQDateTime(QDateTime(QDate(2001, 9, 3), QTime(14, 5, 9))));
        // The zero byte stays, nothing is trimmed.
        QCOMPARE(result.serialNumber, QString::fromLatin1(serialNumber));
        QCOMPARE(result.calibration,
                 DateTime::fromQDateTime(QDateTime(QDate(2001, 9, 6), QTime(0, 0))));
        QCOMPARE(result.identification, 7);
        QCOMPARE(result.version, QStringLiteral("V1.02"));
        QVERIFY(result.message.isEmpty());
    }

    void undecodableGeneralInfoGoesToTheErrorReport()
    {
        LoggerSimulator::Options options;
        // Century 255: a calibration year the calendar cannot hold.
        options.replies.insert(LoggerProtocol::kReadGeneralInfo,
                               "SN0001" + QByteArray::fromHex("0609ff0107") + "V1.02");
        LinkFixture link(options);
        QVERIFY(link.start());
        const LoggerResult result = link.run(&LoggerSession::readSettings);
        QCOMPARE(result.outcome, LoggerResult::Outcome::Failed);
        QVERIFY(result.serialNumber.isEmpty());
        QVERIFY(result.message.isEmpty());
        QVERIFY2(link.eventLog().contains(QStringLiteral(
                     "Invalid procedure call or argument in getGeneralInfo(NERUComm)")),
                 qPrintable(link.eventLog()));
    }

    void downloadReadsLengthThenBlocks_data()
    {
        QTest::addColumn<int>("loggerBytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<int>("downloadLength");
        QTest::newRow("0 bytes: nothing to read") << 0 << "No data found in NERU unit" << 0 << 0;
        QTest::newRow("256 bytes: one block beyond the data") << 256 << "" << 3 << 256;
        QTest::newRow("32000 bytes: the most there is room for") << 32000 << "" << 251 << 32000;
        QTest::newRow("40000 bytes: cut to 32000")
            << 40000 << "Data memory limits have been exceeded some data may be lost" << 251
            << 32000;
    }
    void downloadReadsLengthThenBlocks()
    {
        QFETCH(int, loggerBytes);
        QFETCH(QString, message);
        QFETCH(int, blocks);
        QFETCH(int, downloadLength);
        LoggerSimulator::Options options;
        options.memory = LinkFixture::pattern(loggerBytes);
        LinkFixture link(options);
        QVERIFY(link.start());
        const LoggerResult result = link.run(&LoggerSession::download);
        // One thing at most is told: a notice on the way or the result's message.
        QCOMPARE(link.notices.isEmpty() ? result.message.text : link.notices.constLast().text,
                 message);
        QVERIFY(link.notices.size() + (result.message.isEmpty() ? 0 : 1) <= 1);
        QCOMPARE(result.wholeDownload, downloadLength > 0);
        QCOMPARE(result.download, options.memory.left(downloadLength));
        QStringList frames { QStringLiteral("01 0d") };
        QList<qint32> values;
        for (int b = 0; b < blocks; ++b) {
            frames.append(QStringLiteral("01 0e%1").arg(b, 2, 16, QLatin1Char('0')));
            values.append(b);
        }
        QCOMPARE(link.framesOnTheLine(), frames.join(u' '));
        QCOMPARE(link.blockCount, blocks == 0 ? -1 : blocks);
        QCOMPARE(link.blocks, values);
    }

    // During a download other operations are refused; a stop takes effect after the block.
    void downloadUnderWayRefusesOthersAndStopsAfterTheBlock()
    {
        LoggerSimulator::Options options;
        options.memory = LinkFixture::pattern(1500);
        LinkFixture link(options);
        QVERIFY(link.start());
        QObject::connect(&link.session, &LoggerSession::progress, [&](qint32 block) {
            if (block != 1)
                return;
            link.session.download();
            link.session.readClock();
            link.session.clearMemory();
            link.session.stop();
        });
        const LoggerResult result = link.run(&LoggerSession::download);
        QCOMPARE(result.outcome, LoggerResult::Outcome::Stopped);
        QCOMPARE(link.framesOnTheLine(), QStringLiteral("01 0d 01 0e00 01 0e01"));
        QVERIFY(!result.wholeDownload);
        QCOMPARE(result.download, options.memory.left(256));
        QVERIFY(result.message.isEmpty());
        QCOMPARE(link.eventLog().count(QStringLiteral("Refused")), 3);
        QTest::qWait(50);
        QCOMPARE(link.results.size(), 1);
    }

    // Port 0, the hidden Test entry, reads rawdata.bin from the current folder instead.
    void fileModeReadsRawDataFromTheCurrentFolder()
    {
        LinkFixture link;
        QVERIFY(link.start());
        link.session.setPort(0);
        QTemporaryDir folder;
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const auto restore = qScopeGuard([&] { QDir::setCurrent(previousFolder); });
        LoggerResult result = link.run(&LoggerSession::download);
        QCOMPARE(result.outcome, LoggerResult::Outcome::Failed);
        QCOMPARE(result.message.text,
                 QStringLiteral("Unable to find rawdata in ")
                     + QDir::toNativeSeparators(QDir::currentPath()));
        // No limit to what a file holds.
        const QByteArray bytes = LinkFixture::pattern(40000);
        QVERIFY(TempLog::writeAll(QStringLiteral("rawdata.bin"), bytes));
        result = link.run(&LoggerSession::download);
        QVERIFY(result.done() && result.wholeDownload);
        QCOMPARE(result.download, bytes);
        QVERIFY(result.message.isEmpty() && link.notices.isEmpty());
        QVERIFY(link.framesOnTheLine().isEmpty());
        QVERIFY(link.blocks.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLoggerOperations)
#include "tst_LoggerOperations.moc"
