#include "DistrictBytes.h"
#include "PdfPages.h"
#include "ProgramVersion.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

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

// neru-cli as its own program, or another program (a shell) that runs it.
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

// The batch tool's exit codes, messages and output, --strict and split's file naming.
class TestBatchTool : public QObject
{
    Q_OBJECT

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        return TempLog::writeAll(path, bytes) ? path : QString();
    }

    QTemporaryDir m_dir;
    QStringList m_inputs; // the files the command table reads

private slots:
    // Each command line's exit code and what its streams hold (empty: nothing at all).
    void commandsPrintAndExit_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        const QByteArray header = RecordEncoder::header(u"1"_s);
        const QHash<QString, QString> paths {
            { u"flow"_s, kSamples + u"flow.dat"_s },
            { u"pressure"_s, kSamples + u"pressure.dat"_s },
            { u"download"_s, kSamples + u"download.bin"_s },
            { u"missing"_s, m_dir.filePath(u"missing.dat"_s) },
            { u"nowhere"_s, m_dir.filePath(u"no/such"_s) },
            { u"csv"_s, m_dir.filePath(u"strict.csv"_s) },
            { u"dir"_s, m_dir.path() },
            { u"version"_s, programVersion() },
            { u"noDistrict"_s, writeFile(u"nodistrict.bin"_s, RecordEncoder::simple({}, 5)) },
            { u"older"_s, writeFile(u"older.dat"_s, "3" + header.mid(1)) },
            { u"headerOnly"_s, writeFile(u"header.dat"_s, header) },
            { u"cut"_s,
              writeFile(u"cut.dat"_s,
                        header + district(u"00001"_s, 2) + RecordEncoder::simple({}, 1).left(5)) },
            { u"many"_s, writeFile(u"many.dat"_s, header + district(u"00001"_s, 25, 0x8001)) },
            { u"full"_s, writeFile(u"full.dat"_s, header + district(u"00001"_s, 3401 + 3)) },
        };
        m_inputs = QDir(m_dir.path()).entryList(QDir::Files);
        // $name stands for a path; arguments are separated by spaces.
        const auto expand = [&paths](const char *text) {
            QString s = QString::fromUtf8(text);
            for (auto p = paths.cbegin(); p != paths.cend(); ++p)
                s.replace(u'$' + p.key(), p.value());
            return s;
        };
        auto row = [&expand](const char *name, const char *line, int exitCode, const char *out,
                             const char *err) {
            QTest::newRow(name) << expand(line).split(u' ', Qt::SkipEmptyParts) << exitCode
                                << expand(out) << expand(err);
        };
        row("nothing", "", 2, "", "Usage: neru-cli");
        row("help", "--help", 0, "  split ", "");
        row("version", "-v", 0, "neru-cli $version\n", "");
        row("info of flow", "info $flow", 0,
            "File: $flow\nDistrict: 10452\nTitle: High Street inlet\n"
            "Comments1: Meter chamber by the school\nComments2: Sample data\n"
            "Channel: flow, type 1\nLogging Int: 900 seconds\nMeter: 10 l/rev\n"
            "Head: 1 pulses/rev\nMaximum: 21.79 l/s\nMinimum: 6.93 l/s\nReference: 15.00 l/s\n"
            "Samples: 472\nFirst: 23/11/2026 09:00:00\nLast: 28/11/2026 08:45:00\n"
            "Gap markers: 1\nFittings: 3\n  00101 at sample 0, 23/11/2026 09:00:00\n",
            "");
        row("info of pressure", "info $pressure", 0,
            "Channel: pressure, type 5\nLogging Int: 900 seconds\nTransducer: 0-1 V, scale 2100\n"
            "Maximum: 5.11 Bar\nMinimum: 3.28 Bar\nReference: 4.00 Bar\n",
            "");
        // The unit's name in any case.
        row("export in m3/h, --strict without problems", "export $flow --unit M3/H --strict", 0,
            "00101,23/11/2026,09:00:00,53.76   ,0.24    \r\n", "");
        // 1344 counts in 900 s of 10 l/rev: 14.9333 l/s, 53.76 m3/h; step to 15 l/s 0.24.
        row("export --iso in m3/h", "export $flow --iso --unit m3/h", 0,
            "time,Flow (m3/h),fitting,step (m3/h)\n2026-11-23T09:00:00,53.76,00101,0.24\n"
            "2026-11-23T09:15:00,",
            "");
        // A record that does not decode is a warning; 20 are listed, the rest counted.
        row("more than twenty warnings", "info $many", 0, "Samples: 0\n",
            "$many: byte 452: Overflow\nneru-cli: warning: $many: 5 more problems\n");
        row("series full", "info $full", 0, "Samples: 3401\n",
            ": byte 34272: the district holds more than 3401 entries; the samples from here on "
            "were dropped\n");
        // --strict: the same warnings, then the refusal, and nothing written.
        row("--strict", "export $cut --strict -o $csv", 1, "",
            "neru-cli: warning: $cut: byte 282: the record is cut short by the end of the file "
            "(5 of its 10 bytes)\nneru-cli: $cut: decoding problems: 1 (--strict)\n");
        row("unknown command", "frobnicate", 2, "", "unknown command \"frobnicate\"");
        row("unknown unit", "export $flow --unit furlong", 2, "", "unknown unit \"furlong\"");
        row("unit of the other quantity", "export $flow --unit psi", 2, "",
            "holds flow data; unit psi does not apply");
        // A refusal is one line: the opening's reason behind the program's name.
        row("file refused", "info $missing", 1, "",
            "neru-cli: $missing: No such file or directory\n");
        row("export to /dev/stdout", "export $flow -o /dev/stdout", 0, "00101,23/11/2026,09:00:00,",
            "");
        row("export not written", "export $flow -o $nowhere/x.csv", 1, "",
            "neru-cli: $nowhere/x.csv: ");
        row("split without a district", "split $noDistrict --dir $dir", 1, "",
            "neru-cli: $noDistrict: the download holds no district record\n");
        row("split into a file", "split $download --dir $headerOnly", 1, "",
            "neru-cli: $headerOnly: not a folder\n");
        row("split of a district file", "split $flow --dir $dir", 1, "",
            "neru-cli: $flow is a district file, not a download.\n");
        row("info of a download", "info $download", 1, "",
            "neru-cli: $download is not a district file. It is a download: neru-cli split cuts "
            "it into district files.\n");
        row("export without readings", "export $headerOnly -o $csv", 1, "",
            "neru-cli: $headerOnly: There are no readings to export.\n");
        row("edit without a text", "edit $flow", 2, "", "edit: nothing to set");
        row("edit with a long district", "edit $flow --district 123456789", 2, "",
            "--district: at most 8 characters\n");
        row("edit of an older file", "edit $older --title t", 1, "",
            "neru-cli: $older: This program cannot communicate");
        row("report of another file", "report $noDistrict", 1, "",
            "neru-cli: $noDistrict is not a district file.\n");
        row("logger command without a port", "clock", 2, "", "--port DEVICE is required");
        row("COM5", "clock --port COM5", 2, "", "COM1 to COM4");
        row("logger command with a stray argument", "logger-info --port $nowhere extra", 2, "",
            "unexpected argument \"extra\"");
        row("clear without --yes", "clear --port $nowhere", 2, "", "add --yes to clear it");
        row("report without samples", "report $headerOnly", 1, "",
            "neru-cli: $headerOnly: no samples to report\n");
        // The statistics captions in the unit chosen.
        row("report in the file's unit", "report $pressure", 0,
            "\r\nTransducer: 0-1 V                       Maximum: 5.11 Bar\r\n", "");
        row("report in psi", "report $pressure --unit psi", 0,
            "\r\nTransducer: 0-1 V                       Maximum: 74.06 PSI\r\n", "");
        // A window that ends before it starts is a mistake on the command line.
        row("night window backwards", "analyse $flow --night 04:00-02:00", 2, "",
            "neru-cli analyse: --night \"04:00-02:00\": expects HH:MM-HH:MM");
        row("night window with a sign", "analyse $flow --night +2:00-04:00", 2, "",
            "neru-cli analyse: --night \"+2:00-04:00\": expects HH:MM-HH:MM");
        // A unit of the other quantity refuses that file only: the others are analysed.
        row("analyse with a unit of one file", "analyse $flow $pressure --unit psi", 1,
            "$pressure: district 20731, night 02:00-04:00\nDate ",
            "neru-cli analyse: $flow holds flow data; unit psi does not apply\n");
        row("report -o with --pdf", "report $pressure -o $csv --pdf $dir/x.pdf", 2, "",
            "neru-cli report: -o and --pdf cannot be used together\n");
        // The figure's format is its file's extension; its size is kept within bounds.
        row("graph of another extension", "graph $flow -o $dir/g.txt", 2, "",
            "neru-cli graph: $dir/g.txt: a graph is written as PNG, SVG or PDF");
        row("graph of a small size", "graph $flow -o $dir/g.png --size 199x900", 2, "",
            "--size \"199x900\": the width and the height are from 200 to 8000 px\n");
        row("graph from after to",
            "graph $flow -o $dir/g.png --from 2026-11-25T00:00:00 --to 2026-11-25T00:00:00", 2, "",
            "neru-cli graph: --from must come before --to\n");
        row("graph of a window after the readings",
            "graph $flow -o $dir/g.png --from 2026-11-28T08:45:00", 2, "",
            "the time window holds no readings of $flow (they run from 2026-11-23T09:00:00 to "
            "2026-11-28T08:45:00)\n");
    }
    void commandsPrintAndExit()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run r = runCli(arguments);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.contains(out.toLocal8Bit()), r.out);
        QVERIFY2(err.isEmpty() ? r.err.isEmpty() : r.err.contains(err.toLocal8Bit()), r.err);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), m_inputs);
    }

    // A FIFO and a device stay what they are (1,7 takes no byte: the system's reason is told).
    // A file is replaced whole, renamed over the old one (its second name keeps the old bytes),
    // through a link that stays, with the old mode, and as root its owner and group.
    void exportIntoWhatIsThere()
    {
        const QString flow = kSamples + u"flow.dat"_s;
        const QByteArray csv = runCli({ u"export"_s, flow }).out;
        const QString fifo = m_dir.filePath(u"fifo"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
        QCOMPARE(runCli({ u"export"_s, flow, u"-o"_s, fifo }).exitCode, 0);
        QByteArray read(1 << 16, '\0');
        read.truncate(std::max<ssize_t>(::read(reader, read.data(), read.size()), 0));
        ::close(reader);
        QCOMPARE(read, csv);
        QVERIFY(S_ISFIFO(statusOf(fifo).st_mode));

        const QString target = writeFile(u"target.csv"_s, "old");
        const QString link = m_dir.filePath(u"link.csv"_s);
        const QByteArray second = QFile::encodeName(m_dir.filePath(u"second.csv"_s));
        QCOMPARE(::link(QFile::encodeName(target).constData(), second.constData()), 0);
        QCOMPARE(::symlink("target.csv", QFile::encodeName(link).constData()), 0);
        QCOMPARE(::chmod(QFile::encodeName(target).constData(), 0604), 0);
        const bool root = ::geteuid() == 0;
        QVERIFY(!root || ::chown(QFile::encodeName(target).constData(), 1234, 5678) == 0);
        QCOMPARE(runCli({ u"export"_s, flow, u"-o"_s, link }).exitCode, 0);
        QVERIFY(S_ISLNK(statusOf(link).st_mode));
        QCOMPARE(TempLog::readAll(target), csv);
        QCOMPARE(TempLog::readAll(QFile::decodeName(second)), QByteArray("old"));
        const Status status = statusOf(target);
        QCOMPARE(status.st_mode & 07777, 0604u);
        QVERIFY(!root || (status.st_uid == 1234 && status.st_gid == 5678));

        const QString node = m_dir.filePath(u"full"_s);
        if (::mknod(QFile::encodeName(node).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
            QSKIP("no device node can be made here (it takes root)");
        const Run r = runCli({ u"export"_s, flow, u"-o"_s, node });
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(QString::fromLocal8Bit(r.err),
                 u"neru-cli: "_s + node + u": No space left on device\n"_s);
        QVERIFY(S_ISCHR(statusOf(node).st_mode));
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

    // Only the texts given change, space-padded, in Windows-1252; a character the code page
    // cannot hold is refused, the file untouched.
    void editSetsHeaderTextsInPlace()
    {
        const QByteArray before = TempLog::readAll(kSamples + u"flow.dat"_s);
        const QString path = writeFile(u"edit.dat"_s, before);
        const QString title = QString(60, u'T');
        QCOMPARE(runCli({ u"edit"_s, path, u"--title"_s, title, u"--district"_s, u"D1"_s,
                          u"--comments1"_s, u"Café – dash"_s })
                     .exitCode,
                 0);
        QByteArray expected = before;
        expected.replace(9, 8, "D1      ");
        expected.replace(25, 60, title.toLatin1());
        expected.replace(96, 60, QByteArray("Caf\xe9 \x96 dash") + QByteArray(49, ' '));
        QCOMPARE(TempLog::readAll(path), expected);
        QVERIFY(runCli({ u"info"_s, path }).out.contains(u"\nComments1: Café – dash\n"_s.toUtf8()));

        const Run refused
            = runCli({ u"edit"_s, path, u"--district"_s, u"D2"_s, u"--title"_s, u"日本"_s });
        QCOMPARE(refused.exitCode, 2);
        QCOMPARE(refused.err,
                 u"neru-cli edit: --title: The character \"日\" cannot be stored in a "
                 "district file; type the text without it.\n"_s.toUtf8());
        QCOMPARE(TempLog::readAll(path), expected);
    }

    // A district number met again goes to another file, never one of the same run.
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
        // Without --force the old file is kept and each district that would replace it refused.
        const Run kept = runCli(split);
        QCOMPARE(kept.exitCode, 1);
        QCOMPARE(TempLog::readAll(old), QByteArray("keep me"));
        QVERIFY(kept.err.contains((old + u": already exists"_s).toLocal8Bit()));
        QVERIFY(kept.errLines().contains(u"neru-cli: "_s + split.at(1)
                                         + u": district \"1.;45\" is written as 1._45.dat"_s));
        QCOMPARE(QString::fromLocal8Bit(kept.out), oddPath + u'\n');
        QCOMPARE(TempLog::readAll(oddPath), RecordEncoder::header(u"1.;45"_s) + odd);
        // --force replaces it, and the same number goes on to -2 and -3.
        const Run forced = runCli(split + QStringList { u"--force"_s });
        QCOMPARE(forced.exitCode, 0);
        const QString two = m_dir.filePath(u"10452-2.dat"_s);
        const QString three = m_dir.filePath(u"10452-3.dat"_s);
        QCOMPARE(TempLog::readAll(old), RecordEncoder::header(u"10452"_s) + first);
        QCOMPARE(TempLog::readAll(two), RecordEncoder::header(u"10452"_s) + second);
        QCOMPARE(TempLog::readAll(three), RecordEncoder::header(u"10452"_s) + third);
        QCOMPARE(QString::fromLocal8Bit(forced.out),
                 QStringList({ old, two, oddPath, three }).join(u'\n') + u'\n');
    }

    // analyse --csv over a folder: its .dat files in name order, a bad record a warning, a
    // file that is not a district refused while the others go on; the figures of a whole day.
    void analyseFolderAsCsv()
    {
        QVERIFY(QDir(m_dir.path()).mkpath(u"night"_s));
        const QString folder = m_dir.filePath(u"night"_s);
        // 2.5 l/s (raw 22500 at 10 l per 100 pulses over 900 s) from 1 January 00:00 to
        // 3 January 00:00; the last record of b.dat overflows.
        const QByteArray good = RecordEncoder::header(u"D7"_s) + district(u"00001"_s, 193, 22500);
        RecordEncoder::Time after;
        after.day = 3;
        after.minute = 15;
        writeFile(u"night/a.dat"_s, good);
        writeFile(u"night/b.dat"_s, good + RecordEncoder::simple(after, 0x8001));
        writeFile(u"night/c.dat"_s, "not a district\n");
        writeFile(u"night/notes.txt"_s, "left alone\n");
        const Run r = runCli({ u"analyse"_s, u"--csv"_s, folder });
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(QString::fromLocal8Bit(r.err),
                 u"neru-cli: warning: %1/b.dat: byte %2: Overflow\n"
                 "neru-cli: %1/c.dat is not a district file.\n"_s.arg(folder)
                     .arg(good.size()));
        const QStringList lines = QString::fromUtf8(r.out).split(u'\n');
        QCOMPARE(lines.size(), 1 + 3 + 3 + 1);
        QCOMPARE(lines[0],
                 u"file,district,unit,date,coverage,volume_m3,mean,minimum,minimum_time,maximum,"
                 "maximum_time,night_minimum,night_minimum_time,night_mean,night_complete"_s);
        // The reading at 00:00 closes the day before; 86400 s at 2.5 l/s are 216 m³.
        QCOMPARE(lines[2],
                 folder
                     + u"/a.dat,D7,l/s,2026-01-01,1.0000,216.0000,2.5000,2.5000,"
                       "2026-01-01T00:15:00,2.5000,2026-01-01T00:15:00,2.5000,"
                       "2026-01-01T02:15:00,2.5000,yes"_s);
        QVERIFY(lines[4].startsWith(folder + u"/b.dat,D7,l/s,2025-12-31,0.0104,2.2500,"_s));
    }

    // Each format opens at the size asked for: the PNG's pixels, the SVG's view box (it
    // parses and carries the heading), the PDF's page in millimetres with the heading's
    // district number.
    void graphWritesEachFormat_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QSizeF>("size");
        QTest::newRow("png") << u"g.png"_s << QStringList() << QSizeF(1600, 900);
        QTest::newRow("png --size")
            << u"g.png"_s << QStringList { u"--size"_s, u"640x480"_s } << QSizeF(640, 480);
        QTest::newRow("svg") << u"g.SVG"_s << QStringList { u"--grid"_s } << QSizeF(1600, 900);
        QTest::newRow("pdf") << u"g.pdf"_s << QStringList { u"--night-shading"_s }
                             << QSizeF(297, 210);
        QTest::newRow("pdf --size")
            << u"g.pdf"_s << QStringList { u"--size"_s, u"148x105"_s } << QSizeF(148, 105);
    }
    void graphWritesEachFormat()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, options);
        QFETCH(QSizeF, size);
        QTemporaryDir dir;
        const QString path = dir.filePath(file);
        const Run r
            = runCli(QStringList { u"graph"_s, kSamples + u"flow.dat"_s, u"-o"_s, path } + options);
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), r.err);
        if (file.endsWith(u".png"_s)) {
            QCOMPARE(QImage(path).size(), size.toSize());
        } else if (file.endsWith(u".SVG"_s)) {
            QXmlStreamReader svg(TempLog::readAll(path));
            QString viewBox;
            QStringList texts;
            while (!svg.atEnd()) {
                if (svg.readNext() != QXmlStreamReader::StartElement)
                    continue;
                if (svg.name() == u"svg"_s)
                    viewBox = svg.attributes().value(u"viewBox"_s).toString();
                else if (svg.name() == u"text"_s)
                    texts << svg.readElementText();
            }
            QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
            QCOMPARE(viewBox, u"0 0 1600 900"_s);
            QVERIFY2(texts.contains(u"District 10452"_s), qPrintable(texts.join(u'|')));
        } else {
            PdfPages read;
            QVERIFY(read.read(path));
            QCOMPARE(read.pages.size(), 1);
            QVERIFY(qAbs(read.pages[0].width() - size.width()) < 0.5);
            QVERIFY(qAbs(read.pages[0].height() - size.height()) < 0.5);
            QCOMPARE(read.lines.constFirst().text, u"District 10452"_s);
        }
    }

    // With no display and no platform chosen the report prints on A4; a PDF that cannot be
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
        QVERIFY(read.lines.constFirst().text.startsWith(u"Title:"_s));
    }
};

QTEST_GUILESS_MAIN(TestBatchTool)
#include "tst_BatchTool.moc"
