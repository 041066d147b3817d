#include "DateTime.h"
#include "FileProcessing.h"
#include "TempLog.h"
#include "records/RecordEncoder.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

namespace {

using Time = RecordEncoder::Time;

RecordEncoder::District flowDistrict(int intervalCode, const QString &meter, const QString &head)
{
    RecordEncoder::District d;
    d.intervalCode = intervalCode;
    d.channelBits = 1;
    d.modeBits = 0x00;
    d.meter = meter;
    d.head = head;
    return d;
}

double at(int h, int m, int s)
{
    return DateTime::fromParts(2026, 3, 1, h, m, s);
}

Time time(int h, int m, int s)
{
    return Time { 2026, 3, 1, h, m, s };
}

} // namespace

Q_DECLARE_METATYPE(RecordEncoder::Time)

class TestDecoding : public QObject
{
    Q_OBJECT

private slots:
    void numericFields_data();
    void numericFields();
    void channelAndInterval_data();
    void channelAndInterval();
    void districtRecordSettings();
    void values_data();
    void values();
    void arithmeticFailuresDropTheSample_data();
    void arithmeticFailuresDropTheSample();
    void districtRecordFailureKeepsEarlierSettings();
    void gapMarkers_data();
    void gapMarkers();
    void gapMarkersNeverChangeExtremes();
    void fittingsAreBookedBeforeTheirSample();
    void secondDistrictRecordTakesOver();
    void capacityIsEnforced();
    void recordsCutShortAreReportedByTheirProcedure();
    void undefinedKindSkipsOneByte();
    void emptyAndHeaderOnlyImages();
    void randomBytesNeverCrash();

private:
    QByteArray image(const QByteArray &records) const
    {
        return RecordEncoder::header(QStringLiteral("00001")) + records;
    }
    void decode(FileProcessing &fp, const QByteArray &records, qint16 *units = nullptr)
    {
        fp.setImage(image(records));
        qint16 intUnits = 0;
        fp.processRecords(intUnits);
        if (units)
            *units = intUnits;
    }
};

void TestDecoding::numericFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("0,0,1,10,5") << "001.5" << 1.5;
    QTest::newRow("10,5,0,0,0") << ".5000" << 0.5;
    QTest::newRow("second point ends") << "1.2.3" << 1.2;
    QTest::newRow("code 59 ends") << "12;45" << 12.0;
    QTest::newRow("all points") << "....." << 0.0;
    QTest::newRow("lone point") << ".;;;;" << 0.0;
    QTest::newRow("leading code") << "?1234" << 0.0;
    QTest::newRow("digits") << "00100" << 100.0;
    QTest::newRow("trailing point") << "2100." << 2100.0;
}

void TestDecoding::numericFields()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(FileProcessing::readNumber(text), expected);
}

void TestDecoding::channelAndInterval_data()
{
    QTest::addColumn<quint8>("byte0");
    QTest::addColumn<quint8>("byte14");
    QTest::addColumn<qint32>("interval");
    QTest::addColumn<qint32>("type");
    QTest::addColumn<qint16>("units");
    QTest::newRow("0x95, mode 00") << quint8(0x95) << quint8(0x00) << 60 << 1 << qint16(1);
    QTest::newRow("0x95, mode 10") << quint8(0x95) << quint8(0x80) << 60 << 5 << qint16(4);
    QTest::newRow("0x95, mode 10, low bits set")
        << quint8(0x95) << quint8(0xBF) << 60 << 5 << qint16(4);
    QTest::newRow("bits 00, mode 01") << quint8(0x81) << quint8(0x40) << 5 << 2 << qint16(1);
    QTest::newRow("bits 10, mode 11") << quint8(0xAA) << quint8(0xC0) << 1800 << 3 << qint16(1);
    QTest::newRow("bits 11, mode 00") << quint8(0xB9) << quint8(0x00) << 900 << 3 << qint16(1);
    QTest::newRow("bits 00, mode 10") << quint8(0x84) << quint8(0x80) << 30 << 4 << qint16(4);
    QTest::newRow("bits 10, mode 10") << quint8(0xA7) << quint8(0x80) << 300 << 6 << qint16(4);
    QTest::newRow("bits 11, mode 10") << quint8(0xB8) << quint8(0x80) << 600 << 7 << qint16(4);
    QTest::newRow("interval code 0") << quint8(0x90) << quint8(0x00) << 0 << 1 << qint16(1);
    QTest::newRow("interval code 11") << quint8(0x9B) << quint8(0x00) << 0 << 1 << qint16(1);
}

void TestDecoding::channelAndInterval()
{
    QFETCH(quint8, byte0);
    QFETCH(quint8, byte14);
    QFETCH(qint32, interval);
    QFETCH(qint32, type);
    QFETCH(qint16, units);
    TempLog log;
    FileProcessing fp(log.report);
    QByteArray record(15, '\0');
    record[0] = char(byte0);
    record[14] = char(byte14);
    qint16 intUnits = 0;
    decode(fp, record, &intUnits);
    QCOMPARE(fp.settings().lngLoggingInterval, interval);
    QCOMPARE(fp.settings().lngChannelType, type);
    QCOMPARE(fp.settings().bytModeBits, quint8(byte14 & 0xC0));
    QCOMPARE(intUnits, units);
}

void TestDecoding::districtRecordSettings()
{
    TempLog log;
    FileProcessing fp(log.report);
    // Byte 0 = 0x95: interval code 5 (60 s), channel bits 01.
    QByteArray record(15, '\0');
    record[0] = char(0x95);
    const char low[] = { 0, 0, 1, 10, 5 }; // meter 001.5
    const char high[] = { 1, 2, 0, 10, 5 }; // output code 1, head 120.5, range 20.5
    for (int i = 0; i < 5; ++i)
        record[6 + i] = char((high[i] << 4) | low[i]);
    record[14] = char(0x00);
    qint16 units = 0;
    decode(fp, record, &units);
    QCOMPARE(fp.settings().lngLoggingInterval, 60);
    QCOMPARE(fp.settings().lngChannelType, 1);
    QCOMPARE(fp.settings().dblMeterLitres, 1.5);
    QCOMPARE(fp.settings().dblTransducerOffset, 1.5);
    QCOMPARE(fp.settings().dblHeadPulses, 120.5);
    QCOMPARE(fp.settings().dblTransducerRange, 20.5);
    QCOMPARE(fp.settings().lngOutputCode, 1);
    QCOMPARE(units, qint16(1));
    QCOMPARE(fp.series().lngNumSamples, 0);

    QVERIFY(log.messages().isEmpty());
}

void TestDecoding::values_data()
{
    QTest::addColumn<QByteArray>("district");
    QTest::addColumn<quint16>("raw");
    QTest::addColumn<double>("expected");

    // Flow, 5 s (timed pulses): (A/B * 1000) / R.
    QTest::newRow("flow 5 s") << RecordEncoder::district(flowDistrict(1, "00001", "00010"))
                              << quint16(1) << 100.0;
    // Flow, 60 s (pulse count): (A/B * R) / I.
    QTest::newRow("flow 60 s") << RecordEncoder::district(flowDistrict(5, "00010", "00100"))
                               << quint16(600) << 1.0;
    // Flow, interval 0 takes the timed branch and never divides by it.
    QTest::newRow("flow interval 0")
        << RecordEncoder::district(flowDistrict(0, "00002", "00001")) << quint16(4) << 500.0;
    // Flow in mode 0xC0: (R / I - 200) * (A / B).
    RecordEncoder::District c0 = flowDistrict(5, "00002", "00001");
    c0.modeBits = 0xC0;
    QTest::newRow("flow mode C0") << RecordEncoder::district(c0) << quint16(30000) << 600.0;
    // Pressure with a 4-20 mA transducer: (((R - I*C) * D) / I) / 800.
    RecordEncoder::District p1 = flowDistrict(5, "00200", "10010");
    p1.modeBits = 0x80;
    QTest::newRow("pressure 4-20 mA") << RecordEncoder::district(p1) << quint16(30000) << 3.75;
    // Pressure with a voltage output: ((B * R) / I) / 1000.
    RecordEncoder::District p2 = flowDistrict(9, "00000", "2100.");
    p2.modeBits = 0x80;
    QTest::newRow("pressure 0-1 V")
        << RecordEncoder::district(p2) << quint16(1800) << 2100.0 * 1800.0 / 900.0 / 1000.0;
    // Zero bytes are 0 on any channel, even where a division would fail.
    QTest::newRow("zero flow, head 0")
        << RecordEncoder::district(flowDistrict(5, "00010", "00000")) << quint16(0) << 0.0;
    RecordEncoder::District p0 = flowDistrict(0, "00000", "20000");
    p0.modeBits = 0x80;
    QTest::newRow("zero pressure, interval 0") << RecordEncoder::district(p0) << quint16(0) << 0.0;
}

void TestDecoding::values()
{
    QFETCH(QByteArray, district);
    QFETCH(quint16, raw);
    QFETCH(double, expected);
    TempLog log;
    FileProcessing fp(log.report);
    decode(fp, district + RecordEncoder::simple(time(10, 0, 0), raw));
    QCOMPARE(fp.series().lngNumSamples, 1);
    QCOMPARE(fp.series().dblValue[0], expected);
    QVERIFY(!fp.series().blnGap[0]);
    QVERIFY2(log.messages().isEmpty(), qPrintable(log.messages().join(u'|')));
}

void TestDecoding::arithmeticFailuresDropTheSample_data()
{
    QTest::addColumn<QByteArray>("district");
    QTest::addColumn<quint16>("raw");
    QTest::addColumn<QString>("description");

    QTest::newRow("flow head 0") << RecordEncoder::district(flowDistrict(5, "00010", "00000"))
                                 << quint16(5) << "Division by zero";
    QTest::newRow("flow 0/0") << RecordEncoder::district(flowDistrict(5, "00000", "00000"))
                              << quint16(5) << "Overflow";
    QTest::newRow("raw above 32767") << RecordEncoder::district(flowDistrict(5, "00010", "00100"))
                                     << quint16(0x8001) << "Overflow";
    RecordEncoder::District p = flowDistrict(0, "00000", "20000");
    p.modeBits = 0x80;
    QTest::newRow("pressure interval 0")
        << RecordEncoder::district(p) << quint16(5) << "Division by zero";
    RecordEncoder::District c0 = flowDistrict(0, "00010", "00001");
    c0.modeBits = 0xC0;
    QTest::newRow("flow C0 interval 0")
        << RecordEncoder::district(c0) << quint16(5) << "Division by zero";
}

void TestDecoding::arithmeticFailuresDropTheSample()
{
    QFETCH(QByteArray, district);
    QFETCH(quint16, raw);
    QFETCH(QString, description);
    TempLog log;
    FileProcessing fp(log.report);
    const QByteArray good = RecordEncoder::simple(time(10, 0, 0), 0);
    decode(fp,
           district + good + RecordEncoder::simple(time(10, 1, 0), raw)
               + RecordEncoder::simple(time(10, 2, 0), 0));
    // The failing record adds nothing; the walk goes on with the next one, which now
    // follows a hole.
    QCOMPARE(fp.series().lngNumSamples, 3);
    QVERIFY(fp.series().blnGap[1]);
    // The marker stands one interval before the sample after the hole.
    QCOMPARE(fp.series().dteTime[1],
             DateTime::addSeconds(at(10, 2, 0), -fp.settings().lngLoggingInterval));
    QVERIFY(!fp.series().blnGap[2]);
    QCOMPARE(fp.series().dteTime[2], at(10, 2, 0));
    QCOMPARE(log.messages(),
             QStringList { description + QStringLiteral(" in getDateAndValue(FileProcessing)\r") });
}

void TestDecoding::districtRecordFailureKeepsEarlierSettings()
{
    TempLog log;
    FileProcessing fp(log.report);
    RecordEncoder::District d = flowDistrict(5, "00010", "00100");
    d.referenceRaw = 0x9000; // the reference cannot be read: overflow
    decode(fp, RecordEncoder::district(d) + RecordEncoder::simple(time(10, 0, 0), 600));
    QCOMPARE(fp.settings().lngLoggingInterval, 60);
    QCOMPARE(fp.settings().dblHeadPulses, 100.0);
    QCOMPARE(fp.series().lngNumSamples, 1);
    QCOMPARE(fp.series().dblValue[0], 1.0);
    QCOMPARE(log.messages(),
             QStringList { QStringLiteral("Overflow in processDistrictRecord(FileProcessing)\r") });
}

void TestDecoding::gapMarkers_data()
{
    QTest::addColumn<Time>("second");
    QTest::addColumn<bool>("gap");
    QTest::newRow("one interval") << time(10, 1, 0) << false;
    QTest::newRow("interval + 2 s") << time(10, 1, 2) << false;
    QTest::newRow("interval + 3 s") << time(10, 1, 3) << true;
    QTest::newRow("same time") << time(10, 0, 0) << false;
    QTest::newRow("earlier") << time(9, 0, 0) << false;
    QTest::newRow("hours later") << time(14, 0, 0) << true;
}

void TestDecoding::gapMarkers()
{
    QFETCH(Time, second);
    QFETCH(bool, gap);
    TempLog log;
    FileProcessing fp(log.report);
    decode(fp,
           RecordEncoder::district(flowDistrict(5, "00010", "00100"))
               + RecordEncoder::simple(time(10, 0, 0), 600) + RecordEncoder::simple(second, 1200));
    const SampleSeries &s = fp.series();
    const double t2 = DateTime::fromParts(second.year, second.month, second.day, second.hour,
                                          second.minute, second.second);
    if (gap) {
        QCOMPARE(s.lngNumSamples, 3);
        QVERIFY(s.blnGap[1]);
        QCOMPARE(s.dblValue[1], 0.0);
        QCOMPARE(DateTime::secondsBetween(s.dteTime[1], t2), qint64(60));
        QVERIFY(!s.blnGap[2]);
        QCOMPARE(s.dblValue[2], 2.0);
    } else {
        QCOMPARE(s.lngNumSamples, 2);
        QVERIFY(!s.blnGap[1]);
        QCOMPARE(s.dteTime[1], t2);
    }
    QCOMPARE(s.dteFirstTime, std::min(at(10, 0, 0), t2));
    QCOMPARE(s.dteLastTime, std::max(at(10, 0, 0), t2));
}

void TestDecoding::gapMarkersNeverChangeExtremes()
{
    TempLog log;
    FileProcessing fp(log.report);
    decode(fp,
           RecordEncoder::district(flowDistrict(5, "00010", "00100"))
               + RecordEncoder::simple(time(10, 0, 0), 3000)
               + RecordEncoder::simple(time(11, 0, 0), 3000)
               + RecordEncoder::simple(time(12, 0, 0), 3000));
    const SampleSeries &s = fp.series();
    QCOMPARE(s.lngNumSamples, 5);
    QCOMPARE(s.gapCount(), 2);
    QCOMPARE(s.dblMinValue, 5.0);
    QCOMPARE(s.dblMaxValue, 5.0);
    QCOMPARE(s.dteFirstTime, at(10, 0, 0));
    QCOMPARE(s.dteLastTime, at(12, 0, 0));
}

void TestDecoding::fittingsAreBookedBeforeTheirSample()
{
    TempLog log;
    FileProcessing fp(log.report);
    decode(fp,
           RecordEncoder::district(flowDistrict(5, "00010", "00100"))
               + RecordEncoder::simple(time(10, 0, 0), 600)
               + RecordEncoder::fitting(QStringLiteral("00012"), time(10, 1, 0), 1200)
               + RecordEncoder::simple(time(10, 2, 0), 600)
               // A hole in front of the next fitting: the marker carries its number.
               + RecordEncoder::fitting(QStringLiteral("0;3.4"), time(10, 10, 0), 600)
               + RecordEncoder::simple(time(10, 11, 0), 600));
    const SampleSeries &s = fp.series();
    QCOMPARE(s.lngNumSamples, 6);
    const QStringList fittings = { "", "00012", "00012", "0;3.4", "0;3.4", "0;3.4" };
    for (int i = 0; i < 6; ++i)
        QCOMPARE(s.strSampleFitting[size_t(i)], fittings.at(i));
    QVERIFY(s.blnGap[3]);
    QCOMPARE(s.lngNumFittings, 2);
    QCOMPARE(s.lngFittingSample, (std::vector<qint32> { 1, 4 }));
    QCOMPARE(s.strFittingNumber, (std::vector<QString> { "00012", "0;3.4" }));
    QCOMPARE(s.strCurrentFitting, QStringLiteral("0;3.4"));
    QVERIFY(log.messages().isEmpty());

    // A walk without fittings leaves every fitting number empty.
    decode(fp,
           RecordEncoder::district(flowDistrict(5, "00010", "00100"))
               + RecordEncoder::simple(time(10, 0, 0), 600));
    QCOMPARE(s.lngNumFittings, 0);
    QCOMPARE(s.strSampleFitting[0], QString());
    QVERIFY(s.lngFittingSample.empty());
}

void TestDecoding::secondDistrictRecordTakesOver()
{
    TempLog log;
    FileProcessing fp(log.report);
    RecordEncoder::District pressure = flowDistrict(5, "00000", "21000");
    pressure.modeBits = 0x80;
    qint16 units = 0;
    decode(fp,
           RecordEncoder::district(flowDistrict(5, "00010", "00100"))
               + RecordEncoder::simple(time(10, 0, 0), 600) + RecordEncoder::district(pressure)
               + RecordEncoder::simple(time(10, 1, 0), 600),
           &units);
    QCOMPARE(fp.series().lngNumSamples, 2);
    QCOMPARE(fp.series().dblValue[0], 1.0);
    QCOMPARE(fp.series().dblValue[1], 21000.0 * 600 / 60 / 1000);
    QCOMPARE(units, qint16(4));
}

void TestDecoding::capacityIsEnforced()
{
    TempLog log;
    FileProcessing fp(log.report);
    QByteArray records = RecordEncoder::district(flowDistrict(5, "00010", "00100"));
    Time t = time(0, 0, 0);
    for (int i = 0; i < SampleSeries::kCapacity + 2; ++i) {
        records += RecordEncoder::simple(t, 600);
        t = RecordEncoder::addSeconds(t, 60);
    }
    // A fitting beyond the capacity still enters the fitting list.
    records += RecordEncoder::fitting(QStringLiteral("00077"), t, 600);
    decode(fp, records);
    const SampleSeries &s = fp.series();
    QCOMPARE(s.lngNumSamples, SampleSeries::kCapacity);
    QCOMPARE(s.gapCount(), 0);
    QCOMPARE(s.lngNumFittings, 1);
    QCOMPARE(s.lngFittingSample[0], SampleSeries::kCapacity - 1);
    QCOMPARE(s.strFittingNumber[0], QStringLiteral("00077"));
    const QStringList messages = log.messages();
    QCOMPARE(messages.size(), 3);
    for (const QString &m : messages)
        QCOMPARE(m, QStringLiteral("Subscript out of range in getDateAndValue(FileProcessing)\r"));

    // A gap marker and its sample must both fit: at 3400 entries, a sample after a hole
    // adds nothing.
    QByteArray nearlyFull = RecordEncoder::district(flowDistrict(5, "00010", "00100"));
    t = time(0, 0, 0);
    for (int i = 0; i < SampleSeries::kCapacity - 1; ++i) {
        nearlyFull += RecordEncoder::simple(t, 600);
        t = RecordEncoder::addSeconds(t, 60);
    }
    nearlyFull += RecordEncoder::simple(RecordEncoder::addSeconds(t, 3600), 600);
    decode(fp, nearlyFull);
    QCOMPARE(s.lngNumSamples, SampleSeries::kCapacity - 1);
    QCOMPARE(s.gapCount(), 0);
}

void TestDecoding::recordsCutShortAreReportedByTheirProcedure()
{
    const QByteArray district = RecordEncoder::district(flowDistrict(5, "00010", "00100"));
    const QByteArray simple = RecordEncoder::simple(time(10, 0, 0), 600);
    const QByteArray fitting = RecordEncoder::fitting(QStringLiteral("00001"), time(10, 1, 0), 600);
    struct Case
    {
        QByteArray records;
        int samples;
        QString message;
    };
    const QList<Case> cases = {
        { district + simple + simple.left(5), 1,
          QStringLiteral("Subscript out of range in processSimpleRecord(FileProcessing)\r") },
        { district + simple + fitting.left(12), 1,
          QStringLiteral("Subscript out of range in processFittingRecord(FileProcessing)\r") },
        { district.left(8), 0,
          QStringLiteral("Subscript out of range in processDistrictRecord(FileProcessing)\r") },
    };
    for (const Case &c : cases) {
        TempLog log;
        FileProcessing fp(log.report);
        decode(fp, c.records);
        QCOMPARE(fp.series().lngNumSamples, c.samples);
        QCOMPARE(fp.series().lngNumFittings, 0);
        QCOMPARE(log.messages(), QStringList { c.message });
    }
    // The unread last byte of a record may be missing without loss.
    TempLog log;
    FileProcessing fp(log.report);
    decode(fp, district + simple.left(9));
    QCOMPARE(fp.series().lngNumSamples, 1);
    QVERIFY(log.messages().isEmpty());
}

void TestDecoding::undefinedKindSkipsOneByte()
{
    TempLog log;
    FileProcessing fp(log.report);
    decode(fp,
           RecordEncoder::district(flowDistrict(5, "00010", "00100"))
               + RecordEncoder::simple(time(10, 0, 0), 600) + QByteArray(3, char(0xC7))
               + RecordEncoder::simple(time(10, 1, 0), 1200));
    QCOMPARE(fp.series().lngNumSamples, 2);
    QCOMPARE(fp.series().dblValue[0], 1.0);
    QCOMPARE(fp.series().dblValue[1], 2.0);
    QVERIFY(log.messages().isEmpty());
}

void TestDecoding::emptyAndHeaderOnlyImages()
{
    TempLog log;
    FileProcessing fp(log.report);
    decode(fp,
           RecordEncoder::district(flowDistrict(5, "00010", "00100"))
               + RecordEncoder::simple(time(10, 0, 0), 600));
    QCOMPARE(fp.series().lngNumSamples, 1);
    for (const QByteArray &bytes : { QByteArray("4"), RecordEncoder::header(QString()),
                                     RecordEncoder::header(QString()).left(100) }) {
        fp.setImage(bytes);
        qint16 units = 0;
        fp.processRecords(units);
        QCOMPARE(fp.series().lngNumSamples, 0);
        QCOMPARE(fp.series().lngNumFittings, 0);
    }
    QVERIFY(log.messages().isEmpty());
}

void TestDecoding::randomBytesNeverCrash()
{
    TempLog log;
    FileProcessing fp(log.report);
    QRandomGenerator random(20261206);
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes(random.bounded(1, 4000), '\0');
        for (char &b : bytes)
            b = static_cast<char>(random.bounded(256));
        fp.setImage(bytes);
        qint16 units = 0;
        fp.processRecords(units);
        const SampleSeries &s = fp.series();
        QVERIFY(s.lngNumSamples >= 0 && s.lngNumSamples <= SampleSeries::kCapacity);
        QVERIFY(units == 1 || units == 4);
        for (qint32 i = 0; i < s.lngNumSamples; ++i) {
            QVERIFY(std::isfinite(s.dblValue[size_t(i)]));
            QVERIFY(std::isfinite(s.dteTime[size_t(i)]));
        }
        for (qint32 k = 0; k < s.lngNumFittings; ++k)
            QVERIFY(s.lngFittingSample[size_t(k)] < s.lngNumSamples);
    }
}

QTEST_GUILESS_MAIN(TestDecoding)
#include "tst_Decoding.moc"
