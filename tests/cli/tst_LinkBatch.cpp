#include "SettingsStore.h"
#include "records/RecordEncoder.h"

#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
    qint64 msecs = 0;
};

QProcessEnvironment environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_GB.UTF-8"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("en_GB.UTF-8"));
    env.insert(QStringLiteral("TZ"), QStringLiteral("Europe/London"));
    return env;
}

// Arguments without spaces, written as one line.
QStringList words(const char *line)
{
    return QString::fromLatin1(line).split(u' ');
}

Run runCli(const QStringList &arguments)
{
    QProcess cli;
    cli.setProcessEnvironment(environment());
    QElapsedTimer elapsed;
    elapsed.start();
    cli.start(QStringLiteral(NERU_CLI), arguments);
    Run run;
    if (!cli.waitForFinished(30000)) {
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.msecs = elapsed.elapsed();
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return run;
}

// The simulator as a program of its own, as a person would run it.
class Simulator
{
public:
    explicit Simulator(const QStringList &arguments)
    {
        m_process.setProcessEnvironment(environment());
        m_process.start(QStringLiteral(NERU_LOGGER_SIM), arguments);
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
        settings.write(QStringLiteral("Ports"), comPort, m_device);
        return settings.sync();
    }

    // The frames received so far, as "rx 01" lines.
    QStringList frames()
    {
        waitForLines(0);
        return m_lines.mid(1);
    }

    bool waitForLines(int count, int msecs = 5000)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        do {
            while (m_process.canReadLine())
                m_lines.append(QString::fromLatin1(m_process.readLine()).trimmed());
            if (m_lines.size() >= count && count > 0)
                return true;
        } while (m_process.waitForReadyRead(count > 0 ? 100 : 50) && elapsed.elapsed() < msecs);
        while (m_process.canReadLine())
            m_lines.append(QString::fromLatin1(m_process.readLine()).trimmed());
        return m_lines.size() >= count;
    }

private:
    QProcess m_process;
    QStringList m_lines;
    QString m_device;
};

QByteArray twoDistricts()
{
    RecordEncoder::District first;
    first.number = QStringLiteral("00012");
    RecordEncoder::District second;
    second.number = QStringLiteral("00034");
    second.intervalCode = 8;
    QByteArray bytes;
    for (const RecordEncoder::District &d : { first, second }) {
        bytes += RecordEncoder::district(d);
        RecordEncoder::Time t;
        t.year = 2026;
        t.month = 3;
        t.day = 2;
        for (int i = 0; i < 12; ++i) {
            bytes += RecordEncoder::simple(t, static_cast<quint16>(100 + i * 3));
            t = RecordEncoder::addSeconds(t, 900);
        }
    }
    return bytes;
}

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
    void clockOnACOMPortFromTheSettingsFile();
    void loggerInfoPrintsTheSettingsDialogValues();
    void setClockSendsThePCsClock();
    void interrogateWritesTheDownloadThenTheDistrictsAndClearEmptiesTheLogger();
    void failurePrintsTheMessageAndExitsOne();
};

void TestLinkBatch::usageErrorsSendNothing_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("no port") << words("clock") << QStringLiteral("--port DEVICE is required");
    QTest::newRow("COM5") << words("clock --port COM5") << QStringLiteral("COM1 to COM4");
    QTest::newRow("unknown option")
        << words("set-clock --port COM1 --now") << QStringLiteral("Unknown option 'now'");
    QTest::newRow("a stray argument") << words("logger-info --port COM1 extra")
                                      << QStringLiteral("unexpected argument \"extra\"");
    QTest::newRow("clear without --yes")
        << words("clear --port COM1") << QStringLiteral("add --yes to clear it");
}

void TestLinkBatch::usageErrorsSendNothing()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    Simulator simulator({});
    QVERIFY(simulator.nameInSettings(QStringLiteral("COM1")));
    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    QVERIFY(simulator.frames().isEmpty());
}

void TestLinkBatch::clockOnACOMPortFromTheSettingsFile()
{
    Simulator simulator(words("--clock 2001-09-03T14:05:09"));
    QVERIFY(simulator.nameInSettings(QStringLiteral("COM3")));
    const Run run = runCli(words("clock --port com3"));
    QCOMPARE(run.exitCode, 0);
    // The logger's clock runs on while the exchange waits for the next second.
    const QRegularExpression shown(QStringLiteral("^03/09/2001 14:05:(09|1[0-2])\n$"));
    QVERIFY2(shown.match(run.out).hasMatch(), qPrintable(run.out));
    QVERIFY(run.err.isEmpty());
    QCOMPARE(simulator.frames().join(u' '), QStringLiteral("rx 01 rx 01"));
}

void TestLinkBatch::loggerInfoPrintsTheSettingsDialogValues()
{
    // An identification beyond a byte is refused.
    QVERIFY(Simulator(words("--id 1042")).device().isEmpty());
    Simulator simulator(words("--clock 2001-09-03T14:05:09 --serial AB1234 --calibration "
                              "2001-09-06 --id 142 --version V2.01"));
    QVERIFY(!simulator.device().isEmpty());
    const Run run = runCli(words("logger-info --port") << simulator.device());
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.mid(0, 4),
             (QStringList { QStringLiteral("Serial Number: AB1234"),
                            QStringLiteral("Calibration Date: 06/09/2001"),
                            QStringLiteral("Identification: 142"),
                            QStringLiteral("Version Number: V2.01") }));
    QCOMPARE(lines.size(), 5);
    QVERIFY2(lines.at(4).startsWith(QStringLiteral("Date/Time: 03/09/2001 14:05:")),
             qPrintable(lines.at(4)));
    // Two exchanges, each with its own wake-up: the clock, then the information.
    QCOMPARE(simulator.frames().join(u' '), QStringLiteral("rx 01 rx 01 rx 01 rx 12"));
}

void TestLinkBatch::setClockSendsThePCsClock()
{
    Simulator simulator(words("--clock 1999-01-01T00:00:00"));
    QVERIFY(!simulator.device().isEmpty());
    const Run run = runCli(words("set-clock --port") << simulator.device());
    const QDateTime now = QDateTime::currentDateTime();
    QCOMPARE(run.exitCode, 0);
    QVERIFY(simulator.waitForLines(3));
    const QStringList frames = simulator.frames();
    QCOMPARE(frames.size(), 2);
    const QByteArray frame = QByteArray::fromHex(frames.at(1).mid(3).toLatin1());
    QCOMPARE(frame.size(), 8);
    QCOMPARE(frame.at(0), '\x02');
    auto at = [&frame](int i) { return static_cast<int>(static_cast<quint8>(frame.at(i))); };
    const QDateTime sent(QDate(2000 + at(6), at(4), at(5)), QTime(at(1), at(2), at(3)));
    QVERIFY2(qAbs(sent.secsTo(now)) <= 2, qPrintable(sent.toString(Qt::ISODate)));
    QCOMPARE(at(7), sent.date().dayOfWeek() % 7 + 1);
    const QRegularExpression message(
        QStringLiteral("^Date/Time has been set to \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d\n$"));
    QVERIFY2(message.match(run.out).hasMatch(), qPrintable(run.out));
}

void TestLinkBatch::interrogateWritesTheDownloadThenTheDistrictsAndClearEmptiesTheLogger()
{
    QTemporaryDir folder;
    const QByteArray memory = twoDistricts();
    const QString memoryPath = folder.filePath(QStringLiteral("memory.bin"));
    {
        QFile file(memoryPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(memory), memory.size());
    }
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("out")));
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("split")));
    const QString out = folder.filePath(QStringLiteral("out"));
    Simulator simulator({ QStringLiteral("--memory"), memoryPath });
    QVERIFY(!simulator.device().isEmpty());

    const Run run = runCli(words("interrogate --port")
                           << simulator.device() << QStringLiteral("--dir") << out);
    QCOMPARE(run.exitCode, 0);
    const int blocks = static_cast<int>(memory.size()) / 128 + 1;
    QVERIFY2(run.err.contains(QStringLiteral("Reading data from NERU: block %1 of %1").arg(blocks)),
             qPrintable(run.err));
    const QStringList printed = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), 3);
    const QRegularExpression downloadName(QStringLiteral("/download-\\d{8}-\\d{6}\\.bin$"));
    QVERIFY2(downloadName.match(printed.first()).hasMatch(), qPrintable(printed.first()));
    QCOMPARE(readFile(printed.first()), memory);

    // The districts are cut exactly as split cuts the saved download.
    const QString splitFolder = folder.filePath(QStringLiteral("split"));
    const Run split = runCli(
        { QStringLiteral("split"), printed.first(), QStringLiteral("--dir"), splitFolder });
    QCOMPARE(split.exitCode, 0);
    const QStringList districts = QDir(splitFolder).entryList(QDir::Files);
    QCOMPARE(districts, (QStringList { QStringLiteral("00012.dat"), QStringLiteral("00034.dat") }));
    for (const QString &name : districts) {
        QCOMPARE(readFile(out + u'/' + name), readFile(splitFolder + u'/' + name));
        QVERIFY(printed.contains(out + u'/' + name));
    }

    const Run cleared = runCli(words("clear --yes --port") << simulator.device());
    QCOMPARE(cleared.exitCode, 0);
    QCOMPARE(cleared.out, QStringLiteral("NERU memory has been cleared\n"));
    const Run empty = runCli(words("interrogate --port")
                             << simulator.device() << QStringLiteral("--dir") << folder.path());
    QCOMPARE(empty.exitCode, 1);
    QCOMPARE(empty.err, QStringLiteral("No data found in NERU unit\n"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
             QStringList { QStringLiteral("memory.bin") });
}

void TestLinkBatch::failurePrintsTheMessageAndExitsOne()
{
    Simulator simulator(words("--silent"));
    QVERIFY(!simulator.device().isEmpty());
    const Run run = runCli(words("clock --port") << simulator.device());
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.out.isEmpty());
    const QStringList lines = run.err.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() >= 3, qPrintable(run.err));
    QCOMPARE(lines.at(0), QStringLiteral("An error has occurred communicating with the NERU unit"));
    QCOMPARE(lines.at(1), QStringLiteral("Check the COM port and cable and then try again"));
    QVERIFY2(lines.at(2).startsWith(simulator.device() + QStringLiteral(": no reply")),
             qPrintable(lines.at(2)));
    // Time-outs on the real clock: more than three whole seconds after the wake-up.
    QVERIFY2(run.msecs >= 2900 && run.msecs <= 4500, qPrintable(QString::number(run.msecs)));
}

QTEST_GUILESS_MAIN(TestLinkBatch)
#include "tst_LinkBatch.moc"
