#include "LinkFixture.h"

#include "RuntimeError.h"

#include <QtTest>

// The bytes the link puts on the line: command frames and reply lengths, and what each
// operation sends and says, as the simulator receives it.
class TestLinkFrames : public QObject
{
    Q_OBJECT

private slots:
    void commandFrames_data()
    {
        QTest::addColumn<qint32>("command");
        QTest::addColumn<qint32>("parameter");
        QTest::addColumn<QDateTime>("pcClock");
        QTest::addColumn<QByteArray>("frame"); // empty: "Overflow", a value outside a byte
        QTest::addColumn<qint32>("replyLength");
        auto row
            = [](const char *name, qint32 command, qint32 parameter, const char *frame,
                 qint32 replyLength, QDate day = QDate(2001, 9, 3), QTime time = QTime(14, 5, 9)) {
                  QTest::newRow(name) << command << parameter << QDateTime(day, time)
                                      << QByteArray::fromHex(frame) << replyLength;
              };
        row("wake-up / read clock, parameter ignored", 1, 77, "01", 7);
        row("set clock, Monday 2001-09-03 14:05:09", 2, 99, "020e050909030102", 0);
        row("set clock, Sunday is weekday 1", 2, 0, "0200000003011a01", 0, QDate(2026, 3, 1),
            QTime(0, 0));
        row("set clock, Saturday is 7, 2000 is 0", 2, 0, "02173b3b01010007", 0, QDate(2000, 1, 1),
            QTime(23, 59, 59));
        row("read data length", 13, 0, "0d", 2);
        row("read block 250", 14, 250, "0efa", 128);
        row("block 256", 14, 256, "", 128);
        row("block -1", 14, -1, "", 128);
        row("clear memory", 15, 0, "0f", 0);
        row("general information", 18, 0, "12", 16);
        row("code 0: code only, no reply", 0, 5, "00", 0);
        row("code 255", 255, 0, "ff", 0);
        row("code 256", 256, 0, "", 0);
    }
    void commandFrames()
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

    void operationsOnTheLine_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("message"); // empty: none
        auto row = [](const char *operation, const char *frames, const char *message = "") {
            QTest::newRow(operation) << operation << frames << message;
        };
        row("getDateAndTime", "01 01");
        row("getGeneralInfo", "01 12");
        // The frame and the message carry the PC's time after the pause to 14:05:09.
        row("programRTC", "01 020e050909030102", "Date/Time has been set to 03/09/2001 14:05:09");
        row("reprogramNERU", "01 0f", "NERU memory has been cleared");
    }
    void operationsOnTheLine()
    {
        QFETCH(QString, operation);
        QFETCH(QString, frames);
        QFETCH(QString, message);
        LinkFixture link;
        QVERIFY(link.start());
        QVERIFY(!link.run(operation));
        // A frame without a reply reaches the simulator when it next gets to run.
        QTRY_COMPARE(link.framesOnTheLine(), frames);
        QCOMPARE(link.messages.texts(),
                 message.isEmpty() ? QStringList() : QStringList { message });
        for (const RecordingMessages::Message &shown : std::as_const(link.messages.shown))
            QCOMPARE(shown.kind, LinkMessages::Kind::Information);
    }
};

QTEST_GUILESS_MAIN(TestLinkFrames)
#include "tst_LinkFrames.moc"
