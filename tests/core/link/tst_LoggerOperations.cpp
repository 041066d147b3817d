#include "LinkFixture.h"

#include "DateTime.h"

#include <QtTest>

namespace {

double dateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateTime::fromQDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
}

const QStringList kOperations { QStringLiteral("getDateAndTime"), QStringLiteral("getGeneralInfo"),
                                QStringLiteral("programRTC"), QStringLiteral("reprogramNERU") };

} // namespace

// The logger operations over the simulator on a fake clock: what each reads, decodes,
// shows and keeps.
class TestLoggerOperations : public QObject
{
    Q_OBJECT

private slots:
    void clockReplyIsDecoded_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<double>("clock");
        QTest::newRow("Monday 2001-09-03 14:05:09")
            << QByteArray::fromHex("0e050909030102") << dateTime(2001, 9, 3, 14, 5, 9);
        QTest::newRow("a wrong weekday is ignored")
            << QByteArray::fromHex("0e050909030107") << dateTime(2001, 9, 3, 14, 5, 9);
        // Out-of-range parts carry over as in every date the program builds.
        QTest::newRow("month 13 is January of the next year")
            << QByteArray::fromHex("0000000d010101") << dateTime(2002, 1, 1);
    }
    void clockReplyIsDecoded()
    {
        QFETCH(QByteArray, reply);
        QFETCH(double, clock);
        LoggerSimulator::Options options;
        options.replies.insert(NERUComm::kReadClock, reply);
        LinkFixture link(options);
        QVERIFY(link.start());
        QCOMPARE(link.comm.getDateAndTime(), false);
        QCOMPARE(link.comm.dteLoggerClock, clock);
        QVERIFY(link.messages.shown.isEmpty());
    }

    void generalInfoIsDecodedByteForByte()
    {
        LoggerSimulator::Options options;
        const QByteArray serialNumber("AB\0"
                                      "12\xE9",
                                      6);
        options.replies.insert(NERUComm::kReadGeneralInfo,
                               serialNumber + QByteArray::fromHex("0609140107") + "V1.02");
        LinkFixture link(options);
        QVERIFY(link.start());
        QCOMPARE(link.comm.getGeneralInfo(), false);
        // The zero byte stays, nothing is trimmed.
        QCOMPARE(link.comm.strSerialNumber, QString::fromLatin1(serialNumber));
        QCOMPARE(link.comm.dteCalibration, dateTime(2001, 9, 6));
        QCOMPARE(link.comm.lngIdentification, 7);
        QCOMPARE(link.comm.strVersion, QStringLiteral("V1.02"));
    }

    void undecodableGeneralInfoGoesToTheErrorReport()
    {
        LoggerSimulator::Options options;
        // Century 255: a calibration year the calendar cannot hold.
        options.replies.insert(NERUComm::kReadGeneralInfo,
                               "SN0001" + QByteArray::fromHex("0609ff0107") + "V1.02");
        LinkFixture link(options);
        QVERIFY(link.start());
        link.comm.strSerialNumber = QStringLiteral("before");
        QCOMPARE(link.comm.getGeneralInfo(), true);
        QCOMPARE(link.comm.strSerialNumber, QStringLiteral("before"));
        QVERIFY(link.messages.shown.isEmpty());
        QVERIFY2(link.eventLog().contains(QStringLiteral(
                     "Invalid procedure call or argument in getGeneralInfo(NERUComm)")),
                 qPrintable(link.eventLog()));
    }

    void failedOperationsKeepEarlierValuesAndSayNoMore()
    {
        LoggerSimulator::Options options;
        options.serialNumber = "XY9876";
        options.clock = QDateTime(QDate(2001, 9, 3), QTime(14, 5, 9));
        LinkFixture link(options);
        QVERIFY(link.start());
        QCOMPARE(link.comm.getDateAndTime(), false);
        QCOMPARE(link.comm.getGeneralInfo(), false);
        const double clock = link.comm.dteLoggerClock;
        LoggerSimulator::Faults silent;
        silent.silent = true;
        link.simulator.setFaults(silent);
        for (const QString &operation : kOperations)
            QVERIFY2(link.run(operation), qPrintable(operation));
        QCOMPARE(link.comm.dteLoggerClock, clock);
        QCOMPARE(link.comm.strSerialNumber, QStringLiteral("XY9876"));
        QCOMPARE(link.comm.dteCalibration, dateTime(2001, 9, 6));
        // The communication error only: no success message for the clock or the memory.
        QCOMPARE(link.messages.texts(), QStringList(4, kCommunicationError));
    }

    void operationsNeedALoggerPort_data()
    {
        QTest::addColumn<qint16>("port");
        QTest::newRow("0, the hidden Test entry") << qint16(0);
        QTest::newRow("5") << qint16(5);
    }
    void operationsNeedALoggerPort()
    {
        QFETCH(qint16, port);
        LinkFixture link;
        QVERIFY(link.start());
        link.comm.intCOMPort = port;
        for (const QString &operation : kOperations)
            QVERIFY2(link.run(operation), qPrintable(operation));
        QVERIFY(link.messages.shown.isEmpty());
        // An exchange on COM1 after them: its frames are the first on the line.
        link.comm.intCOMPort = 1;
        QVERIFY(!link.run(QStringLiteral("getDateAndTime")));
        QCOMPARE(link.framesOnTheLine(), QStringLiteral("01 01"));
    }

    void downloadReadsLengthThenBlocks_data()
    {
        QTest::addColumn<int>("loggerBytes");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<int>("downloadLength");
        QTest::newRow("0 bytes: nothing to read") << 0 << "No data found in NERU unit" << 0 << 0;
        QTest::newRow("256 bytes: one block beyond the data") << 256 << "" << 3 << 256;
        QTest::newRow("300 bytes") << 300 << "" << 3 << 300;
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
        link.comm.bytDownload = QByteArray("previous download");
        link.comm.getRawData();
        QCOMPARE(link.messages.texts(),
                 message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(link.comm.lngDownloadLength, downloadLength);
        QStringList frames { QStringLiteral("01 0d") };
        QList<qint32> values;
        for (int b = 0; b < blocks; ++b) {
            frames.append(QStringLiteral("01 0e%1").arg(b, 2, 16, QLatin1Char('0')));
            values.append(b);
        }
        QCOMPARE(link.framesOnTheLine(), frames.join(u' '));
        QCOMPARE(link.comm.bytDownload.size(), blocks * 128);
        QCOMPARE(link.comm.bytDownload.left(downloadLength), options.memory.left(downloadLength));
        QCOMPARE(link.progress.shows, blocks == 0 ? 0 : 1);
        QCOMPARE(link.progress.maximum, blocks == 0 ? -1 : blocks);
        QCOMPARE(link.progress.values, values);
        QVERIFY(!link.progress.visible);
    }

    void cancelTakesEffectAfterTheBlockInProgress_data()
    {
        QTest::addColumn<int>("cancelDuringBlock");
        QTest::newRow("during block 0") << 0;
        QTest::newRow("during block 5") << 5;
    }
    void cancelTakesEffectAfterTheBlockInProgress()
    {
        QFETCH(int, cancelDuringBlock);
        LoggerSimulator::Options options;
        options.memory = LinkFixture::pattern(1500);
        LinkFixture link(options);
        QVERIFY(link.start());
        // Cancel is pressed while the exchange for the block waits for the logger.
        link.fakeTime.duringWait = [&] {
            if (link.progress.values.size() == cancelDuringBlock + 1)
                link.progress.cancel = true;
        };
        link.comm.getRawData();
        QStringList frames { QStringLiteral("01 0d") };
        for (int b = 0; b <= cancelDuringBlock; ++b)
            frames.append(QStringLiteral("01 0e0%1").arg(b));
        QCOMPARE(link.framesOnTheLine(), frames.join(u' '));
        QCOMPARE(link.comm.lngDownloadLength, 0);
        QCOMPARE(link.progress.hides, 1);
        QVERIFY(!link.progress.visible);
        QVERIFY(link.messages.shown.isEmpty());
    }

    void fileModeReadsRawDataFromTheCurrentFolder_data()
    {
        QTest::addColumn<int>("fileBytes"); // -1: no file
        QTest::newRow("no rawdata.bin") << -1;
        QTest::newRow("empty rawdata.bin") << 0;
        QTest::newRow("40000 bytes: no limit from a file") << 40000;
    }
    void fileModeReadsRawDataFromTheCurrentFolder()
    {
        QFETCH(int, fileBytes);
        LinkFixture link;
        QVERIFY(link.start());
        link.comm.intCOMPort = 0;
        QTemporaryDir folder;
        const QByteArray bytes = LinkFixture::pattern(std::max(fileBytes, 0));
        if (fileBytes >= 0) {
            QFile file(folder.filePath(QStringLiteral("rawdata.bin")));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const auto restore = qScopeGuard([&] { QDir::setCurrent(previousFolder); });
        link.comm.getRawData();
        QCOMPARE(link.comm.lngDownloadLength, bytes.size());
        QCOMPARE(link.comm.bytDownload, bytes);
        const QString missing = QStringLiteral("Unable to find rawdata in ")
            + QDir::toNativeSeparators(QDir::currentPath());
        QCOMPARE(link.messages.texts(), fileBytes < 0 ? QStringList { missing } : QStringList());
        QVERIFY(link.framesOnTheLine().isEmpty());
        QCOMPARE(link.progress.shows, 0);
    }
};

QTEST_GUILESS_MAIN(TestLoggerOperations)
#include "tst_LoggerOperations.moc"
