#include "LinkFixture.h"

#include "RuntimeError.h"

#include <QtTest>

// The bytes the link puts on the line: command frames and reply lengths, and what each
// operation sends and says, as the simulator receives it.
class TestLinkFrames : public QObject
{
    Q_OBJECT

private slots:
    void commandFrames_data();
    void commandFrames();
    void byteArrayHelpers_data();
    void byteArrayHelpers();
    void operationsOnTheLine_data();
    void operationsOnTheLine();
};

void TestLinkFrames::commandFrames_data()
{
    QTest::addColumn<qint32>("command");
    QTest::addColumn<qint32>("parameter");
    QTest::addColumn<QDateTime>("pcClock");
    QTest::addColumn<QByteArray>("frame"); // empty: "Overflow", a value outside a byte
    QTest::addColumn<qint32>("replyLength");

    const QDateTime monday(QDate(2001, 9, 3), QTime(14, 5, 9));
    auto row = [&](const char *name, qint32 command, qint32 parameter, const char *frame,
                   qint32 replyLength, const QDateTime &pcClock = QDateTime()) {
        QTest::newRow(name) << command << parameter << (pcClock.isValid() ? pcClock : monday)
                            << QByteArray::fromHex(frame) << replyLength;
    };
    row("wake-up / read clock, parameter ignored", 1, 77, "01", 7);
    row("set clock, Monday 2001-09-03 14:05:09, parameter ignored", 2, 99, "020e050909030102", 0);
    row("set clock, Sunday is weekday 1", 2, 0, "0200000003011a01", 0,
        QDateTime(QDate(2026, 3, 1), QTime(0, 0, 0)));
    row("set clock, Saturday is weekday 7, year 2000 is 0", 2, 0, "02173b3b01010007", 0,
        QDateTime(QDate(2000, 1, 1), QTime(23, 59, 59)));
    row("set clock, 1999 is 99", 2, 0, "020c001e0c1f6306", 0,
        QDateTime(QDate(1999, 12, 31), QTime(12, 0, 30)));
    row("read data length", 13, 0, "0d", 2);
    row("read block 0", 14, 0, "0e00", 128);
    row("read block 250", 14, 250, "0efa", 128);
    row("block 256", 14, 256, "", 128);
    row("block -1", 14, -1, "", 128);
    row("clear memory", 15, 0, "0f", 0);
    row("general information", 18, 0, "12", 16);
    row("code 0: code only, no reply", 0, 5, "00", 0);
    row("code 3", 3, 9, "03", 0);
    row("code 255", 255, 0, "ff", 0);
    row("code 256", 256, 0, "", 0);
    row("code -1", -1, 0, "", 0);
}

void TestLinkFrames::commandFrames()
{
    QFETCH(qint32, command);
    QFETCH(qint32, parameter);
    QFETCH(QDateTime, pcClock);
    QFETCH(QByteArray, frame);
    QFETCH(qint32, replyLength);
    QCOMPARE(NERUComm::getNumOfBytesReturned(command), replyLength);
    // The PC's clock is read whole seconds down, never rounded.
    LinkFixture link({}, LinkFixture::Time::Fake, pcClock.toMSecsSinceEpoch() + 999);
    try {
        QCOMPARE(link.comm.getCommandBytes(command, parameter).toHex(), frame.toHex());
    } catch (const RuntimeError &e) {
        QVERIFY(frame.isEmpty());
        QCOMPARE(e.description(), QStringLiteral("Overflow"));
    }
}

void TestLinkFrames::byteArrayHelpers_data()
{
    QTest::addColumn<QByteArray>("destination");
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("result");
    QTest::addColumn<qint32>("upperBound");
    QTest::newRow("both empty") << QByteArray() << QByteArray() << QByteArray() << -1;
    QTest::newRow("empty source keeps the destination")
        << QByteArray("a") << QByteArray() << QByteArray("a") << 0;
    QTest::newRow("into an empty destination")
        << QByteArray() << QByteArray(128, 'x') << QByteArray(128, 'x') << 127;
    QTest::newRow("keeps order and zero bytes")
        << QByteArray("a\0b", 3) << QByteArray("\0c", 2) << QByteArray("a\0b\0c", 5) << 4;
}

void TestLinkFrames::byteArrayHelpers()
{
    QFETCH(QByteArray, destination);
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, result);
    QFETCH(qint32, upperBound);
    NERUComm::appendBytes(destination, source);
    QCOMPARE(destination, result);
    QCOMPARE(NERUComm::getUBound(destination), upperBound);
}

void TestLinkFrames::operationsOnTheLine_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("frames");
    QTest::addColumn<QString>("message"); // empty: none
    QTest::newRow("getDateAndTime")
        << QStringLiteral("getDateAndTime") << QStringLiteral("01 01") << QString();
    QTest::newRow("getGeneralInfo")
        << QStringLiteral("getGeneralInfo") << QStringLiteral("01 12") << QString();
    // The frame and the message carry the PC's time after the pause to 14:05:09.
    QTest::newRow("programRTC") << QStringLiteral("programRTC")
                                << QStringLiteral("01 020e050909030102")
                                << QStringLiteral("Date/Time has been set to 03/09/2001 14:05:09");
    QTest::newRow("reprogramNERU") << QStringLiteral("reprogramNERU") << QStringLiteral("01 0f")
                                   << QStringLiteral("NERU memory has been cleared");
    QTest::newRow("getRawData of 300 bytes")
        << QStringLiteral("getRawData") << QStringLiteral("01 0d 01 0e00 01 0e01 01 0e02")
        << QString();
}

void TestLinkFrames::operationsOnTheLine()
{
    QFETCH(QString, operation);
    QFETCH(QString, frames);
    QFETCH(QString, message);
    LoggerSimulator::Options options;
    options.memory = QByteArray(300, '\x42');
    LinkFixture link(options);
    QVERIFY(link.start());
    QVERIFY(!link.run(operation));
    // A frame without a reply reaches the simulator when it next gets to run.
    QTRY_COMPARE(link.framesOnTheLine(), frames);
    QCOMPARE(link.messages.texts(), message.isEmpty() ? QStringList() : QStringList { message });
    for (const RecordingMessages::Message &shown : std::as_const(link.messages.shown))
        QCOMPARE(shown.kind, LinkMessages::Kind::Information);
}

QTEST_GUILESS_MAIN(TestLinkFrames)
#include "tst_LinkFrames.moc"
