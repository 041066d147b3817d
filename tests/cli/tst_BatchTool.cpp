#include "BatchTool.h"
#include "FileProcessing.h"
#include "NamedFormats.h"
#include "ProgramVersion.h"
#include "StringTable.h"
#include "TableRows.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QBuffer>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const QString kSamples = QStringLiteral(NERU_SOURCE_DIR "/samples/");

// Runs one command line in-process and keeps what it printed.
struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

} // namespace

class TestBatchTool : public QObject
{
    Q_OBJECT

private slots:
    void usageAndVersion();
    void infoDescribesTheSamples();
    void exportWritesWhatFileExportWrites();
    void exportUnits_data();
    void exportUnits();
    void exportToAFileReplacesIt();
    void badFilesFailWithOneLine_data();
    void badFilesFailWithOneLine();
    void theProgramSurvivesAnyBytes();
    void splitCutsTheDownload();
    void splitKeepsExistingFilesWithoutForce();
    void splitWithoutDistrictsFails();

private:
    Run run(const QStringList &arguments)
    {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        BatchTool tool({ out, err, m_log.report, m_formats, m_strings });
        Run r;
        r.exitCode = tool.run(QStringList { QStringLiteral("neru-cli") } + arguments);
        r.out = out.data();
        r.err = err.data();
        return r;
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
    TempLog m_log;
    const NamedFormats m_formats { QLocale(QLocale::English, QLocale::UnitedKingdom) };
    const StringTable m_strings {};
};

void TestBatchTool::usageAndVersion()
{
    const Run none = run({});
    QCOMPARE(none.exitCode, 2);
    QVERIFY(none.err.contains("Usage: neru-cli"));

    const Run help = run({ QStringLiteral("--help") });
    QCOMPARE(help.exitCode, 0);
    for (const char *command : { "info", "export", "split" })
        QVERIFY(help.out.contains(command));

    const Run version = run({ QStringLiteral("--version") });
    QCOMPARE(version.exitCode, 0);
    QCOMPARE(version.out, ("neru-cli " + programVersion() + u'\n').toUtf8());

    QCOMPARE(run({ QStringLiteral("frobnicate") }).exitCode, 2);
    QCOMPARE(run({ QStringLiteral("info") }).exitCode, 2);
    QCOMPARE(
        run({ QStringLiteral("export"), QStringLiteral("--bogus"), QStringLiteral("x") }).exitCode,
        2);
    const Run commandHelp = run({ QStringLiteral("export"), QStringLiteral("--help") });
    QCOMPARE(commandHelp.exitCode, 0);
    QVERIFY(commandHelp.out.contains("--unit"));
}

void TestBatchTool::infoDescribesTheSamples()
{
    const Run flow = run({ QStringLiteral("info"), kSamples + QStringLiteral("flow.dat") });
    QCOMPARE(flow.exitCode, 0);
    const QString text = QString::fromLocal8Bit(flow.out);
    for (const char *line : { "District: 10452\n", "Title: High Street inlet\n",
                              "Channel: flow, type 1\n", "Logging Int: 900 seconds\n",
                              "Meter: 10 l/rev\n", "Head: 1 pulses/rev\n", "Reference: 15.00 l/s\n",
                              "Gap markers: 1\n", "Fittings: 3\n", "First: 23/11/2026 09:00:00\n" })
        QVERIFY2(text.contains(QString::fromLatin1(line)), line);

    // The figures are those of the decode.
    FileProcessing fp(m_log.report);
    qint16 units = 0;
    fp.readImageFile(kSamples + QStringLiteral("flow.dat"));
    fp.processRecords(units);
    QVERIFY(text.contains(QStringLiteral("Samples: %1\n").arg(fp.series().lngNumSamples)));
    QVERIFY(text.contains(QStringLiteral("Maximum: ") + m_formats.fixed(fp.series().dblMaxValue)
                          + QStringLiteral(" l/s\n")));

    const Run pressure = run({ QStringLiteral("info"), kSamples + QStringLiteral("pressure.dat") });
    QCOMPARE(pressure.exitCode, 0);
    QVERIFY(pressure.out.contains("Channel: pressure, type 5\n"));
    QVERIFY(pressure.out.contains("Transducer: 0-1 V, scale 2100\n"));
    QVERIFY(pressure.out.contains("Reference: 4.00 Bar\n"));
}

void TestBatchTool::exportWritesWhatFileExportWrites()
{
    const Run r = run({ QStringLiteral("export"), kSamples + QStringLiteral("flow.dat") });
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.err.isEmpty());
    const QList<QByteArray> lines = r.out.split('\n');
    QVERIFY(r.out.endsWith("\r\n"));
    // One line per entry of the series, each ending in CR LF, no heading.
    FileProcessing fp(m_log.report);
    qint16 units = 0;
    fp.readImageFile(kSamples + QStringLiteral("flow.dat"));
    fp.processRecords(units);
    QCOMPARE(lines.size() - 1, fp.series().lngNumSamples);
    QCOMPARE(lines.first(), QByteArray("00101,23/11/2026,09:00:00,14.93   ,0.07    \r"));
    int gaps = 0;
    for (int i = 0; i + 1 < lines.size(); ++i) {
        QVERIFY(lines.at(i).endsWith('\r'));
        if (lines.at(i).contains("--------")) {
            ++gaps;
            QCOMPARE(lines.at(i), QByteArray("00101,--------,--------,--------,--------\r"));
        } else {
            QCOMPARE(lines.at(i).count(','), 4);
        }
    }
    QCOMPARE(gaps, 1);
    // Fitting numbers change where the fittings are.
    QVERIFY(r.out.contains("\r\n00102,25/11/2026,11:00:00,"));
}

void TestBatchTool::exportUnits_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("factor");
    QTest::newRow("l/s") << "flow.dat"
                         << "l/s" << 1.0;
    QTest::newRow("m3/h") << "flow.dat"
                          << "M3/H" << 3.6;
    QTest::newRow("kgal/h") << "flow.dat"
                            << "kgal/h" << 0.792;
    QTest::newRow("bar") << "pressure.dat"
                         << "bar" << 1.0;
    QTest::newRow("psi") << "pressure.dat"
                         << "PSI" << 14.5;
    QTest::newRow("mhd") << "pressure.dat"
                         << "mhd" << 10.2;
    QTest::newRow("fthd") << "pressure.dat"
                          << "fthd" << 33.44;
}

void TestBatchTool::exportUnits()
{
    QFETCH(QString, file);
    QFETCH(QString, unit);
    QFETCH(double, factor);
    const Run r
        = run({ QStringLiteral("export"), kSamples + file, QStringLiteral("--unit"), unit });
    QCOMPARE(r.exitCode, 0);
    FileProcessing fp(m_log.report);
    qint16 units = 0;
    fp.readImageFile(kSamples + file);
    fp.processRecords(units);
    const QString first = QString::fromLocal8Bit(r.out.left(r.out.indexOf('\r')));
    QCOMPARE(first.section(u',', 3, 3).trimmed(),
             m_formats.fixed(fp.series().dblValue[0] * factor));
    QCOMPARE(first.section(u',', 4, 4).trimmed(),
             m_formats.fixed((fp.settings().dblReference - fp.series().dblValue[0]) * factor));

    // A unit of the other quantity, or none known, is a usage error.
    const QString other
        = file == QLatin1String("flow.dat") ? QStringLiteral("psi") : QStringLiteral("l/s");
    const Run wrong
        = run({ QStringLiteral("export"), kSamples + file, QStringLiteral("--unit"), other });
    QCOMPARE(wrong.exitCode, 2);
    QVERIFY(wrong.out.isEmpty());
    QCOMPARE(run({ QStringLiteral("export"), kSamples + file, QStringLiteral("--unit"),
                   QStringLiteral("furlongs") })
                 .exitCode,
             2);
}

void TestBatchTool::exportToAFileReplacesIt()
{
    const QString target = writeFile(QStringLiteral("neru.csv"), QByteArray(100000, 'z'));
    const Run toFile = run({ QStringLiteral("export"), kSamples + QStringLiteral("pressure.dat"),
                             QStringLiteral("-o"), target });
    QCOMPARE(toFile.exitCode, 0);
    QVERIFY(toFile.out.isEmpty());
    const Run toStdout = run({ QStringLiteral("export"), kSamples + QStringLiteral("pressure.dat"),
                               QStringLiteral("-o"), QStringLiteral("-") });
    QFile f(target);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), toStdout.out);

    const Run noFolder
        = run({ QStringLiteral("export"), kSamples + QStringLiteral("pressure.dat"),
                QStringLiteral("-o"), m_dir.filePath(QStringLiteral("no/such/x.csv")) });
    QCOMPARE(noFolder.exitCode, 1);
    QVERIFY(noFolder.err.contains("no/such/x.csv"));
}

void TestBatchTool::badFilesFailWithOneLine_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("infoExit");
    QTest::addColumn<int>("exportExit");
    QTest::addColumn<QString>("reason");
    QTest::newRow("empty") << QByteArray() << 1 << 1 << "the file is empty";
    QTest::newRow("wrong first byte")
        << QByteArray("3mtrict:") << 1 << 1 << StringTable().text(40250);
    // Accepted as File > Open accepts it: no samples, an empty export.
    QTest::newRow("one byte") << QByteArray("4") << 1 << 0
                              << "the header is cut short (1 of 247 bytes)";
    QTest::newRow("header only") << RecordEncoder::header(QStringLiteral("1")) << 0 << 0 << "";
    RecordEncoder::District d;
    QTest::newRow("truncated record") << RecordEncoder::header(QStringLiteral("1"))
            + RecordEncoder::district(d) + RecordEncoder::simple({ 2026, 1, 1, 0, 0, 0 }, 5).left(4)
                                      << 0 << 0 << "";
}

void TestBatchTool::badFilesFailWithOneLine()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, infoExit);
    QFETCH(int, exportExit);
    QFETCH(QString, reason);
    const QString path = writeFile(QStringLiteral("bad.dat"), bytes);
    for (const QString &command : { QStringLiteral("info"), QStringLiteral("export") }) {
        const Run r = run({ command, path });
        const int exitCode = command == QLatin1String("info") ? infoExit : exportExit;
        QCOMPARE(r.exitCode, exitCode);
        if (command == QLatin1String("export") && exitCode == 0 && bytes.size() <= 247 + 15)
            QVERIFY(r.out.isEmpty());
        if (exitCode != 0) {
            QCOMPARE(r.err.count('\n'), 1);
            QCOMPARE(QString::fromLocal8Bit(r.err),
                     QStringLiteral("neru-cli: ") + path + QStringLiteral(": ") + reason + u'\n');
            QVERIFY(r.out.isEmpty());
        }
    }
    const Run missing
        = run({ QStringLiteral("info"), m_dir.filePath(QStringLiteral("missing.dat")) });
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.startsWith(
        "neru-cli: " + m_dir.filePath(QStringLiteral("missing.dat")).toLocal8Bit() + ": "));
}

void TestBatchTool::theProgramSurvivesAnyBytes()
{
    // The real program, so that a crash shows as one.
    QRandomGenerator random(42);
    for (int round = 0; round < 12; ++round) {
        QByteArray bytes(random.bounded(1, 3000), '\0');
        for (char &b : bytes)
            b = static_cast<char>(random.bounded(256));
        if (round % 2 == 0)
            bytes[0] = '4';
        const QString path = writeFile(QStringLiteral("random%1.dat").arg(round), bytes);
        for (const QString &command :
             { QStringLiteral("info"), QStringLiteral("export"), QStringLiteral("split") }) {
            QProcess p;
            p.setWorkingDirectory(m_dir.path());
            QStringList args { command, path };
            if (command == QLatin1String("split"))
                args << QStringLiteral("--force");
            p.start(QStringLiteral(NERU_CLI), args);
            QVERIFY(p.waitForFinished(30000));
            QCOMPARE(p.exitStatus(), QProcess::NormalExit);
            QVERIFY2(p.exitCode() == 0 || p.exitCode() == 1,
                     qPrintable(command + QString::number(p.exitCode())));
        }
    }
}

void TestBatchTool::splitCutsTheDownload()
{
    QTemporaryDir out;
    const Run r = run({ QStringLiteral("split"), kSamples + QStringLiteral("download.bin"),
                        QStringLiteral("--dir"), out.path() });
    QCOMPARE(r.exitCode, 0);
    const QStringList expected
        = { out.filePath(QStringLiteral("10452.dat")), out.filePath(QStringLiteral("20731.dat")),
            out.filePath(QStringLiteral("10460.dat")) };
    QCOMPARE(QString::fromLocal8Bit(r.out), expected.join(u'\n') + u'\n');

    // Each file is the header with the district number, then that district's bytes.
    QFile download(kSamples + QStringLiteral("download.bin"));
    QVERIFY(download.open(QIODevice::ReadOnly));
    const QByteArray bytes = download.readAll();
    const QList<qint32> positions = FileProcessing::districtPositions(bytes, qint32(bytes.size()));
    QCOMPARE(positions.size(), 3);
    qint64 total = 0;
    for (int k = 0; k < 3; ++k) {
        FileProcessing fp(m_log.report);
        fp.readImageFile(expected.at(k));
        QCOMPARE(fp.getDistrict(), QFileInfo(expected.at(k)).completeBaseName());
        QCOMPARE(fp.getTitle(), QString());
        QCOMPARE(fp.getComments1(), QString());
        const qint32 end = k < 2 ? positions.at(k + 1) : qint32(bytes.size());
        QCOMPARE(fp.RawImage().mid(247), bytes.mid(positions.at(k), end - positions.at(k)));
        total += fp.lngImageLength() - 247;
    }
    QCOMPARE(total, bytes.size());

    // The flow district decodes as the bundled flow file does.
    const Run a = run({ QStringLiteral("export"), expected.at(0) });
    const Run b = run({ QStringLiteral("export"), kSamples + QStringLiteral("flow.dat") });
    QCOMPARE(a.out, b.out);
}

void TestBatchTool::splitKeepsExistingFilesWithoutForce()
{
    QTemporaryDir out;
    const QString existing = out.filePath(QStringLiteral("20731.dat"));
    QFile f(existing);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("keep me");
    f.close();
    const Run r = run({ QStringLiteral("split"), kSamples + QStringLiteral("download.bin"),
                        QStringLiteral("--dir"), out.path() });
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains(existing.toLocal8Bit()));
    QCOMPARE(r.out.count('\n'), 2); // the other two are written
    QVERIFY(QFileInfo::exists(out.filePath(QStringLiteral("10460.dat"))));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("keep me"));
    f.close();

    const Run forced = run({ QStringLiteral("split"), kSamples + QStringLiteral("download.bin"),
                             QStringLiteral("--dir"), out.path(), QStringLiteral("--force") });
    QCOMPARE(forced.exitCode, 0);
    QCOMPARE(forced.out.count('\n'), 3);
    QVERIFY(QFileInfo(existing).size() > 247);
}

void TestBatchTool::splitWithoutDistrictsFails()
{
    const QString path = writeFile(QStringLiteral("nodistrict.bin"),
                                   RecordEncoder::simple({ 2026, 1, 1, 0, 0, 0 }, 5));
    QTemporaryDir out;
    const Run r = run({ QStringLiteral("split"), path, QStringLiteral("--dir"), out.path() });
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains("no district record"));
    QVERIFY(QDir(out.path()).isEmpty());
    QCOMPARE(run({ QStringLiteral("split"), path, QStringLiteral("--dir"),
                   m_dir.filePath(QStringLiteral("nowhere")) })
                 .exitCode,
             1);
}

QTEST_GUILESS_MAIN(TestBatchTool)
#include "tst_BatchTool.moc"
