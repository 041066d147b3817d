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

    // A district of three readings a quarter of an hour apart, a gap marker after the
    // first, with fitting 00012 from the second.
    void load(District &file, quint8 modeBits, const QString &head)
    {
        RecordEncoder::District d;
        d.intervalCode = 9; // 900 s
        d.modeBits = modeBits;
        d.head = head;
        d.meter = QStringLiteral("002.5");
        d.referenceRaw = 2000;
        const RecordEncoder::Time t0 { 2003, 2, 1, 12, 0, 0 };
        file.image().setBytes(RecordEncoder::header(QStringLiteral("00042"),
                                                    QStringLiteral("High Street"),
                                                    QStringLiteral("Valve 7"), QString())
                              + RecordEncoder::district(d) + RecordEncoder::simple(t0, 1000)
                              + RecordEncoder::fitting(QStringLiteral("00012"),
                                                       RecordEncoder::addSeconds(t0, 3600), 3000)
                              + RecordEncoder::simple(RecordEncoder::addSeconds(t0, 4500), 500));
        file.decode();
    }

    DistrictSummary summary(const District &file, const QString &unit) const
    {
        return DistrictSummary::of(file, 1.0, unit, m_strings, m_british);
    }

private slots:
    // Header texts, the two-column statistics padded to 40, an empty line after the
    // heading, and every row (the gap marker too), each line ending in CR LF.
    void copiedReport_data()
    {
        QTest::addColumn<quint8>("modeBits");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QStringList>("expected");
        const QStringList texts { "Title: High Street", "Comments1: Valve 7", "Comments2: ", "" };
        QTest::newRow("flow") << quint8(0x00) << QStringLiteral("00100") << QStringLiteral("l/s")
                              << texts
                + QStringList {
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
        QTest::newRow("pressure 4-20 mA")
            << quint8(0x80) << QStringLiteral("10010") << QStringLiteral("Bar")
            << texts
                + QStringList {
                      "Transducer: 4-20 mA                     Maximum: 0.01 Bar",
                      "Range: 10 Bar                           Minimum: -0.02 Bar",
                      "Logging Int: 15.00 minutes              Reference: 0.00 Bar",
                      "",
                      "Fitting   Date         Time         Pressure     Step",
                      "",
                      "     01/02/2003     12:00:00     -0.02        0.01    ",
                      "00012     --------     --------     --------     --------",
                      "00012     01/02/2003     13:00:00     0.01         -0.01   ",
                      "00012     01/02/2003     13:15:00     -0.02        0.02    ",
                      "",
                  };
    }
    void copiedReport()
    {
        QFETCH(quint8, modeBits);
        QFETCH(QString, head);
        QFETCH(QString, unit);
        QFETCH(QStringList, expected);
        District file(m_log.report);
        load(file, modeBits, head);
        // Split at CR LF, a lone line feed would stay inside a line; the last is empty.
        const QString text = TextReport(m_british).copyText(file, summary(file, unit));
        QCOMPARE(text.split(QStringLiteral("\r\n")), expected);
    }

    // Printed, the same report has a space for each empty line, nothing after the heading
    // and no line ends; a left item longer than 40 characters is written whole.
    void printedLines()
    {
        District file(m_log.report);
        load(file, 0x00, QStringLiteral("00100"));
        DistrictSummary c = summary(file, QStringLiteral("l/s"));
        const TextReport report(m_british);
        QStringList expected = report.copyText(file, c).split(QStringLiteral("\r\n"));
        expected.removeLast(); // after the last line end
        expected.removeAt(9); // the empty line after the heading
        expected.replaceInStrings(QRegularExpression(QStringLiteral("^$")), QStringLiteral(" "));
        QCOMPARE(report.printLines(file, c), expected);

        c.head.label = QStringLiteral("Pulses per revolution of the meter head");
        QCOMPARE(report.printLines(file, c).at(4),
                 QStringLiteral("Pulses per revolution of the meter head: 100.00 pulses/rev"
                                "Maximum: 0.08 l/s"));
    }

    void noSamplesNoReport()
    {
        District file(m_log.report);
        file.image().setBytes(RecordEncoder::header(QStringLiteral("00042")));
        file.decode();
        const TextReport report(m_british);
        QVERIFY(report.copyText(file, summary(file, QStringLiteral("l/s"))).isEmpty());
        QVERIFY(report.printLines(file, summary(file, QStringLiteral("l/s"))).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_TextReport)
#include "tst_TextReport.moc"
