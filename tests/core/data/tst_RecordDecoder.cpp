#include "DateTime.h"
#include "District.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QtTest>

namespace {

using Time = RecordEncoder::Time;

// district(5): flow at 60 s, meter 10 l/rev, head 100 pulses/rev; a raw 600 is 1 l/s.
QByteArray district(int intervalCode, const QString &meter = QStringLiteral("00010"),
                    const QString &head = QStringLiteral("00100"), quint8 modeBits = 0x00)
{
    RecordEncoder::District d;
    d.intervalCode = intervalCode;
    d.meter = meter;
    d.head = head;
    d.modeBits = modeBits;
    return RecordEncoder::district(d);
}

Time time(int h, int m, int s)
{
    return Time { 2026, 3, 1, h, m, s };
}

QByteArray simple(int h, int m, int s, quint16 raw)
{
    return RecordEncoder::simple(time(h, m, s), raw);
}

// Records behind a header, decoded with their own error report.
struct Walk
{
    explicit Walk(const QByteArray &records) { decode(records); }
    void decode(const QByteArray &records)
    {
        district.image().setBytes(RecordEncoder::header(QStringLiteral("00001")) + records);
        district.decode();
    }
    QString logged() const { return log.messages().join(u'|'); }

    TempLog log;
    District district { log.report };
    const SampleSeries &s = district.series();
};

} // namespace

// Decoding a district image's records, and what each failure costs.
class TestRecordDecoder : public QObject
{
    Q_OBJECT

private slots:
    void districtRecordSettings_data()
    {
        QTest::addColumn<quint8>("byte0");
        QTest::addColumn<quint8>("byte14");
        QTest::addColumn<QList<int>>("settings"); // interval, channel type, unit code
        QTest::newRow("mode bits are the top two")
            << quint8(0x95) << quint8(0xBF) << QList<int> { 60, 5, 4 };
        QTest::newRow("bits 10, mode 11")
            << quint8(0xAA) << quint8(0xC0) << QList<int> { 1800, 3, 1 };
        QTest::newRow("bits 11, mode 10")
            << quint8(0xB8) << quint8(0x80) << QList<int> { 600, 7, 4 };
    }
    void districtRecordSettings()
    {
        QFETCH(quint8, byte0);
        QFETCH(quint8, byte14);
        QFETCH(QList<int>, settings);
        QByteArray record = RecordEncoder::district({});
        record[0] = char(byte0);
        record[14] = char(byte14);
        const Walk w(record);
        const DistrictSettings &s = w.district.settings();
        QCOMPARE((QList<int> { s.loggingInterval, s.channelType, s.unitCode() }), settings);
    }

    // Each formula, and each failure of one, which drops the sample.
    void values_data()
    {
        QTest::addColumn<QByteArray>("district");
        QTest::addColumn<quint16>("raw");
        QTest::addColumn<double>("expected");
        QTest::addColumn<QString>("failure"); // reported by getDateAndValue; empty: none
        auto row = [](const char *name, const QByteArray &district, int raw, double expected,
                      const char *failure = "") {
            QTest::newRow(name) << district << quint16(raw) << expected
                                << QString::fromLatin1(failure);
        };
        // Up to 30 s the raw value times pulses, (A/B * 1000) / R; above, it counts them,
        // (A/B * R) / I; interval 0 is timed and never divided by.
        row("flow 5 s: (1/10 * 1000) / 1", district(1, "00001", "00010"), 1, 100.0);
        row("flow 30 s: (10/100 * 1000) / 600", district(4), 600, 1.0 / 6.0);
        row("flow interval 0: (2/1 * 1000) / 4", district(0, "00002", "00001"), 4, 500.0);
        row("flow mode C0: (30000 / 60 - 200) * 2/1", district(5, "00002", "00001", 0xC0), 30000,
            600.0);
        row("4-20 mA: ((30000 - 60*200) * 10 / 60) / 800", district(5, "00200", "10010", 0x80),
            30000, 3.75);
        row("0-1 V: (2100 * 1800 / 900) / 1000", district(9, "00000", "2100.", 0x80), 1800, 4.2);
        // A nibble field reads up to a second point or a code; no digit reads 0.
        row("meter 1.2.3", district(5, "1.2.3", "00001"), 60, 1.2);
        row("meter 12;45", district(5, "12;45", "00001"), 60, 12.0);
        row("meter .....", district(5, ".....", "00001"), 60, 0.0);
        row("meter ?1234", district(5, "?1234", "00001"), 60, 0.0);
        // Zero bytes are 0 on any channel, even where a division would fail.
        row("zero, head 0", district(5, "00010", "00000"), 0, 0.0);
        row("flow head 0", district(5, "00010", "00000"), 5, 0.0, "Division by zero");
        row("flow 0/0", district(5, "00000", "00000"), 5, 0.0, "Overflow");
        row("pressure interval 0", district(0, "00000", "20000", 0x80), 5, 0.0, "Division by zero");
        row("flow C0 interval 0", district(0, "00010", "00001", 0xC0), 5, 0.0, "Division by zero");
    }
    void values()
    {
        QFETCH(QByteArray, district);
        QFETCH(quint16, raw);
        QFETCH(double, expected);
        QFETCH(QString, failure);
        const Walk w(district + simple(10, 0, 0, raw));
        QCOMPARE(w.s.sampleCount, failure.isEmpty() ? 1 : 0);
        if (failure.isEmpty())
            QCOMPARE(w.s.values[0], expected);
        else
            failure += QStringLiteral(" in getDateAndValue(FileProcessing)\r");
        QCOMPARE(w.logged(), failure);
    }

    // More than 2 s late: a marker of value 0 one interval before the sample, not counted
    // in the extremes (the 2 s boundary is in the walk table).
    void gapMarkerStandsOneIntervalBefore()
    {
        const Walk w(district(5) + simple(10, 0, 0, 600) + simple(10, 1, 3, 1200));
        const SampleSeries &s = w.s;
        QCOMPARE(s.sampleCount, 3);
        QVERIFY(s.gapMarkers[1] && !s.gapMarkers[2]);
        QCOMPARE(s.values[1], 0.0);
        QCOMPARE(s.times[1], DateTime::fromParts(2026, 3, 1, 10, 0, 3));
        QCOMPARE(s.times[2], DateTime::fromParts(2026, 3, 1, 10, 1, 3));
        QCOMPARE(s.minValue, 1.0);
    }

    void fittingsAreBookedBeforeTheirSample()
    {
        Walk w(district(5) + simple(10, 0, 0, 600)
               + RecordEncoder::fitting(QStringLiteral("00012"), time(10, 1, 0), 1200)
               + simple(10, 2, 0, 600)
               // A hole in front of the next fitting: the marker carries its number.
               + RecordEncoder::fitting(QStringLiteral("0;3.4"), time(10, 10, 0), 600)
               + simple(10, 11, 0, 600));
        const SampleSeries &s = w.s;
        QCOMPARE(s.sampleCount, 6);
        const QStringList fittings = { "", "00012", "00012", "0;3.4", "0;3.4", "0;3.4" };
        for (int i = 0; i < 6; ++i)
            QCOMPARE(s.sampleFittings[size_t(i)], fittings.at(i));
        QCOMPARE(s.fittingCount, 2);
        QCOMPARE(s.fittingSamples, (std::vector<qint32> { 1, 4 }));
        QCOMPARE(s.fittingNumbers, (std::vector<QString> { "00012", "0;3.4" }));
        // The next walk, without fittings, leaves every fitting number empty.
        w.decode(district(5) + simple(10, 0, 0, 600));
        QCOMPARE(s.fittingCount, 0);
        QCOMPARE(s.sampleFittings[0], QString());
    }

    void capacityIsEnforced()
    {
        QByteArray records = district(5);
        Time t = time(0, 0, 0);
        for (int i = 0; i < SampleSeries::kCapacity + 2; ++i) {
            records += RecordEncoder::simple(t, 600);
            t = RecordEncoder::addSeconds(t, 60);
        }
        // A fitting beyond the capacity still enters the fitting list.
        Walk w(records + RecordEncoder::fitting(QStringLiteral("00077"), t, 600));
        QCOMPARE(w.s.sampleCount, SampleSeries::kCapacity);
        QCOMPARE(w.s.gapCount(), 0);
        QCOMPARE(w.s.fittingCount, 1);
        QCOMPARE(w.s.fittingSamples[0], SampleSeries::kCapacity - 1);
        QCOMPARE(w.s.fittingNumbers[0], QStringLiteral("00077"));
        QCOMPARE(w.log.messages(),
                 QStringList(3,
                             QStringLiteral("Subscript out of range in "
                                            "getDateAndValue(FileProcessing)\r")));
        QCOMPARE(w.district.problems().size(), 1); // told once, however many entries are lost
        // A gap marker and its sample must both fit: one entry short of full, a sample
        // after a hole adds nothing.
        records.truncate(15 + 10 * (SampleSeries::kCapacity - 1));
        w.decode(records
                 + RecordEncoder::simple(
                     RecordEncoder::addSeconds(time(0, 0, 0), 60 * SampleSeries::kCapacity), 600));
        QCOMPARE(w.s.sampleCount, SampleSeries::kCapacity - 1);
        QCOMPARE(w.s.gapCount(), 0);
        QCOMPARE(w.district.problems().size(), 1); // the walk before tells no more
    }

    // What the records add: the samples (a gap marker counts), the last value and what the
    // event log says. Damage costs only the record it is in.
    void walk_data()
    {
        QTest::addColumn<QByteArray>("records");
        QTest::addColumn<int>("samples");
        QTest::addColumn<double>("last");
        QTest::addColumn<QString>("logged"); // before "(FileProcessing)"; empty: nothing
        const QByteArray ten = district(5) + simple(10, 0, 0, 600);
        RecordEncoder::District unreadable;
        unreadable.intervalCode = 5;
        unreadable.referenceRaw = 0x9000; // the reference overflows; the rest was read
        auto row = [](const char *name, const QByteArray &records, int samples, double last,
                      const char *logged) {
            QTest::newRow(name) << records << samples << last << QString::fromLatin1(logged);
        };
        row("interval + 2 s: no gap", ten + simple(10, 1, 2, 1200), 2, 2.0, "");
        row("same time: no gap", ten + simple(10, 0, 0, 1200), 2, 2.0, "");
        // A second district record's settings apply from the next reading on.
        row("second district record",
            ten + district(5, "00000", "21000", 0x80) + simple(10, 1, 0, 600), 2,
            21000.0 * 600 / 60 / 1000, "");
        // The failed reading's time is not remembered: a hole before the next one.
        row("reading too large", ten + simple(10, 1, 0, 0x8001) + simple(10, 2, 0, 1200), 3, 2.0,
            "Overflow in getDateAndValue");
        row("district reference unreadable",
            RecordEncoder::district(unreadable) + simple(10, 0, 0, 600), 1, 1.0,
            "Overflow in processDistrictRecord");
        row("simple cut short", ten + ten.right(10).left(5), 1, 1.0,
            "Subscript out of range in processSimpleRecord");
        row("fitting cut short",
            ten + RecordEncoder::fitting(QStringLiteral("1"), time(10, 1, 0), 600).left(12), 1, 1.0,
            "Subscript out of range in processFittingRecord");
        row("district cut short", district(5).left(8), 0, 0.0,
            "Subscript out of range in processDistrictRecord");
        row("last byte missing, unread", ten.chopped(1), 1, 1.0, "");
        row("undefined kind, stepped over byte by byte",
            ten + QByteArray(3, char(0xC7)) + simple(10, 1, 0, 1200), 2, 2.0, "");
    }
    void walk()
    {
        QFETCH(QByteArray, records);
        QFETCH(int, samples);
        QFETCH(double, last);
        QFETCH(QString, logged);
        const Walk w(records);
        QCOMPARE(w.s.sampleCount, samples);
        QCOMPARE(w.s.fittingCount, 0);
        if (samples > 0)
            QCOMPARE(w.s.values[size_t(samples - 1)], last);
        QCOMPARE(w.logged(),
                 logged.isEmpty() ? QString() : logged + QStringLiteral("(FileProcessing)\r"));
    }
};

QTEST_GUILESS_MAIN(TestRecordDecoder)
#include "tst_RecordDecoder.moc"
