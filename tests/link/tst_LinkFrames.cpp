#include "LinkFixture.h"

#include "data/RuntimeError.h"

#include <QtTest>

// The bytes the link puts on the line: command frames, reply lengths, and the frames
// each operation sends, as the simulator receives them.
class TestLinkFrames : public QObject
{
    Q_OBJECT

private slots:
    void getCommandBytes_data();
    void getCommandBytes();
    void getCommandBytesRejectsValuesOutsideAByte_data();
    void getCommandBytesRejectsValuesOutsideAByte();
    void getNumOfBytesReturned_data();
    void getNumOfBytesReturned();
    void appendBytes_data();
    void appendBytes();
    void getUBound_data();
    void getUBound();
    void operationFramesOnTheLine_data();
    void operationFramesOnTheLine();
};

void TestLinkFrames::getCommandBytes_data()
{
    QTest::addColumn<qint32>("command");
    QTest::addColumn<qint32>("parameter");
    QTest::addColumn<QDateTime>("pcClock");
    QTest::addColumn<QByteArray>("frame");

    const QDateTime monday(QDate(2001, 9, 3), QTime(14, 5, 9));
    QTest::newRow("wake-up / read clock") << 1 << 0 << monday << QByteArray::fromHex("01");
    QTest::newRow("read clock ignores the parameter")
        << 1 << 77 << monday << QByteArray::fromHex("01");
    QTest::newRow("read data length") << 13 << 0 << monday << QByteArray::fromHex("0d");
    QTest::newRow("read block 0") << 14 << 0 << monday << QByteArray::fromHex("0e00");
    QTest::newRow("read block 250") << 14 << 250 << monday << QByteArray::fromHex("0efa");
    QTest::newRow("clear memory") << 15 << 0 << monday << QByteArray::fromHex("0f");
    QTest::newRow("general information") << 18 << 0 << monday << QByteArray::fromHex("12");
    QTest::newRow("unknown command: code only") << 3 << 9 << monday << QByteArray::fromHex("03");
    QTest::newRow("set clock, Monday 2001-09-03 14:05:09")
        << 2 << 0 << monday << QByteArray::fromHex("020e050909030102");
    QTest::newRow("set clock ignores the parameter")
        << 2 << 99 << monday << QByteArray::fromHex("020e050909030102");
    QTest::newRow("set clock, Sunday is weekday 1")
        << 2 << 0 << QDateTime(QDate(2026, 3, 1), QTime(0, 0, 0))
        << QByteArray::fromHex("0200000003011a01");
    QTest::newRow("set clock, Saturday is weekday 7, year 2000 is 0")
        << 2 << 0 << QDateTime(QDate(2000, 1, 1), QTime(23, 59, 59))
        << QByteArray::fromHex("02173b3b01010007");
    QTest::newRow("set clock, 1999 is 99")
        << 2 << 0 << QDateTime(QDate(1999, 12, 31), QTime(12, 0, 30))
        << QByteArray::fromHex("020c001e0c1f6306");
}

void TestLinkFrames::getCommandBytes()
{
    QFETCH(qint32, command);
    QFETCH(qint32, parameter);
    QFETCH(QDateTime, pcClock);
    QFETCH(QByteArray, frame);
    LinkFixture link({}, LinkFixture::Time::Fake, pcClock.toMSecsSinceEpoch() + 999);
    QCOMPARE(link.comm.getCommandBytes(command, parameter).toHex(), frame.toHex());
}

void TestLinkFrames::getCommandBytesRejectsValuesOutsideAByte_data()
{
    QTest::addColumn<qint32>("command");
    QTest::addColumn<qint32>("parameter");
    QTest::newRow("block 256") << 14 << 256;
    QTest::newRow("block -1") << 14 << -1;
    QTest::newRow("command 256") << 256 << 0;
    QTest::newRow("command -1") << -1 << 0;
}

void TestLinkFrames::getCommandBytesRejectsValuesOutsideAByte()
{
    QFETCH(qint32, command);
    QFETCH(qint32, parameter);
    LinkFixture link;
    try {
        link.comm.getCommandBytes(command, parameter);
        QFAIL("no error raised");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.description(), QStringLiteral("Overflow"));
    }
}

void TestLinkFrames::getNumOfBytesReturned_data()
{
    QTest::addColumn<qint32>("command");
    QTest::addColumn<qint32>("length");
    QTest::newRow("read clock") << 1 << 7;
    QTest::newRow("set clock") << 2 << 0;
    QTest::newRow("read data length") << 13 << 2;
    QTest::newRow("read data block") << 14 << 128;
    QTest::newRow("clear memory") << 15 << 0;
    QTest::newRow("general information") << 18 << 16;
    QTest::newRow("code 0") << 0 << 0;
    QTest::newRow("code 3") << 3 << 0;
    QTest::newRow("code 17") << 17 << 0;
    QTest::newRow("code 255") << 255 << 0;
}

void TestLinkFrames::getNumOfBytesReturned()
{
    QFETCH(qint32, command);
    QFETCH(qint32, length);
    QCOMPARE(NERUComm::getNumOfBytesReturned(command), length);
}

void TestLinkFrames::appendBytes_data()
{
    QTest::addColumn<QByteArray>("destination");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("result");
    QTest::newRow("both empty") << QByteArray() << QByteArray() << QByteArray();
    QTest::newRow("empty source keeps the destination")
        << QByteArray("ab") << QByteArray() << QByteArray("ab");
    QTest::newRow("into an empty destination")
        << QByteArray() << QByteArray("xy") << QByteArray("xy");
    QTest::newRow("keeps order and zero bytes")
        << QByteArray("a\0b", 3) << QByteArray("\0c", 2) << QByteArray("a\0b\0c", 5);
}

void TestLinkFrames::appendBytes()
{
    QFETCH(QByteArray, destination);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, result);
    NERUComm::appendBytes(destination, source);
    QCOMPARE(destination, result);
}

void TestLinkFrames::getUBound_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint32>("upperBound");
    QTest::newRow("empty") << QByteArray() << -1;
    QTest::newRow("one byte") << QByteArray(1, '\0') << 0;
    QTest::newRow("one block") << QByteArray(128, 'x') << 127;
}

void TestLinkFrames::getUBound()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint32, upperBound);
    QCOMPARE(NERUComm::getUBound(bytes), upperBound);
}

void TestLinkFrames::operationFramesOnTheLine_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QStringList>("frames");
    QTest::newRow("getDateAndTime") << QStringLiteral("getDateAndTime")
                                    << QStringList { QStringLiteral("01"), QStringLiteral("01") };
    QTest::newRow("getGeneralInfo") << QStringLiteral("getGeneralInfo")
                                    << QStringList { QStringLiteral("01"), QStringLiteral("12") };
    // The frame carries the PC's time when it is sent, after the pause to 14:05:09.
    QTest::newRow("programRTC") << QStringLiteral(
        "programRTC") << QStringList { QStringLiteral("01"), QStringLiteral("020e050909030102") };
    QTest::newRow("reprogramNERU") << QStringLiteral("reprogramNERU")
                                   << QStringList { QStringLiteral("01"), QStringLiteral("0f") };
    QTest::newRow("getRawData of 300 bytes")
        << QStringLiteral("getRawData")
        << QStringList { QStringLiteral("01"),   QStringLiteral("0d"),  QStringLiteral("01"),
                         QStringLiteral("0e00"), QStringLiteral("01"),  QStringLiteral("0e01"),
                         QStringLiteral("01"),   QStringLiteral("0e02") };
}

void TestLinkFrames::operationFramesOnTheLine()
{
    QFETCH(QString, operation);
    QFETCH(QStringList, frames);
    LoggerSimulator::Options options;
    options.memory = QByteArray(300, '\x42');
    LinkFixture link(options);
    QVERIFY(link.start());
    bool failed = true;
    if (operation == QLatin1String("getDateAndTime"))
        failed = link.comm.getDateAndTime();
    else if (operation == QLatin1String("getGeneralInfo"))
        failed = link.comm.getGeneralInfo();
    else if (operation == QLatin1String("programRTC"))
        failed = link.comm.programRTC();
    else if (operation == QLatin1String("reprogramNERU"))
        failed = link.comm.reprogramNERU();
    else if (operation == QLatin1String("getRawData")) {
        link.comm.getRawData();
        failed = link.comm.lngDownloadLength != 300;
    }
    QVERIFY(!failed);
    auto received = [&link] {
        QStringList list;
        for (const QByteArray &frame : link.frames())
            list.append(QString::fromLatin1(frame.toHex()));
        return list;
    };
    // A frame without a reply reaches the simulator when it next gets to run.
    QTRY_COMPARE(received(), frames);
}

QTEST_GUILESS_MAIN(TestLinkFrames)
#include "tst_LinkFrames.moc"
