#include "BatchTool.h"
#include "DisplayUnit.h"
#include "DistrictBytes.h"
#include "LinkBatchCommands.h"
#include "NamedFormats.h"
#include "PdfPages.h"
#include "ProgramVersion.h"
#include "ReportBatchCommand.h"
#include "StringTable.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QBuffer>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kSamples = u"" NERU_SOURCE_DIR "/samples/"_s;

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QStringList errLines() const { return QString::fromLocal8Bit(err).split(u'\n'); }
};

// neru-cli as its own program, in the test's environment unless given another; or another
// program, such as a shell that hands neru-cli bytes that are not UTF-8.
Run runCli(const QStringList &arguments,
           const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
           const QString &program = u"" NERU_CLI ""_s)
{
    QProcess cli;
    cli.setProcessEnvironment(environment);
    cli.start(program, arguments);
    Run r;
    if (!cli.waitForFinished(60000))
        cli.kill();
    else if (cli.exitStatus() == QProcess::NormalExit)
        r.exitCode = cli.exitCode();
    r.out = cli.readAllStandardOutput();
    r.err = cli.readAllStandardError();
    return r;
}

// What lstat() tells of a path; all zero when there is nothing.
using Status = struct stat;
Status statusOf(const QString &path)
{
    Status status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

} // namespace

// What the batch tool adds to the core it runs on: its commands' exit codes, messages and
// output, the decoding warnings and --strict, and split's file naming. Decoding, opening
// and cutting themselves are the core tests'.
class TestBatchTool : public QObject
{
    Q_OBJECT

    // One command line run in-process.
    Run run(const QStringList &arguments)
    {
        QBuffer out;
        QBuffer err;
        out.open(QIODevice::WriteOnly);
        err.open(QIODevice::WriteOnly);
        BatchTool tool({ out, err, m_log.report, m_formats, m_strings });
        ReportBatchCommand report({ tool, m_log.report, m_formats, m_strings });
        report.addCommand();
        const KeptDownloads kept;
        LinkBatchCommands link(
            { tool, err, m_log.report, m_formats, m_strings, nullptr, kept, false });
        link.addCommands();
        Run r;
        r.exitCode = tool.run(QStringList { u"neru-cli"_s } + arguments);
        r.out = out.data();
        r.err = err.data();
        return r;
    }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        return TempLog::writeAll(path, bytes) ? path : QString();
    }

    QTemporaryDir m_dir;
    QStringList m_inputs; // the files the command table reads
    TempLog m_log;
    const NamedFormats m_formats { QLocale(QLocale::English, QLocale::UnitedKingdom) };
    const StringTable m_strings {};

private slots:
    // Each command line's exit code, and what its output and error streams hold (empty:
    // nothing at all).
    void commandsPrintAndExit_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        auto row = [](const char *name, const QStringList &arguments, int exitCode,
                      const QString &out, const QString &err) {
            QTest::newRow(name) << arguments << exitCode << out << err;
        };
        const QString flow = kSamples + u"flow.dat"_s;
        const QString pressure = kSamples + u"pressure.dat"_s;
        const QString missing = m_dir.filePath(u"missing.dat"_s);
        const QString nowhere = m_dir.filePath(u"no/such"_s);
        const QString csv = m_dir.filePath(u"strict.csv"_s);
        const QString noDistrict = writeFile(u"nodistrict.bin"_s, RecordEncoder::simple({}, 5));
        const QString older = writeFile(u"older.dat"_s, "3" + RecordEncoder::header(u"1"_s).mid(1));
        const QString download = kSamples + u"download.bin"_s;
        const QByteArray header = RecordEncoder::header(u"1"_s);
        const QString headerOnly = writeFile(u"header.dat"_s, header);
        const QString cut = writeFile(
            u"cut.dat"_s, header + district(u"00001"_s, 2) + RecordEncoder::simple({}, 1).left(5));
        const QString many = writeFile(u"many.dat"_s, header + district(u"00001"_s, 25, 0x8001));
        const QString full = writeFile(u"full.dat"_s, header + district(u"00001"_s, 3401 + 3));
        m_inputs = QDir(m_dir.path()).entryList(QDir::Files);
        const QString warning = u"neru-cli: warning: "_s;
        row("nothing", {}, 2, {}, u"Usage: neru-cli"_s);
        row("help", { u"--help"_s }, 0, u"  split "_s, {});
        row("version", { u"-v"_s }, 0, u"neru-cli "_s + programVersion() + u'\n', {});
        row("info of flow", { u"info"_s, flow }, 0,
            u"File: "_s + flow
                + u"\nDistrict: 10452\nTitle: High Street inlet\n"
                  "Comments1: Meter chamber by the school\nComments2: Sample data\n"
                  "Channel: flow, type 1\nLogging Int: 900 seconds\n"
                  "Meter: 10 l/rev\nHead: 1 pulses/rev\n"
                  "Maximum: 21.79 l/s\nMinimum: 6.93 l/s\nReference: 15.00 l/s\n"
                  "Samples: 472\nFirst: 23/11/2026 09:00:00\nLast: 28/11/2026 08:45:00\n"
                  "Gap markers: 1\nFittings: 3\n  00101 at sample 0, 23/11/2026 09:00:00\n"_s,
            {});
        row("info of pressure", { u"info"_s, pressure }, 0,
            u"Channel: pressure, type 5\nLogging Int: 900 seconds\n"
            "Transducer: 0-1 V, scale 2100\n"
            "Maximum: 5.11 Bar\nMinimum: 3.28 Bar\nReference: 4.00 Bar\n"_s,
            {});
        // The unit's name in any case; its factor is the unit table's, the rows the table
        // rows'.
        row("export in m3/h, --strict without problems",
            { u"export"_s, flow, u"--unit"_s, u"M3/H"_s, u"--strict"_s }, 0,
            u"00101,23/11/2026,09:00:00,53.76   ,0.24    \r\n"_s, {});
        // A record that does not decode is a warning; 20 are listed, the rest counted.
        row("more than twenty warnings", { u"info"_s, many }, 0, u"Samples: 0\n"_s,
            many + u": byte 452: Overflow\n"_s + warning + many + u": 5 more problems\n"_s);
        row("series full", { u"info"_s, full }, 0, u"Samples: 3401\n"_s,
            u": byte 34272: the district holds more than 3401 entries; the samples from here "
            "on were dropped\n"_s);
        // --strict: the same warnings, then the refusal, and nothing written.
        row("--strict", { u"export"_s, cut, u"--strict"_s, u"-o"_s, csv }, 1, {},
            warning + cut
                + u": byte 282: the record is cut short by the end of the file (5 of its "
                  "10 bytes)\nneru-cli: "_s
                + cut + u": decoding problems: 1 (--strict)\n"_s);
        row("unknown command", { u"frobnicate"_s }, 2, {}, u"unknown command \"frobnicate\""_s);
        row("unknown unit", { u"export"_s, flow, u"--unit"_s, u"furlong"_s }, 2, {},
            u"unknown unit \"furlong\""_s);
        row("unit of the other quantity", { u"export"_s, flow, u"--unit"_s, u"psi"_s }, 2, {},
            u"holds flow data; unit psi does not apply"_s);
        // A refusal is one line: the opening's reason behind the program's name.
        row("file refused", { u"info"_s, missing }, 1, {},
            u"neru-cli: "_s + missing + u": No such file or directory\n"_s);
        row("export to /dev/stdout", { u"export"_s, flow, u"-o"_s, u"/dev/stdout"_s }, 0,
            u"00101,23/11/2026,09:00:00,"_s, {});
        row("export not written", { u"export"_s, flow, u"-o"_s, nowhere + u"/x.csv"_s }, 1, {},
            u"neru-cli: "_s + nowhere + u"/x.csv: "_s);
        row("split without a district", { u"split"_s, noDistrict, u"--dir"_s, m_dir.path() }, 1, {},
            u"neru-cli: "_s + noDistrict + u": the download holds no district record\n"_s);
        row("split into a file", { u"split"_s, download, u"--dir"_s, headerOnly }, 1, {},
            u"neru-cli: "_s + headerOnly + u": not a folder\n"_s);
        row("split of a district file", { u"split"_s, flow, u"--dir"_s, m_dir.path() }, 1, {},
            u"neru-cli: "_s + flow + u" is a district file, not a download.\n"_s);
        // A file is what its opening bytes say, whatever its name.
        row("info of a download", { u"info"_s, download }, 1, {},
            u"neru-cli: "_s + download
                + u" is not a district file. It is a download: neru-cli split cuts it into "
                  "district files.\n"_s);
        row("export without readings", { u"export"_s, headerOnly, u"-o"_s, csv }, 1, {},
            u"neru-cli: "_s + headerOnly + u": There are no readings to export.\n"_s);
        row("edit without a text", { u"edit"_s, flow }, 2, {}, u"edit: nothing to set"_s);
        row("edit with a long district", { u"edit"_s, flow, u"--district"_s, u"123456789"_s }, 2,
            {}, u"--district: at most 8 characters\n"_s);
        row("edit of an older file", { u"edit"_s, older, u"--title"_s, u"t"_s }, 1, {},
            u"neru-cli: "_s + older + u": This program cannot communicate"_s);
        row("report of another file", { u"report"_s, noDistrict }, 1, {},
            u"neru-cli: "_s + noDistrict + u" is not a district file.\n"_s);
        // A logger command refused before it reaches the port.
        row("logger command without a port", { u"clock"_s }, 2, {}, u"--port DEVICE is required"_s);
        row("COM5", { u"clock"_s, u"--port"_s, u"COM5"_s }, 2, {}, u"COM1 to COM4"_s);
        row("logger command with a stray argument",
            { u"logger-info"_s, u"--port"_s, nowhere, u"extra"_s }, 2, {},
            u"unexpected argument \"extra\""_s);
        row("clear without --yes", { u"clear"_s, u"--port"_s, nowhere }, 2, {},
            u"add --yes to clear it"_s);
        // A report is made of samples; it goes to one place.
        row("report without samples", { u"report"_s, headerOnly }, 1, {},
            u"neru-cli: "_s + headerOnly + u": no samples to report\n"_s);
        // The report is the window's Copy Text, with the statistics dialog's captions in the
        // unit chosen (the report's layout is the report's test).
        row("report in the file's unit", { u"report"_s, pressure }, 0,
            u"\r\nTransducer: 0-1 V                       Maximum: 5.11 Bar\r\n"_s, {});
        row("report in psi", { u"report"_s, pressure, u"--unit"_s, u"psi"_s }, 0,
            u"\r\nTransducer: 0-1 V                       Maximum: 74.06 PSI\r\n"_s, {});
        row("report -o with --pdf",
            { u"report"_s, pressure, u"-o"_s, csv, u"--pdf"_s, m_dir.filePath(u"x.pdf"_s) }, 2, {},
            u"neru-cli report: -o and --pdf cannot be used together\n"_s);
    }
    void commandsPrintAndExit()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run r = run(arguments);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.contains(out.toLocal8Bit()), r.out);
        QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err.toLocal8Bit()), r.err);
        // None of them writes a file.
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), m_inputs);
    }

    // A FIFO is written into and stays one; so does a device, whose failure (1,7 takes no
    // byte) is told with the system's reason.
    void exportIntoANode()
    {
        const QString flow = kSamples + u"flow.dat"_s;
        const QString fifo = m_dir.filePath(u"fifo"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        // A reader that does not wait for the writer; the whole CSV fits in the pipe.
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QCOMPARE(runCli({ u"export"_s, flow, u"-o"_s, fifo }).exitCode, 0);
        QByteArray read(1 << 16, '\0');
        read.truncate(std::max<ssize_t>(::read(reader, read.data(), read.size()), 0));
        ::close(reader);
        QCOMPARE(read, run({ u"export"_s, flow }).out);
        QVERIFY(S_ISFIFO(statusOf(fifo).st_mode));

        const QString node = m_dir.filePath(u"full"_s);
        if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
            QSKIP("no device node can be made here (it takes root)");
        const Run r = runCli({ u"export"_s, flow, u"-o"_s, node });
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(QString::fromLocal8Bit(r.err),
                 u"neru-cli: "_s + node + u": No space left on device\n"_s);
        QVERIFY(S_ISCHR(statusOf(node).st_mode));
    }

    // A new file renamed over the old one (a second name of the old file keeps its bytes,
    // which a write in place would change), through a link whose target is replaced and the
    // link kept, with the old file's mode, and as root its owner and group.
    void rewriteKeepsLinkModeAndOwner()
    {
        const QString target = writeFile(u"target.csv"_s, "old");
        const QString link = m_dir.filePath(u"link.csv"_s);
        const QByteArray second = QFile::encodeName(m_dir.filePath(u"second.csv"_s));
        QCOMPARE(::link(QFile::encodeName(target).constData(), second.constData()), 0);
        QCOMPARE(::symlink("target.csv", QFile::encodeName(link).constData()), 0);
        QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0604), 0);
        const bool root = ::geteuid() == 0;
        QVERIFY(!root || ::chown(QFile::encodeName(target).constData(), 1234, 5678) == 0);
        const QString flow = kSamples + u"flow.dat"_s;
        QCOMPARE(runCli({ u"export"_s, flow, u"-o"_s, link }).exitCode, 0);
        QVERIFY(S_ISLNK(statusOf(link).st_mode));
        QCOMPARE(TempLog::readAll(target), run({ u"export"_s, flow }).out);
        QCOMPARE(TempLog::readAll(QFile::decodeName(second)), QByteArray("old"));
        const Status status = statusOf(target);
        QCOMPARE(status.st_mode & 07777, 0604u);
        QVERIFY(!root || (status.st_uid == 1234 && status.st_gid == 5678));
    }

    // A name that is not UTF-8 is opened by its bytes, and shown with them as \xNN.
    void nameThatIsNotUtf8()
    {
        const QString folder = m_dir.path() + u'/';
        const auto shell = [&folder](const QString &line) {
            return runCli({ u"-c"_s, line, u"" NERU_CLI ""_s, folder, kSamples },
                          QProcessEnvironment::systemEnvironment(), u"/bin/sh"_s);
        };
        const Run r = shell(uR"sh(n="$1$(printf 'caf\351.dat')"; cp "$2/flow.dat" "$n" &&
            "$0" info "$n"; status=$?; rm "$n"; exit $status)sh"_s);
        QVERIFY2(r.out.startsWith(("File: " + folder + "caf\\xe9.dat\n").toLocal8Bit()), r.out);
        const Run refused = shell(uR"sh(exec "$0" info "$1$(printf 'gone\377')")sh"_s);
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(QString::fromLocal8Bit(refused.err),
                 u"neru-cli: "_s + folder + u"gone\\xff: No such file or directory\n"_s);
    }

    // Only the texts given change, space-padded in their fields, in Windows-1252; the file
    // keeps its length. A character the code page cannot hold is refused, the file untouched.
    void editSetsHeaderTextsInPlace()
    {
        const QByteArray before = TempLog::readAll(kSamples + u"flow.dat"_s);
        const QString path = writeFile(u"edit.dat"_s, before);
        const QString title = QString(60, u'T');
        QCOMPARE(run({ u"edit"_s, path, u"--title"_s, title, u"--district"_s, u"D1"_s,
                       u"--comments1"_s, u"Café – dash"_s })
                     .exitCode,
                 0);
        QByteArray expected = before;
        expected.replace(9, 8, "D1      ");
        expected.replace(25, 60, title.toLatin1());
        expected.replace(96, 60, QByteArray("Caf\xe9 \x96 dash") + QByteArray(49, ' '));
        QCOMPARE(TempLog::readAll(path), expected);
        QVERIFY(run({ u"info"_s, path }).out.contains(u"\nComments1: Café – dash\n"_s.toUtf8()));

        const Run refused
            = run({ u"edit"_s, path, u"--district"_s, u"D2"_s, u"--title"_s, u"日本"_s });
        QCOMPARE(refused.exitCode, 2);
        QCOMPARE(refused.err,
                 u"neru-cli edit: --title: The character \"日\" cannot be stored in a "
                 "district file; type the text without it.\n"_s.toUtf8());
        QCOMPARE(TempLog::readAll(path), expected);
    }

    // A number met again is a logger moved back to a district: another file, never one of
    // the same run, --force or not.
    void splitNeverLosesADistrict()
    {
        const QByteArray first = district(u"10452"_s, 3, 100);
        const QByteArray second = district(u"10452"_s, 2, 200);
        const QByteArray odd = district(u"1.;45"_s, 1, 300); // not safe as a file name
        const QByteArray third = district(u"10452"_s, 1, 400);
        const QStringList split { u"split"_s,
                                  writeFile(u"download.bin"_s, first + second + odd + third),
                                  u"--dir"_s, m_dir.path() };
        const QString old = writeFile(u"10452.dat"_s, "keep me");
        const QString oddPath = m_dir.filePath(u"1._45.dat"_s);
        // Without --force the file from before the run is kept, and every district that
        // would replace it is refused; the rest are written.
        const Run kept = run(split);
        QCOMPARE(kept.exitCode, 1);
        QCOMPARE(TempLog::readAll(old), QByteArray("keep me"));
        QVERIFY(kept.err.contains((old + u": already exists"_s).toLocal8Bit()));
        QVERIFY(kept.errLines().contains(u"neru-cli: "_s + split.at(1)
                                         + u": district \"1.;45\" is written as 1._45.dat"_s));
        QCOMPARE(QString::fromLocal8Bit(kept.out), oddPath + u'\n');
        QCOMPARE(TempLog::readAll(oddPath), RecordEncoder::header(u"1.;45"_s) + odd);
        // --force replaces it, and the same number goes on to -2 and -3.
        const Run forced = run(split + QStringList { u"--force"_s });
        QCOMPARE(forced.exitCode, 0);
        const QString two = m_dir.filePath(u"10452-2.dat"_s);
        const QString three = m_dir.filePath(u"10452-3.dat"_s);
        QCOMPARE(TempLog::readAll(old), RecordEncoder::header(u"10452"_s) + first);
        QCOMPARE(TempLog::readAll(two), RecordEncoder::header(u"10452"_s) + second);
        QCOMPARE(TempLog::readAll(three), RecordEncoder::header(u"10452"_s) + third);
        QCOMPARE(QString::fromLocal8Bit(forced.out),
                 QStringList({ old, two, oddPath, three }).join(u'\n') + u'\n');
    }

    // neru-cli itself, with no display and no platform chosen, prints the report's lines on
    // A4 pages (where they stand on the page is the printing's test). A PDF that cannot be
    // written is one line naming it and why.
    void reportPrintsTheTablePages()
    {
        const QString pressure = kSamples + u"pressure.dat"_s;
        const QString pdf = m_dir.filePath(u"report.pdf"_s);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(u"QT_QPA_PLATFORM"_s);
        environment.remove(u"DISPLAY"_s);
        const Run refused
            = runCli({ u"report"_s, pressure, u"--pdf"_s, pressure + u"/x.pdf"_s }, environment);
        QCOMPARE(refused.exitCode, 1);
        QCOMPARE(QString::fromLocal8Bit(refused.err),
                 u"neru-cli: "_s + pressure + u"/x.pdf: Not a directory\n"_s);
        const Run r = runCli({ u"report"_s, pressure, u"--pdf"_s, pdf }, environment);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), r.err);

        PdfPages read;
        QVERIFY(read.read(pdf));
        QVERIFY(qAbs(read.pages.constFirst().width() - 210.0) < 1.0);
        QVERIFY(qAbs(read.pages.constFirst().height() - 297.0) < 1.0);
        // Line for line the copied report: tst_ProgramReports::printTableOnThePrinter.
        QVERIFY(read.lines.constFirst().text.startsWith(u"Title:"_s));
    }
};

QTEST_GUILESS_MAIN(TestBatchTool)
#include "tst_BatchTool.moc"
