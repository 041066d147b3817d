#include "FileProcessing.h"
#include "NamedFormats.h"
#include "StatisticsFigures.h"
#include "StringTable.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

// The statistics dialog's texts for a decoded district file.
class tst_StatisticsFigures : public QObject
{
    Q_OBJECT

    StringTable m_strings;
    TempLog m_log;

    StatisticsFigures figures(const RecordEncoder::District &d, double factor = 1.0,
                              const QString &unitText = QString(),
                              const QString &district = QStringLiteral("00001"))
    {
        FileProcessing file(m_log.report);
        file.setImage(RecordEncoder::header(district) + RecordEncoder::district(d)
                      + RecordEncoder::simple({}, 0));
        qint16 units = 0;
        file.processRecords(units);
        const NamedFormats british(QLocale(QLocale::English, QLocale::UnitedKingdom));
        return StatisticsFigures::compute(file, factor, unitText, m_strings, british);
    }

private slots:
    void loggingInterval_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("30 s") << 4 << QStringList { "30", "seconds" };
        QTest::newRow("60 s") << 5 << QStringList { "1", "minutes" };
        QTest::newRow("900 s") << 9 << QStringList { "15", "minutes" };
        QTest::newRow("unknown code: 0 s") << 0 << QStringList { "0", "seconds" };
    }
    void loggingInterval()
    {
        QFETCH(int, code);
        QFETCH(QStringList, shown);
        RecordEncoder::District d;
        d.intervalCode = code;
        const StatisticsFigures f = figures(d);
        QCOMPARE((QStringList { f.loggingInt, f.loggingIntUnits }), shown);
    }

    // Flow: the meter's constants as they are; pressure: the transducer's output and its
    // range in the display unit, under the pressure heading.
    void channelConstants_data()
    {
        QTest::addColumn<quint8>("modeBits");
        QTest::addColumn<QString>("head");
        QTest::addColumn<double>("factor");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<QStringList>("shown"); // head label, head, units; meter likewise
        QTest::addColumn<int>("heading");
        QTest::newRow("flow, not scaled")
            << quint8(0x00) << "00100" << 3.6 << "m3/h"
            << QStringList { "Head", "100", "pulses/rev", "Meter", "2.5", "l/rev" } << 30100;
        auto pressure = [](const char *name, const char *head, double factor, const char *unit,
                           const QStringList &shown) {
            QTest::newRow(name) << quint8(0x80) << head << factor << unit << shown << 30105;
        };
        pressure("4-20 mA", "10010", 1.0, "Bar",
                 { "Transducer", "4-20", "mA", "Range", "10", "Bar" });
        pressure("0-1 V, 10 bar in PSI", "20010", 14.5, "PSI",
                 { "Transducer", "0-1", "V", "Range", "145", "PSI" });
        pressure("0-2 V", "30016", 1.0, "Bar", { "Transducer", "0-2", "V", "Range", "16", "Bar" });
        pressure("unknown output", "00010", 1.0, "Bar",
                 { "Transducer", " ", " ", "Range", "10", "Bar" });
    }
    void channelConstants()
    {
        QFETCH(quint8, modeBits);
        QFETCH(QString, head);
        QFETCH(double, factor);
        QFETCH(QString, unitText);
        QFETCH(QStringList, shown);
        QFETCH(int, heading);
        RecordEncoder::District d;
        d.modeBits = modeBits;
        d.head = head;
        d.meter = QStringLiteral("002.5");
        const StatisticsFigures f = figures(d, factor, unitText);
        QCOMPARE(
            (QStringList { f.headLabel, f.head, f.headUnits, f.meterLabel, f.meter, f.meterUnits }),
            shown);
        QCOMPARE(f.heading, m_strings.text(heading));
    }

    void captionNamesTheDistrictWithoutItsPadding()
    {
        const StatisticsFigures f = figures({}, 1.0, QString(), QStringLiteral("12345   "));
        QCOMPARE(f.caption, QStringLiteral("Statistics for district '12345'"));
    }
};

QTEST_GUILESS_MAIN(tst_StatisticsFigures)
#include "tst_StatisticsFigures.moc"
