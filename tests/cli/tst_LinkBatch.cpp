#include "LinkFixture.h"
#include "SettingsStore.h"
#include "records/RecordEncoder.h"
#include "sim/SimulatorCommandLine.h"

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
    return line.split(u' ', Qt::SkipEmptyParts);
}

// The logger as the simulator's command line sets it up.
LoggerSimulator::Options logger(const QString &line)
{
    LoggerSimulator::Options options;
    QString error;
    QString help;
    if (!SimulatorCommandLine::parse(words(u"neru-logger-sim "_s + line), options, error, help))
        qFatal("simulator arguments: %s", qPrintable(error));
    return options;
}

// The batch tool as its own program; locale, time zone and settings folder are the test's.
// The simulator answers in this process's event loop while the tool runs.
Run runCli(const QString &line)
{
    QProcess cli;
    cli.start(u"" NERU_CLI ""_s, words(line));
    Run run;
    if (!QTest::qWaitFor([&cli] { return cli.state() == QProcess::NotRunning; }, 30000)) {
        cli.kill();
        cli.waitForFinished();
        return run;
    }
    run.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    run.out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return run;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// The logger commands of neru-cli end to end: the batch tool as a program of its own and
// the simulator on a pseudo-terminal, on the real clock. The frames and the messages
// themselves are the link's tests'.
class TestLinkBatch : public QObject
{
    Q_OBJECT

private slots:
    void usageErrorsSendNothing_data();
    void usageErrorsSendNothing();
    void commandsPrintWhatTheLoggerSays_data();
    void commandsPrintWhatTheLoggerSays();
    void setClockSendsThePCsClock();
    void interrogateWritesTheDownloadThenTheDistricts();
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
    LinkFixture link(logger(u"--clock 2001-09-03T14:05:09"_s));
    QVERIFY(link.start());
    SettingsStore settings;
    settings.write(u"Ports"_s, u"COM1"_s, link.simulator.devicePath());
    QVERIFY(settings.sync());
    const Run run = runCli(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
    // A command that reaches the logger through the settings file: its frames are the
    // first the logger sees. Its clock runs on while the exchange waits for a new second.
    const Run clock = runCli(u"clock --port com1"_s);
    QCOMPARE(clock.exitCode, 0);
    QVERIFY2(QRegularExpression(u"^03/09/2001 14:05:(09|1[0-2])\n$"_s).match(clock.out).hasMatch(),
             qPrintable(clock.out));
    QCOMPARE(link.framesOnTheLine(), u"01 01"_s);
}

void TestLinkBatch::commandsPrintWhatTheLoggerSays_data()
{
    QTest::addColumn<QString>("logger"); // the simulator's arguments
    QTest::addColumn<QString>("command"); // run with --port and the simulator's device
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("printed"); // on standard output when 0, else on errors
    QTest::addColumn<QString>("frames"); // not checked when empty
    // Two exchanges, each with its own wake-up: the clock, then the information.
    QTest::newRow("logger-info")
        << u"--clock 2001-09-03T14:05:09 --serial AB1234 --calibration 2001-09-06 --id 142 "
           "--version V2.01"_s
        << u"logger-info"_s << 0
        << u"^Serial Number: AB1234\nCalibration Date: 06/09/2001\nIdentification: 142\n"
           "Version Number: V2.01\nDate/Time: 03/09/2001 14:05:\\d\\d\n$"_s
        << u"01 01 01 12"_s;
    QTest::newRow("clear") << QString() << u"clear --yes"_s << 0
                           << u"^NERU memory has been cleared\n$"_s << u"01 0f"_s;
    QTest::newRow("interrogate an empty logger")
        << QString() << u"interrogate --dir ."_s << 1 << u"^No data found in NERU unit\n$"_s
        << u"01 0d"_s;
    QTest::newRow("no reply") << u"--silent"_s << u"clock"_s << 1
                              << u"^An error has occurred communicating with the NERU unit\n"
                                 "Check the COM port and cable and then try again\n\\S+: no reply"_s
                              << QString();
}

void TestLinkBatch::commandsPrintWhatTheLoggerSays()
{
    QFETCH(QString, logger);
    QFETCH(QString, command);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);
    QFETCH(QString, frames);
    LinkFixture link(::logger(logger));
    QVERIFY(link.start());
    const Run run = runCli(command + u" --port "_s + link.simulator.devicePath());
    QCOMPARE(run.exitCode, exitCode);
    const QString &shown = exitCode == 0 ? run.out : run.err;
    QVERIFY2(QRegularExpression(printed).match(shown).hasMatch(), qPrintable(shown));
    QVERIFY((exitCode == 0 ? run.err : run.out).isEmpty());
    if (!frames.isEmpty())
        QCOMPARE(link.framesOnTheLine(), frames);
}

void TestLinkBatch::setClockSendsThePCsClock()
{
    LinkFixture link(logger(u"--clock 1999-01-01T00:00:00"_s));
    QVERIFY(link.start());
    const Run run = runCli(u"set-clock --port "_s + link.simulator.devicePath());
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.out.startsWith(u"Date/Time has been set to "_s), qPrintable(run.out));
    const qint64 offset = link.simulator.loggerClock().secsTo(QDateTime::currentDateTime());
    QVERIFY2(qAbs(offset) <= 2, qPrintable(QString::number(offset)));
}

void TestLinkBatch::interrogateWritesTheDownloadThenTheDistricts()
{
    QStringList numbers { u"00012"_s, u"00034"_s };
    LoggerSimulator::Options options;
    for (const QString &number : numbers) {
        RecordEncoder::District d;
        d.number = number;
        options.memory += RecordEncoder::district(d);
        RecordEncoder::Time t { 2026, 3, 2, 0, 0, 0 };
        for (int i = 0; i < 12; ++i, t = RecordEncoder::addSeconds(t, 900))
            options.memory += RecordEncoder::simple(t, static_cast<quint16>(100 + i * 3));
    }
    LinkFixture link(options);
    QVERIFY(link.start());
    QTemporaryDir out;
    const Run run
        = runCli(u"interrogate --port %1 --dir %2"_s.arg(link.simulator.devicePath(), out.path()));
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains(u"Reading data from NERU: block 3 of 3"_s), qPrintable(run.err));
    const QStringList printed = run.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(printed.size(), 3);
    const QRegularExpression downloadName(u"/download-\\d{8}-\\d{6}\\.bin$"_s);
    QVERIFY2(downloadName.match(printed.first()).hasMatch(), qPrintable(printed.first()));
    QCOMPARE(readFile(printed.first()), options.memory);
    // Then the districts, cut as split cuts a download.
    for (int k = 0; k < 2; ++k)
        QCOMPARE(printed.at(k + 1), out.path() + u'/' + numbers.at(k) + u".dat"_s);
}

QTEST_GUILESS_MAIN(TestLinkBatch)
#include "tst_LinkBatch.moc"
