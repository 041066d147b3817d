#include "LinkFixture.h"

#include "DateTime.h"

#include <QtTest>

namespace {

using Operation = bool (NERUComm::*)();

} // namespace

// The logger operations over the simulator on a fake clock: what each sends, reads,
// decodes, shows and keeps.
class TestLoggerOperations : public QObject
{
    Q_OBJECT

private slots:
    void operationsOnTheLine_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("frames");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::newRow("getDateAndTime") << &NERUComm::getDateAndTime << "01 01" << QString();
        QTest::newRow("getGeneralInfo") << &NERUComm::getGeneralInfo << "01 12" << QString();
        // The frame and the message carry the PC's time after the pause to 14:05:09.
        QTest::newRow("programRTC") << &NERUComm::programRTC << "01 020e050909030102"
                                    << "Date/Time has been set to 03/09/2001 14:05:09";
        QTest::newRow("reprogramNERU") << &NERUComm::reprogramNERU << "01 0f"
                                       << "NERU memory has been cleared";
    }
    void operationsOnTheLine()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, frames);
        QFETCH(QString, message);
        LinkFixture link;
        QVERIFY(link.start());
        // Without a logger's port (0 is the hidden Test entry) it fails, sending and saying
        // nothing.
        for (const qint16 port : { 0, 5 }) {
            link.comm.intCOMPort = port;
            QVERIFY((link.comm.*operation)());
        }
        link.comm.intCOMPort = 1;
        QCOMPARE((link.comm.*operation)(), false);
        // A frame without a reply reaches the simulator when it next gets to run.
        QTRY_COMPARE(link.framesOnTheLine(), frames);
        QStringList shown = message.isEmpty() ? QStringList() : QStringList { message };
        QCOMPARE(link.messages.texts(), shown);
        for (const RecordingMessages::Message &m : std::as_const(link.messages.shown))
            QCOMPARE(m.kind, LinkMessages::Kind::Information);
        // Failed, it says the communication error only and keeps the values read before.
        link.comm.strSerialNumber = QStringLiteral("before");
        link.comm.dteLoggerClock = 1.5;
        LoggerSimulator::Faults silent;
        silent.silent = true;
        link.simulator.setFaults(silent);
        QCOMPARE((link.comm.*operation)(), true);
        QCOMPARE(link.messages.texts(), shown << kCommunicationError);
        QCOMPARE(link.comm.strSerialNumber, QStringLiteral("before"));
        QCOMPARE(link.comm.dteLoggerClock, 1.5);
    }

    void repliesAreDecodedByteForByte()
    {
        LoggerSimulator::Options options;
        // Monday 2001-09-03 14:05:09, said to be a Saturday: the weekday is not used.
        options.replies.insert(NERUComm::kReadClock, QByteArray::fromHex("0e050909030107"));
        const QByteArray serialNumber = QByteArray::fromHex("4142003132e9"); // "AB", NUL, "12é"
        options.replies.insert(NERUComm::kReadGeneralInfo,
                               serialNumber + QByteArray::fromHex("0609140107") + "V1.02");
        LinkFixture link(options);
        QVERIFY(link.start());
        QCOMPARE(link.comm.getDateAndTime(), false);
        QCOMPARE(link.comm.dteLoggerClock,
                 DateTime::fromQDateTime(QDateTime(QDate(2001, 9, 3), QTime(14, 5, 9))));
        QCOMPARE(link.comm.getGeneralInfo(), false);
        // The zero byte stays, nothing is trimmed.
        QCOMPARE(link.comm.strSerialNumber, QString::fromLatin1(serialNumber));
        QCOMPARE(link.comm.dteCalibration,
                 DateTime::fromQDateTime(QDateTime(QDate(2001, 9, 6), QTime(0, 0))));
        QCOMPARE(link.comm.lngIdentification, 7);
        QCOMPARE(link.comm.strVersion, QStringLiteral("V1.02"));
        QVERIFY(link.messages.shown.isEmpty());
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

    // While the download waits for block 1, a second Interrogate and every other exchange
    // are refused; Cancel, pressed then, takes effect after that block.
    void downloadUnderWayRefusesOthersAndStopsOnCancel()
    {
        LoggerSimulator::Options options;
        options.memory = LinkFixture::pattern(1500);
        LinkFixture link(options);
        QVERIFY(link.start());
        QList<bool> refused;
        qint32 lengthSeen = -1;
        link.fakeTime.duringWait = [&] {
            if (link.progress.values.size() == 2 && refused.isEmpty()) {
                // The second Interrogate must not empty the download under way, nor find a
                // length that would have it save the blocks read so far.
                link.comm.getRawData();
                lengthSeen = link.comm.lngDownloadLength;
                refused = { link.comm.getDateAndTime(), link.comm.reprogramNERU(),
                            link.comm.pollNERU(NERUComm::kReadGeneralInfo, 0) };
                link.progress.cancel = true;
            }
        };
        link.comm.getRawData();
        QCOMPARE(refused, (QList<bool> { true, true, true }));
        QCOMPARE(lengthSeen, 0);
        QCOMPARE(link.progress.shows, 1);
        QCOMPARE(link.framesOnTheLine(), QStringLiteral("01 0d 01 0e00 01 0e01"));
        QCOMPARE(link.comm.bytDownload, options.memory.left(256));
        QCOMPARE(link.comm.lngDownloadLength, 0);
        QVERIFY(!link.progress.visible);
        QVERIFY(link.messages.shown.isEmpty());
        QVERIFY(link.eventLog().contains(QStringLiteral("Refused")));
    }

    // Port 0, the hidden Test entry, reads rawdata.bin from the current folder instead.
    void fileModeReadsRawDataFromTheCurrentFolder()
    {
        LinkFixture link;
        QVERIFY(link.start());
        link.comm.intCOMPort = 0;
        QTemporaryDir folder;
        const QString previousFolder = QDir::currentPath();
        QDir::setCurrent(folder.path());
        const auto restore = qScopeGuard([&] { QDir::setCurrent(previousFolder); });
        link.comm.getRawData();
        QCOMPARE(link.messages.texts(),
                 QStringList { QStringLiteral("Unable to find rawdata in ")
                               + QDir::toNativeSeparators(QDir::currentPath()) });
        // No limit to what a file holds.
        const QByteArray bytes = LinkFixture::pattern(40000);
        QVERIFY(TempLog::writeAll(QStringLiteral("rawdata.bin"), bytes));
        link.comm.getRawData();
        QCOMPARE(link.comm.lngDownloadLength, bytes.size());
        QCOMPARE(link.comm.bytDownload, bytes);
        QCOMPARE(link.messages.shown.size(), 1);
        QVERIFY(link.framesOnTheLine().isEmpty());
        QCOMPARE(link.progress.shows, 0);
    }
};

QTEST_GUILESS_MAIN(TestLoggerOperations)
#include "tst_LoggerOperations.moc"
