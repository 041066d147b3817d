#include "CsvExport.h"
#include "DateTime.h"
#include "District.h"
#include "NamedFormats.h"
#include "SampleSeries.h"
#include "SpreadsheetCsv.h"
#include "TableRows.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

namespace {

// A series of `count` samples a quarter of an hour apart.
SampleSeries series(int count)
{
    SampleSeries s;
    s.sampleCount = count;
    for (int i = 0; i < count; ++i) {
        const auto k = size_t(i);
        s.times[k] = DateTime::fromParts(2003, 2, 1, 12, 0, 0) + i / 96.0;
        s.values[k] = 10.0 + i;
        s.sampleFittings[k] = QStringLiteral("00012");
    }
    return s;
}

} // namespace

// The rows of the table, the CSV exports and the copied and printed text.
class TestTableRows : public QObject
{
    Q_OBJECT

    const NamedFormats m_british { QLocale(QLocale::English, QLocale::UnitedKingdom) };

    // Rows `start` to `end` of `s`; the clamped range is written back.
    QString rows(const SampleSeries &s, bool csv, qint32 &start, qint32 &end,
                 double reference = 5.0) const
    {
        return TableRows(m_british).rows(s, reference, 1.0, csv, start, end);
    }

private slots:
    void rangeIsClampedInTheCallersVariables_data()
    {
        QTest::addColumn<int>("samples");
        QTest::addColumn<qint32>("start");
        QTest::addColumn<qint32>("end");
        QTest::addColumn<qint32>("clampedStart");
        QTest::addColumn<qint32>("clampedEnd");
        QTest::newRow("no samples") << 0 << -1 << -1 << 0 << -1;
        QTest::newRow("end before start") << 10 << 7 << 5 << 7 << 9;
        QTest::newRow("start beyond") << 10 << 12 << 15 << 12 << 9;
    }
    void rangeIsClampedInTheCallersVariables()
    {
        QFETCH(int, samples);
        QFETCH(qint32, start);
        QFETCH(qint32, end);
        QFETCH(qint32, clampedStart);
        QFETCH(qint32, clampedEnd);
        const QString text = rows(series(samples), false, start, end);
        QCOMPARE(start, clampedStart);
        QCOMPARE(end, clampedEnd);
        QCOMPARE(int(text.count(QStringLiteral("\r\n"))), std::max(0, end - start + 1));
        if (!text.isEmpty()) // the first row is sample `start`, reading 10 + start
            QVERIFY(text.section(u'\r', 0, 0).contains(QStringLiteral(" %1.00 ").arg(10 + start)));
    }

    // Fitting, date, time, then the value and the step to the reference in the display
    // unit, each padded to the heading's 8 characters; a gap marker has four dash fields.
    void rowsFollowTheHeadingColumns_data()
    {
        QTest::addColumn<bool>("csv");
        QTest::addColumn<bool>("gap");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("reference");
        QTest::addColumn<QString>("row");
        auto row = [](const char *name, bool csv, bool gap, double value, double reference,
                      const QString &text) {
            QTest::newRow(name) << csv << gap << value << reference << text;
        };
        const QString comma = QStringLiteral("00012,23/11/2026,09:15:00,");
        row("longer than the field: written whole", true, false, 1234567.0, 5.0,
            comma + "1234567.00,-1234562.00");
        // "Fitting   Date         Time         Flow         Step"
        row("spaces", false, false, 12.35, 15.0,
            "00012     23/11/2026     09:15:00     12.35        2.65    ");
        // Whatever time and value a marker holds, they are not shown.
        row("gap marker", true, true, 7.0, 5.0, "00012,--------,--------,--------,--------");
        row("gap marker, spaces", false, true, 7.0, 5.0,
            "00012     --------     --------     --------     --------");
    }
    void rowsFollowTheHeadingColumns()
    {
        QFETCH(bool, csv);
        QFETCH(bool, gap);
        QFETCH(double, value);
        QFETCH(double, reference);
        QFETCH(QString, row);
        SampleSeries s = series(1);
        s.times[0] = DateTime::fromParts(2026, 11, 23, 9, 15, 0);
        s.values[0] = value;
        s.gapMarkers[0] = gap;
        qint32 start = 0;
        qint32 end = 0;
        QCOMPARE(rows(s, csv, start, end, reference), row + QStringLiteral("\r\n"));
    }

    // neru.csv is one byte per character in Windows-1252, "?" for a character it cannot
    // hold, and a negative number has the hyphen-minus whatever the locale's own sign.
    void csvIsWindows1252WithAHyphenMinus()
    {
        // 5.5 l/s against a reference of 4 (600 counts a minute are 1 l/s).
        RecordEncoder::District d;
        d.intervalCode = 5;
        d.referenceRaw = 2400;
        TempLog log;
        District district(log.report);
        district.image().setBytes(
            RecordEncoder::header(QStringLiteral("1")) + RecordEncoder::district(d)
            + RecordEncoder::fitting(QStringLiteral("00012"), { 2026, 11, 23, 9, 15, 0 }, 3300));
        district.decode();
        const auto csv = [&district](const QString &locale) {
            return CsvExport::bytes(district, 1.0, NamedFormats(QLocale(locale)));
        };
        // sv_SE's own minus is U+2212, tr_CY has "\u00d6\u00d6" before noon, ko_KR Hangul.
        QCOMPARE(csv("sv_SE"), "00012,2026-11-23,09:15:00,5,50    ,-1,50   \r\n");
        QCOMPARE(csv("tr_CY"), "00012,23.11.2026,9:15:00 \xd6\xd6,5,50    ,-1,50   \r\n");
        QCOMPARE(csv("ko_KR"), "00012,26. 11. 23.,?? 9? 15? 0?,5.50    ,-1.50   \r\n");
    }

    // Export As: a header, ISO times, numbers with the fewest of four decimals that give
    // them back, a gap marker's value and step empty, a fitting with a comma quoted,
    // UTF-8 and LF.
    void spreadsheetCsvIsPlainUtf8()
    {
        SampleSeries s = series(5);
        const double values[] = { 7.28, 99.0, 12.0, 0.123456, -0.00001 };
        for (size_t k = 0; k < 5; ++k) {
            s.times[k] = DateTime::fromParts(2026, 11, 23, 9, 15 * int(k), 0);
            s.values[k] = values[k];
            s.sampleFittings[k] = k < 2 ? QStringLiteral("00012") : QStringLiteral("A,\"1\"");
        }
        s.gapMarkers[1] = 1;
        // Steps to 10: 2.72, none, -2, 9.876544, 10.00001.
        QCOMPARE(SpreadsheetCsv::bytes(s, 10.0, 1.0, QStringLiteral("D\u00e9bit (l/s)"),
                                       QStringLiteral("l/s")),
                 "time,D\xc3\xa9"
                 "bit (l/s),fitting,step (l/s)\n"
                 "2026-11-23T09:00:00,7.28,00012,2.72\n"
                 "2026-11-23T09:15:00,,00012,\n"
                 "2026-11-23T09:30:00,12,\"A,\"\"1\"\"\",-2\n"
                 "2026-11-23T09:45:00,0.1235,\"A,\"\"1\"\"\",9.8765\n"
                 "2026-11-23T10:00:00,0,\"A,\"\"1\"\"\",10\n");
    }
};

QTEST_GUILESS_MAIN(TestTableRows)
#include "tst_TableRows.moc"
