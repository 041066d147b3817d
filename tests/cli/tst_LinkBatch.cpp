#include "SettingsStore.h"
#include "records/RecordEncoder.h"

#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Arguments without spaces, written as one line.
QStringList words(const QString &line)
{
    return line.split(u' ');
}

// The batch tool as its own program; locale, time zone and settings folder are the test's.
Run runCli(const QStringList &arguments)
{
    QProcess cli;
    cli.start(u"" NERU_CLI ""_s, arguments);
    Run run;
    if (!cli.waitForFinished(30000)) {
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return run;
}

// The simulator as a program of its own, as a person would run it: the device on its first
// line, then "rx" and the bytes of each frame received.
class Simulator
{
public:
    explicit Simulator(const QStringList &arguments)
    {
        m_process.start(u"" NERU_LOGGER_SIM ""_s, arguments);
        if (m_process.waitForStarted() && waitForLines(1))
            m_device = m_lines.first();
    }
    ~Simulator()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished();
    }

    QString device() const { return m_device; }

    // Names the simulator's device for a COM port in the settings file.
    bool nameInSettings(const QString &comPort) const
    {
        SettingsStore settings;
        settings.write(u"Ports"_s, comPort, m_device);
        return settings.sync();
    }

    // The first `count` frames, once that many have come.
    QString frames(int count)
    {
        waitForLines(count + 1);
        return m_lines.mid(1, count).join(u' ');
    }

private:
    bool waitForLines(int count)
    {
        QDeadlineTimer deadline(10000);
        while (m_lines.size() < count && !deadline.hasExpired()) {
            if (!m_process.canReadLine() && !m_process.waitForReadyRead(deadline.remainingTime()))
                break;
            while (m_process.canReadLine())
                m_lines.append(QString::fromLatin1(m_process.readLine()).trimmed());
        }
        return m_lines.size() >= count;
    }

    QProcess m_process;
    QStringList m_lines;
    QString m_device;
};

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The logger commands of neru-cli end to end: the batch tool and the simulator as two
// programs on a pseudo-terminal, on the real clock.
class TestLinkBatch : public QObject
{
    Q_OBJECT

private slots:
    void usageErrorsSendNothing_data();
    void usageErrorsSendNothing();
    void loggerInfoPrintsTheSettingsDialogValues();
    void setClockSendsThePCsClock();
    void interrogateWritesTheDownloadThenTheDistrictsAndClearEmptiesTheLogger();
    void failurePrintsTheMessageAndExitsOne();
};

void TestLinkBatch::usageErrorsSendNothing_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("no port") << u"clock"_s << u"--port DEVICE is required"_s;
    QTest::newRow("COM5") << u"clock --port COM5"_s << u"COM1 to COM4"_s;
    QTest::newRow("unknown option")
        << u"set-clock --port COM1 --now"_s << u"Unknown option 'now'"_s;
    QTest::newRow("a stray argument")
        << u"logger-info --port COM1 extra"_s << u"unexpected argument \"extra\""_s;
    QTest::newRow("clear without --yes") << u"clear --port COM1"_s << u"add --yes to clear it"_s;
}

void TestLinkBatch::usageErrorsSendNothing()
{
    QFETCH(QString, arguments);
    QFETCH(QString, error);
    Simulator simulator(words(u"--clock 2001-09-03T14:05:09"_s));
    QVERIFY(simulator.nameInSettings(u"COM1"_s));
    const Run run = runCli(words(arguments));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    // A command that reaches the logger through the settings file: its frames are the
    // first the logger sees. Its clock runs on while the exchange waits for a new second.
    const Run clock = runCli(words(u"clock --port com1"_s));
    QCOMPARE(clock.exitCode, 0);
    QVERIFY2(QRegularExpression(u"^03/09/2001 14:05:(09|1[0-2])\n$"_s).match(clock.out).hasMatch(),
             qPrintable(clock.out));
    QCOMPARE(simulator.frames(2), u"rx 01 rx 01"_s);
}

void TestLinkBatch::loggerInfoPrintsTheSettingsDialogValues()
{
    Simulator simulator(words(u"--clock 2001-09-03T14:05:09 --serial AB1234 --calibration "
                              "2001-09-06 --id 142 --version V2.01"_s));
    const Run run = runCli(words(u"logger-info --port "_s + simulator.device()));
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.mid(0, 4),
             (QStringList { u"Serial Number: AB1234"_s, u"Calibration Date: 06/09/2001"_s,
                            u"Identification: 142"_s, u"Version Number: V2.01"_s }));
    QVERIFY2(lines.at(4).startsWith(u"Date/Time: 03/09/2001 14:05:"_s), qPrintable(lines.at(4)));
    // Two exchanges, each with its own wake-up: the clock, then the information.
    QCOMPARE(simulator.frames(4), u"rx 01 rx 01 rx 01 rx 12"_s);
}

void TestLinkBatch::setClockSendsThePCsClock()
{
    Simulator simulator(words(u"--clock 1999-01-01T00:00:00"_s));
    const Run run = runCli(words(u"set-clock --port "_s + simulator.device()));
    const QDateTime now = QDateTime::currentDateTime();
    QCOMPARE(run.exitCode, 0);
    const QByteArray frame = QByteArray::fromHex(simulator.frames(2).mid(9).toLatin1());
    QCOMPARE(frame.size(), 8);
    QCOMPARE(frame.at(0), '\x02');
    auto at = [&frame](int i) { return static_cast<int>(static_cast<quint8>(frame.at(i))); };
    const QDateTime sent(QDate(2000 + at(6), at(4), at(5)), QTime(at(1), at(2), at(3)));
    QVERIFY2(qAbs(sent.secsTo(now)) <= 2, qPrintable(sent.toString(Qt::ISODate)));
    QCOMPARE(at(7), sent.date().dayOfWeek() % 7 + 1);
    const QRegularExpression message(
        u"^Date/Time has been set to \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\n$"_s);
    QVERIFY2(message.match(run.out).hasMatch(), qPrintable(run.out));
}

void TestLinkBatch::interrogateWritesTheDownloadThenTheDistrictsAndClearEmptiesTheLogger()
{
    QStringList numbers { u"00012"_s, u"00034"_s };
    QByteArrayList districts;
    for (const QString &number : numbers) {
        RecordEncoder::District d;
        d.number = number;
        districts.append(RecordEncoder::district(d));
        RecordEncoder::Time t { 2026, 3, 2, 0, 0, 0 };
        for (int i = 0; i < 12; ++i, t = RecordEncoder::addSeconds(t, 900))
            districts.last() += RecordEncoder::simple(t, static_cast<quint16>(100 + i * 3));
    }
    const QByteArray memory = districts.join();
    QTemporaryDir folder;
    const QString memoryPath = folder.filePath(u"memory.bin"_s);
    QFile file(memoryPath);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(memory) == memory.size());
    file.close();
    const QString out = folder.filePath(u"out"_s);
    QVERIFY(QDir().mkpath(out));
    Simulator simulator({ u"--memory"_s, memoryPath });

    const Run run = runCli(words(u"interrogate --port %1 --dir %2"_s.arg(simulator.device(), out)));
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains(u"Reading data from NERU: block 3 of 3"_s), qPrintable(run.err));
    const QStringList printed = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), 3);
    const QRegularExpression downloadName(u"/download-\\d{8}-\\d{6}\\.bin$"_s);
    QVERIFY2(downloadName.match(printed.first()).hasMatch(), qPrintable(printed.first()));
    QCOMPARE(readFile(printed.first()), memory);
    // Then the districts, cut as split cuts a download.
    for (int k = 0; k < 2; ++k) {
        QCOMPARE(printed.at(k + 1), out + u'/' + numbers.at(k) + u".dat"_s);
        QCOMPARE(readFile(printed.at(k + 1)),
                 RecordEncoder::header(numbers.at(k)) + districts.at(k));
    }

    const Run cleared = runCli(words(u"clear --yes --port "_s + simulator.device()));
    QCOMPARE(cleared.exitCode, 0);
    QCOMPARE(cleared.out, u"NERU memory has been cleared\n"_s);
    const Run empty
        = runCli(words(u"interrogate --port %1 --dir %2"_s.arg(simulator.device(), folder.path())));
    QCOMPARE(empty.exitCode, 1);
    QCOMPARE(empty.err, u"No data found in NERU unit\n"_s);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList { u"memory.bin"_s });
}

void TestLinkBatch::failurePrintsTheMessageAndExitsOne()
{
    Simulator simulator(words(u"--silent"_s));
    const Run run = runCli(words(u"clock --port "_s + simulator.device()));
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() >= 3, qPrintable(run.err));
    QCOMPARE(lines.at(0), u"An error has occurred communicating with the NERU unit"_s);
    QCOMPARE(lines.at(1), u"Check the COM port and cable and then try again"_s);
    QVERIFY2(lines.at(2).startsWith(simulator.device() + u": no reply"_s), qPrintable(lines.at(2)));
}

QTEST_GUILESS_MAIN(TestLinkBatch)
#include "tst_LinkBatch.moc"
