#include "District.h"
#include "DistrictSummary.h"
#include "NamedFormats.h"
#include "StringTable.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

// The statistics that come from the district record, as the dialog shows them.
class tst_DistrictSummary : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    TempLog m_log;

private slots:
    // The interval in seconds, in minutes from a minute up, 0 s for an unknown code; flow's
    // meter constants as they are, pressure's transducer and range in the display unit.
    void districtRecordFigures_data()
    {
        QTest::addColumn<int>("interval"); // code
        QTest::addColumn<quint8>("modeBits");
        QTest::addColumn<QString>("head");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<QStringList>("shown"); // interval, units; head label, head, units;
                                                // meter label, meter, units
        auto row = [](const char *name, int interval, int modeBits, const char *head, double factor,
                      const char *unit, const QStringList &shown) {
            QTest::newRow(name) << interval << quint8(modeBits) << head << factor << unit << shown;
        };
        row("flow, 60 s, not scaled", 5, 0x00, "00100", 3.6, "m3/h",
            { "1", "minutes", "Head", "100", "pulses/rev", "Meter", "2.5", "l/rev" });
        row("0-1 V, 10 bar in PSI, 900 s", 9, 0x80, "20010", 14.5, "PSI",
            { "15", "minutes", "Transducer", "0-1", "V", "Range", "145", "PSI" });
        row("0-2 V, unknown interval code", 0, 0x80, "30016", 1.0, "Bar",
            { "0", "seconds", "Transducer", "0-2", "V", "Range", "16", "Bar" });
        row("unknown output", 5, 0x80, "00010", 1.0, "Bar",
            { "1", "minutes", "Transducer", " ", " ", "Range", "10", "Bar" });
    }
    void districtRecordFigures()
    {
        QFETCH(int, interval);
        QFETCH(quint8, modeBits);
        QFETCH(QString, head);
        QFETCH(double, factor);
        QFETCH(QString, unitText);
        QFETCH(QStringList, shown);
        RecordEncoder::District d;
        d.intervalCode = interval;
        d.modeBits = modeBits;
        d.head = head;
        d.meter = QStringLiteral("002.5");
        District file(m_log.report);
        file.image().setBytes(RecordEncoder::header(QStringLiteral("00001"))
                              + RecordEncoder::district(d) + RecordEncoder::simple({}, 0));
        file.decode();
        const NamedFormats british(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const DistrictSummary s = DistrictSummary::of(file, factor, unitText, m_strings, british);
        QCOMPARE((QStringList { s.loggingInterval.shown, s.loggingInterval.units, s.head.label,
                                s.head.shown, s.head.units, s.meter.label, s.meter.shown,
                                s.meter.units }),
                 shown);
        QCOMPARE(s.heading, m_strings.text(modeBits ? 30105 : 30100));
    }
};

QTEST_GUILESS_MAIN(tst_DistrictSummary)
#include "tst_DistrictSummary.moc"
