#include "DistrictBytes.h"
#include "LinkFixture.h"
#include "SettingsStore.h"
#include "TempLog.h"
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

QStringList words(const QString &line)
{
    return line.split(u' ', Qt::SkipEmptyParts);
}

LoggerSimulator::Options logger(const QString &line)
{
    LoggerSimulator::Options options;
    QString error;
    QString help;
    if (!SimulatorCommandLine::parse(words(u"neru-logger-sim "_s + line), options, error, help))
        qFatal("simulator arguments: %s", qPrintable(error));
    return options;
}

// neru-cli as its own program, while the simulator answers in this process's event loop.
Run runCli(const QString &line)
{
    QProcess cli;
    cli.start(u"" NERU_CLI ""_s, words(line));
    if (!QTest::qWaitFor([&cli] { return cli.state() == QProcess::NotRunning; }, 30000))
        cli.kill();
    cli.waitForFinished();
    return { cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1,
             QString::fromLocal8Bit(cli.readAllStandardOutput()),
             QString::fromLocal8Bit(cli.readAllStandardError()) };
}

} // namespace

// neru-cli's logger commands end to end against the simulator, on the real clock.
class TestLinkBatch : public QObject
{
    Q_OBJECT

private slots:
    // Exit code and output (errors when it fails); the session's tests check the frames.
    void commandsOverTheLink_data()
    {
        QTest::addColumn<QString>("logger"); // the simulator's arguments
        QTest::addColumn<QString>("command"); // %1: the simulator's device
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("printed"); // a pattern, on standard output when 0, else errors
        auto row = [](const char *name, const QString &logger, const QString &command, int exitCode,
                      const QString &printed) {
            QTest::newRow(name) << logger << command << exitCode << printed;
        };
        // COM1 is the device the settings file names.
        row("clock", u"--clock 2001-09-03T14:05:09"_s, u"clock --port com1"_s, 0,
            u"^03/09/2001 14:05:(09|1[0-2])\n$"_s);
        row("logger-info",
            u"--clock 2001-09-03T14:05:09 --serial AB1234 --calibration 2001-09-06 --id 142 "
            "--version V2.01"_s,
            u"logger-info --port %1"_s, 0,
            u"^Serial Number: AB1234\nCalibration Date: 06/09/2001\nIdentification: 142\n"
            "Version Number: V2.01\nDate/Time: 03/09/2001 14:05:\\d\\d\n$"_s);
        row("clear", QString(), u"clear --yes --port %1"_s, 0,
            u"^NERU memory has been cleared\n$"_s);
        // The logger is set to the PC's clock, not the one it had.
        row("set-clock", u"--clock 1999-01-01T00:00:00"_s, u"set-clock --port %1"_s, 0,
            u"^Date/Time has been set to %1 \\d\\d:\\d\\d:\\d\\d\n$"_s.arg(
                QDate::currentDate().toString(u"dd/MM/yyyy"_s)));
        row("interrogate an empty logger", QString(), u"interrogate --dir . --port %1"_s, 1,
            u"^No data found in NERU unit\n$"_s);
        row("no reply", u"--silent"_s, u"clock --port %1"_s, 1,
            u"^An error has occurred communicating with the NERU unit\n"
            "Check the COM port and cable and then try again\n\\S+: no reply"_s);
    }
    void commandsOverTheLink()
    {
        QFETCH(QString, logger);
        QFETCH(QString, command);
        QFETCH(int, exitCode);
        QFETCH(QString, printed);
        LinkFixture link(::logger(logger));
        QVERIFY(link.start());
        SettingsStore settings;
        settings.write(u"Ports"_s, u"COM1"_s, link.simulator.devicePath());
        QVERIFY(settings.sync());
        const Run run = runCli(command.contains(u"%1"_s) ? command.arg(link.simulator.devicePath())
                                                         : command);
        QCOMPARE(run.exitCode, exitCode);
        const QString &shown = exitCode == 0 ? run.out : run.err;
        QVERIFY2(QRegularExpression(printed).match(shown).hasMatch(), qPrintable(shown));
        QVERIFY((exitCode == 0 ? run.err : run.out).isEmpty());
    }

    // The download is kept with the window's downloads, then cut into --dir (made with its
    // parents); one that ends short is kept as far as it went. Progress is a line per block.
    void interrogateKeepsTheDownloadThenCutsIt()
    {
        LoggerSimulator::Options options;
        options.memory = district(u"00012"_s, 12) + district(u"00034"_s, 1);
        LinkFixture link(options);
        QVERIFY(link.start());
        const QTemporaryDir temporary;
        const QDir out(temporary.filePath(u"new/deeper"_s));
        const QString command
            = u"interrogate --port %1 --dir %2"_s.arg(link.simulator.devicePath(), out.path());
        const QString kept = qEnvironmentVariable("XDG_DATA_HOME") + u"/neru/downloads/download-"_s;
        Run run = runCli(command);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err,
                 u"Reading data from NERU: block 1 of 2\n"
                 "Reading data from NERU: block 2 of 2\n"_s);
        const QStringList printed = run.out.split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(printed.size(), 3);
        QVERIFY2(printed.first().startsWith(kept), qPrintable(printed.first()));
        QCOMPARE(TempLog::readAll(printed.first()), options.memory);
        QCOMPARE(printed.mid(1),
                 (QStringList { out.filePath(u"00012.dat"_s), out.filePath(u"00034.dat"_s) }));

        link.simulator.setFaults({ false, -1, link.simulator.blocksSent() + 1 });
        run = runCli(command);
        QCOMPARE(run.exitCode, 1);
        const QRegularExpressionMatch partial
            = QRegularExpression(u"partial download kept in ("_s + QRegularExpression::escape(kept)
                                 + u"\\d{8}-\\d{6}-partial\\.bin)\n"_s)
                  .match(run.err);
        QVERIFY2(partial.hasMatch(), qPrintable(run.err));
        QCOMPARE(TempLog::readAll(partial.captured(1)), options.memory.left(128));
        QVERIFY(run.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLinkBatch)
#include "tst_LinkBatch.moc"
