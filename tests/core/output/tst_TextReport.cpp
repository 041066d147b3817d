#include "District.h"
#include "DistrictSummary.h"
#include "NamedFormats.h"
#include "StringTable.h"
#include "TempLog.h"
#include "TextReport.h"
#include "records/RecordEncoder.h"

#include <QtTest>

// The copied and printed text report, with the statistics the dialog shows.
class tst_TextReport : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    TempLog m_log;
    const NamedFormats m_british { QLocale(QLocale::English, QLocale::UnitedKingdom) };

private slots:
    // Copied: header texts, statistics padded to 40, an empty line after the heading, every
    // row (the gap marker too), each line ending in CR LF. Printed: a space for each empty
    // line, none after the heading, no line ends; a left item past 40 is written whole.
    void copiedAndPrinted()
    {
        // Readings 15 minutes apart, a gap marker after the first, fitting 00012 from the second.
        RecordEncoder::District d;
        d.intervalCode = 9; // 900 s
        d.meter = QStringLiteral("002.5");
        d.referenceRaw = 2000;
        const RecordEncoder::Time t0 { 2003, 2, 1, 12, 0, 0 };
        District file(m_log.report);
        file.image().setBytes(RecordEncoder::header(QStringLiteral("00042"),
                                                    QStringLiteral("High Street"),
                                                    QStringLiteral("Valve 7"), QString())
                              + RecordEncoder::district(d) + RecordEncoder::simple(t0, 1000)
                              + RecordEncoder::fitting(QStringLiteral("00012"),
                                                       RecordEncoder::addSeconds(t0, 3600), 3000)
                              + RecordEncoder::simple(RecordEncoder::addSeconds(t0, 4500), 500));
        file.decode();
        DistrictSummary c
            = DistrictSummary::of(file, 1.0, QStringLiteral("l/s"), m_strings, m_british);
        const TextReport report(m_british);
        QStringList expected {
            "Title: High Street",
            "Comments1: Valve 7",
            "Comments2: ",
            "",
            "Head: 100.00 pulses/rev                 Maximum: 0.08 l/s",
            "Meter: 2.50 l/rev                       Minimum: 0.01 l/s",
            "Logging Int: 15.00 minutes              Reference: 0.06 l/s",
            "",
            "Fitting   Date         Time         Flow         Step",
            "",
            "     01/02/2003     12:00:00     0.03         0.03    ",
            "00012     --------     --------     --------     --------",
            "00012     01/02/2003     13:00:00     0.08         -0.03   ",
            "00012     01/02/2003     13:15:00     0.01         0.04    ",
            "",
        };
        // Split at CR LF, a lone line feed would stay inside a line; the last is empty.
        QCOMPARE(report.copyText(file, c).split(QStringLiteral("\r\n")), expected);
        expected.removeLast(); // after the last line end
        expected.removeAt(9); // the empty line after the heading
        expected.replaceInStrings(QRegularExpression(QStringLiteral("^$")), QStringLiteral(" "));
        QCOMPARE(report.printLines(file, c), expected);

        c.head.label = QStringLiteral("Pulses per revolution of the meter head");
        QCOMPARE(report.printLines(file, c).at(4),
                 QStringLiteral("Pulses per revolution of the meter head: 100.00 pulses/rev"
                                "Maximum: 0.08 l/s"));
    }
};

QTEST_GUILESS_MAIN(tst_TextReport)
#include "tst_TextReport.moc"
