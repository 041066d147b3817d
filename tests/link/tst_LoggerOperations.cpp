#include "LinkFixture.h"

#include "data/DateTime.h"

#include <QtTest>

namespace {

const QString kCommunicationError
    = QStringLiteral("An error has occurred communicating with the NERU unit\r\n"
                     "Check the COM port and cable and then try again");

double dateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    return DateTime::fromQDateTime(QDateTime(QDate(year, month, day), QTime(hour, minute, second)));
}

QByteArray pattern(int length)
{
    QByteArray bytes;
    for (int i = 0; i < length; ++i)
        bytes.append(static_cast<char>((i * 7 + i / 251) & 0xFF));
    return bytes;
}

QStringList blockFrames(const QList<QByteArray> &frames)
{
    QStringList blocks;
    for (const QByteArray &frame : frames) {
        if (static_cast<quint8>(frame.at(0)) == NERUComm::kReadDataBlock)
            blocks.append(QString::number(static_cast<quint8>(frame.at(1))));
    }
    return blocks;
}

// Changes the current folder for the life of the object.
class CurrentFolder
{
public:
    explicit CurrentFolder(const QString &path)
        : m_previous(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

} // namespace

// The logger operations over the simulator on a fake clock: what each reads, decodes,
// shows and keeps.
class TestLoggerOperations : public QObject
{
    Q_OBJECT

private slots:
    void clockReplyIsDecoded_data();
    void clockReplyIsDecoded();
    void generalInfoIsDecoded();
    void undecodableGeneralInfoGoesToTheErrorReport();
    void failedReadsKeepEarlierValues();
    void operationsNeedALoggerPort_data();
    void operationsNeedALoggerPort();
    void downloadReadsLengthThenBlocks_data();
    void downloadReadsLengthThenBlocks();
    void cancelTakesEffectAfterTheBlockInProgress_data();
    void cancelTakesEffectAfterTheBlockInProgress();
    void failedBlockEndsTheDownloadWithoutData();
    void fileModeReadsRawDataFromTheCurrentFolder_data();
    void fileModeReadsRawDataFromTheCurrentFolder();
    void programRTCSetsTheClockAndSaysSo();
    void reprogramNERUClearsTheMemoryAndSaysSo();
    void failedCommandsShowNoSuccessMessage_data();
    void failedCommandsShowNoSuccessMessage();
};

void TestLoggerOperations::clockReplyIsDecoded_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<double>("clock");
    QTest::newRow("Monday 2001-09-03 14:05:09")
        << QByteArray::fromHex("0e050909030102") << dateTime(2001, 9, 3, 14, 5, 9);
    QTest::newRow("a wrong weekday is ignored")
        << QByteArray::fromHex("0e050909030107") << dateTime(2001, 9, 3, 14, 5, 9);
    QTest::newRow("month 13 is January of the next year")
        << QByteArray::fromHex("0000000d010101") << dateTime(2002, 1, 1);
    QTest::newRow("day 0 is the last of the month before")
        << QByteArray::fromHex("00000003000101") << dateTime(2001, 2, 28);
    QTest::newRow("hour 24 is the next day")
        << QByteArray::fromHex("18000009030102") << dateTime(2001, 9, 4);
    QTest::newRow("year 29 is 2029")
        << QByteArray::fromHex("0102030c1f1d01") << dateTime(2029, 12, 31, 1, 2, 3);
    QTest::newRow("year 30 is 1930")
        << QByteArray::fromHex("01020301011e01") << dateTime(1930, 1, 1, 1, 2, 3);
    QTest::newRow("year 99 is 1999")
        << QByteArray::fromHex("173b3b0c1f6306") << dateTime(1999, 12, 31, 23, 59, 59);
}

void TestLoggerOperations::clockReplyIsDecoded()
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

void TestLoggerOperations::generalInfoIsDecoded()
{
    LoggerSimulator::Options options;
    options.replies.insert(NERUComm::kReadGeneralInfo,
                           QByteArray("AB\0"
                                      "12\xE9",
                                      6)
                               + QByteArray::fromHex("0609140107") + QByteArray("V1.02"));
    LinkFixture link(options);
    QVERIFY(link.start());
    QCOMPARE(link.comm.getGeneralInfo(), false);
    // Byte for byte: the zero byte stays, nothing is trimmed.
    QCOMPARE(link.comm.strSerialNumber,
             QString(QLatin1String("AB\0"
                                   "12\xE9",
                                   6)));
    QCOMPARE(link.comm.strSerialNumber.size(), 6);
    QCOMPARE(link.comm.dteCalibration, dateTime(2001, 9, 6));
    QCOMPARE(link.comm.lngIdentification, 7);
    QCOMPARE(link.comm.strVersion, QStringLiteral("V1.02"));
}

void TestLoggerOperations::undecodableGeneralInfoGoesToTheErrorReport()
{
    LoggerSimulator::Options options;
    // Century 255: a calibration year the calendar cannot hold.
    options.replies.insert(NERUComm::kReadGeneralInfo,
                           QByteArray("SN0001") + QByteArray::fromHex("0609ff0107")
                               + QByteArray("V1.02"));
    LinkFixture link(options);
    QVERIFY(link.start());
    link.comm.strSerialNumber = QStringLiteral("before");
    QCOMPARE(link.comm.getGeneralInfo(), true);
    QCOMPARE(link.comm.strSerialNumber, QStringLiteral("before"));
    QVERIFY(link.messages.shown.isEmpty());
    QVERIFY2(link.eventLog().contains(
                 QStringLiteral("Invalid procedure call or argument in getGeneralInfo(NERUComm)")),
             qPrintable(link.eventLog()));
}

void TestLoggerOperations::failedReadsKeepEarlierValues()
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
    QCOMPARE(link.comm.getDateAndTime(), true);
    QCOMPARE(link.comm.getGeneralInfo(), true);
    QCOMPARE(link.comm.dteLoggerClock, clock);
    QCOMPARE(link.comm.strSerialNumber, QStringLiteral("XY9876"));
    QCOMPARE(link.comm.dteCalibration, dateTime(2001, 9, 6));
    QCOMPARE(link.messages.texts(), QStringList(2, kCommunicationError));
}

void TestLoggerOperations::operationsNeedALoggerPort_data()
{
    QTest::addColumn<qint16>("port");
    QTest::newRow("0, the hidden Test entry") << qint16(0);
    QTest::newRow("5") << qint16(5);
    QTest::newRow("-1") << qint16(-1);
}

void TestLoggerOperations::operationsNeedALoggerPort()
{
    QFETCH(qint16, port);
    LinkFixture link;
    QVERIFY(link.start());
    link.comm.intCOMPort = port;
    QCOMPARE(link.comm.getDateAndTime(), true);
    QCOMPARE(link.comm.getGeneralInfo(), true);
    QCOMPARE(link.comm.programRTC(), true);
    QCOMPARE(link.comm.reprogramNERU(), true);
    QTest::qWait(20);
    QVERIFY(link.frames().isEmpty());
    QVERIFY(link.messages.shown.isEmpty());
}

void TestLoggerOperations::downloadReadsLengthThenBlocks_data()
{
    QTest::addColumn<int>("loggerBytes");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("blocks");
    QTest::addColumn<int>("downloadLength");

    QTest::newRow("0 bytes: nothing to read")
        << 0 << QStringList { QStringLiteral("No data found in NERU unit") } << 0 << 0;
    QTest::newRow("1 byte") << 1 << QStringList() << 1 << 1;
    QTest::newRow("256 bytes: one block beyond the data") << 256 << QStringList() << 3 << 256;
    QTest::newRow("300 bytes") << 300 << QStringList() << 3 << 300;
    QTest::newRow("32000 bytes: the most there is room for")
        << 32000 << QStringList() << 251 << 32000;
    QTest::newRow("40000 bytes: cut to 32000")
        << 40000
        << QStringList { QStringLiteral(
               "Data memory limits have been exceeded some data may be lost") }
        << 251 << 32000;
}

void TestLoggerOperations::downloadReadsLengthThenBlocks()
{
    QFETCH(int, loggerBytes);
    QFETCH(QStringList, messages);
    QFETCH(int, blocks);
    QFETCH(int, downloadLength);
    LoggerSimulator::Options options;
    options.memory = pattern(loggerBytes);
    LinkFixture link(options);
    QVERIFY(link.start());
    link.comm.bytDownload = QByteArray("previous download");
    link.comm.getRawData();

    QCOMPARE(link.messages.texts(), messages);
    QCOMPARE(link.comm.lngDownloadLength, downloadLength);
    QStringList expectedBlocks;
    QList<qint32> values;
    for (int b = 0; b < blocks; ++b) {
        expectedBlocks.append(QString::number(b));
        values.append(b);
    }
    QCOMPARE(blockFrames(link.frames()), expectedBlocks);
    QCOMPARE(link.comm.bytDownload.size(), blocks * 128);
    QCOMPARE(link.comm.bytDownload.left(downloadLength), options.memory.left(downloadLength));
    if (blocks == 0) {
        QCOMPARE(link.progress.shows, 0);
    } else {
        QCOMPARE(link.progress.shows, 1);
        QCOMPARE(link.progress.maximum, blocks);
        QCOMPARE(link.progress.values, values);
    }
    QVERIFY(!link.progress.visible);
}

void TestLoggerOperations::cancelTakesEffectAfterTheBlockInProgress_data()
{
    QTest::addColumn<int>("cancelDuringBlock");
    QTest::newRow("during block 0") << 0;
    QTest::newRow("during block 5") << 5;
}

void TestLoggerOperations::cancelTakesEffectAfterTheBlockInProgress()
{
    QFETCH(int, cancelDuringBlock);
    LoggerSimulator::Options options;
    options.memory = pattern(1500);
    LinkFixture link(options);
    QVERIFY(link.start());
    // Cancel is pressed while the exchange for the block waits for the logger.
    link.fakeTime.duringWait = [&] {
        if (link.progress.values.size() == cancelDuringBlock + 1)
            link.progress.cancel = true;
    };
    link.comm.getRawData();
    QStringList expected;
    for (int b = 0; b <= cancelDuringBlock; ++b)
        expected.append(QString::number(b));
    QCOMPARE(blockFrames(link.frames()), expected);
    QCOMPARE(link.comm.lngDownloadLength, 0);
    QCOMPARE(link.progress.hides, 1);
    QVERIFY(!link.progress.visible);
    QVERIFY(link.messages.shown.isEmpty());
}

void TestLoggerOperations::failedBlockEndsTheDownloadWithoutData()
{
    LoggerSimulator::Options options;
    options.memory = pattern(1000);
    options.faults.stopAfterBlocks = 3;
    LinkFixture link(options);
    QVERIFY(link.start());
    link.comm.getRawData();
    QCOMPARE(link.comm.lngDownloadLength, 0);
    QCOMPARE(link.messages.texts(), QStringList { kCommunicationError });
    QCOMPARE(blockFrames(link.frames()),
             (QStringList { QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2") }));
    // The blocks that came stay, but count for nothing.
    QCOMPARE(link.comm.bytDownload, options.memory.left(3 * 128));
    QVERIFY(!link.progress.visible);
}

void TestLoggerOperations::fileModeReadsRawDataFromTheCurrentFolder_data()
{
    QTest::addColumn<int>("fileBytes"); // -1: no file
    QTest::addColumn<int>("downloadLength");
    QTest::addColumn<bool>("messageShown");
    QTest::newRow("no rawdata.bin") << -1 << 0 << true;
    QTest::newRow("empty rawdata.bin") << 0 << 0 << false;
    QTest::newRow("300 bytes") << 300 << 300 << false;
    QTest::newRow("40000 bytes: no limit from a file") << 40000 << 40000 << false;
}

void TestLoggerOperations::fileModeReadsRawDataFromTheCurrentFolder()
{
    QFETCH(int, fileBytes);
    QFETCH(int, downloadLength);
    QFETCH(bool, messageShown);
    LinkFixture link;
    QVERIFY(link.start());
    link.comm.intCOMPort = 0;
    QTemporaryDir folder;
    const QByteArray bytes = pattern(std::max(fileBytes, 0));
    if (fileBytes >= 0) {
        QFile file(folder.filePath(QStringLiteral("rawdata.bin")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    const CurrentFolder current(folder.path());
    link.comm.getRawData();
    QCOMPARE(link.comm.lngDownloadLength, downloadLength);
    QCOMPARE(link.comm.bytDownload, bytes);
    if (messageShown)
        QCOMPARE(link.messages.texts(),
                 QStringList { QStringLiteral("Unable to find rawdata in ")
                               + QDir::toNativeSeparators(QDir::currentPath()) });
    else
        QVERIFY(link.messages.shown.isEmpty());
    QVERIFY(link.frames().isEmpty());
    QCOMPARE(link.progress.shows, 0);
}

void TestLoggerOperations::programRTCSetsTheClockAndSaysSo()
{
    LoggerSimulator::Options options;
    options.clock = QDateTime(QDate(1999, 1, 1), QTime(0, 0));
    LinkFixture link(options);
    QVERIFY(link.start());
    QCOMPARE(link.comm.programRTC(), false);
    QCOMPARE(link.messages.texts(),
             QStringList { QStringLiteral("Date/Time has been set to 03/09/2001 14:05:09") });
    QCOMPARE(link.messages.shown.first().kind, LinkMessages::Kind::Information);
    QTRY_COMPARE(link.frames().size(), 2);
    const QDateTime loggerClock = link.simulator.loggerClock();
    QCOMPARE(loggerClock.date(), QDate(2001, 9, 3));
    QVERIFY(qAbs(loggerClock.time().secsTo(QTime(14, 5, 9))) <= 1);
}

void TestLoggerOperations::reprogramNERUClearsTheMemoryAndSaysSo()
{
    LoggerSimulator::Options options;
    options.memory = pattern(700);
    LinkFixture link(options);
    QVERIFY(link.start());
    QCOMPARE(link.comm.reprogramNERU(), false);
    QCOMPARE(link.messages.texts(), QStringList { QStringLiteral("NERU memory has been cleared") });
    QTRY_VERIFY(link.simulator.memory().isEmpty());
    link.comm.getRawData();
    QCOMPARE(link.comm.lngDownloadLength, 0);
    QCOMPARE(link.messages.texts().last(), QStringLiteral("No data found in NERU unit"));
}

void TestLoggerOperations::failedCommandsShowNoSuccessMessage_data()
{
    QTest::addColumn<bool>("setClock");
    QTest::newRow("programRTC") << true;
    QTest::newRow("reprogramNERU") << false;
}

void TestLoggerOperations::failedCommandsShowNoSuccessMessage()
{
    QFETCH(bool, setClock);
    LoggerSimulator::Options options;
    options.faults.silent = true;
    options.memory = pattern(10);
    LinkFixture link(options);
    QVERIFY(link.start());
    QCOMPARE(setClock ? link.comm.programRTC() : link.comm.reprogramNERU(), true);
    QCOMPARE(link.messages.texts(), QStringList { kCommunicationError });
    QCOMPARE(link.frames().size(), 1);
    QCOMPARE(link.simulator.memory().size(), 10);
}

QTEST_GUILESS_MAIN(TestLoggerOperations)
#include "tst_LoggerOperations.moc"
