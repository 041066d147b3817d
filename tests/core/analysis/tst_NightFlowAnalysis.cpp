#include "DateTime.h"
#include "DistrictSettings.h"
#include "NamedFormats.h"
#include "NightFlowAnalysis.h"
#include "NightFlowReport.h"
#include "RuntimeError.h"
#include "SampleSeries.h"

#include <QTest>

// The figures below are worked out by hand from the readings each test lays down. Day 0 is
// 23 November 2026; readings are every 15 minutes unless a test says otherwise.
namespace {

struct Entry
{
    int day;
    int minute; // of the day; 1440 is the next day's 00:00
    double value;
    bool gap = false;
};

qint64 at(int day, int minute)
{
    return (DateTime::dayNumber(2026, 11, 23) + day) * 86400 + qint64(minute) * 60;
}

SampleSeries seriesOf(const QList<Entry> &entries)
{
    SampleSeries s;
    for (const Entry &e : entries) {
        const auto i = static_cast<size_t>(s.sampleCount++);
        s.times[i] = DateTime::fromWholeSeconds(at(e.day, e.minute));
        s.values[i] = e.value;
        s.gapMarkers[i] = e.gap ? 1 : 0;
    }
    return s;
}

// Readings stamped from `first` to `last` minute of `day`, 15 minutes apart, all `value`.
QList<Entry> run(int day, int first, int last, double value)
{
    QList<Entry> entries;
    for (int m = first; m <= last; m += 15)
        entries.append({ day, m, value });
    return entries;
}

DistrictSettings settingsOf(int channelType, qint32 interval = 900)
{
    DistrictSettings s;
    s.loggingInterval = interval;
    s.channelType = channelType;
    return s;
}

// Two whole days: day 0 at 3 l/s with a dip to 1, 0.5, 0.5 at 02:15-02:45 and 6 at the
// reading stamped on day 1's 00:00; day 1 at 4 l/s.
QList<Entry> twoWholeDays()
{
    QList<Entry> e = run(0, 15, 1440, 3.0);
    e[8].value = 1.0; // 02:15
    e[9].value = 0.5;
    e[10].value = 0.5;
    e[95].value = 6.0; // 24:00
    return e + run(1, 15, 1440, 4.0);
}

} // namespace

Q_DECLARE_METATYPE(QList<Entry>)

class NightFlowAnalysisTest : public QObject
{
    Q_OBJECT

private slots:
    void wholeDaysTrendAndUnits();
    void partialNights_data();
    void partialNights();
    void reportColumnsAndSentences();
    void refusesADistrictWithoutInterval();
};

void NightFlowAnalysisTest::wholeDaysTrendAndUnits()
{
    const SampleSeries series = seriesOf(twoWholeDays());
    const auto a = NightFlowAnalysis::of(series, settingsOf(1), {}, DisplayUnit::LitresPerSecond);
    QCOMPARE(a.days.size(), size_t(2)); // the reading at day 2's 00:00 covers day 1 only
    const NightFlowAnalysis::Day &d = a.days[0];
    QCOMPARE(d.date, QDate(2026, 11, 23));
    QCOMPARE(d.coverage, 1.0);
    // (92 × 3 + 1 + 0.5 + 0.5 + 6) l/s × 900 s = 255,600 l.
    QCOMPARE(*d.volume, 255.6);
    QCOMPARE(*d.mean, 284.0 / 96);
    QCOMPARE(d.minimum->value, 0.5);
    QCOMPARE(d.minimum->time, at(0, 150)); // the first of the two 0.5 readings
    QCOMPARE(d.maximum->time, at(1, 0)); // 24:00 belongs to the day before
    QCOMPARE(d.nightMinimum->time, at(0, 150));
    QCOMPARE(*d.nightMean, (1 + 0.5 + 0.5 + 5 * 3.0) / 8);
    QVERIFY(d.nightComplete);
    QCOMPARE(a.days[1].maximum->time, at(1, 15));
    QCOMPARE(a.completeNights, 2);
    QCOMPARE(a.trend->slopePerDay, 3.5);
    QCOMPARE(*a.totalVolume, 601.2);
    QCOMPARE(*a.mean, (284.0 + 384.0) / 192);

    // m³/h is 3.6 × l/s: rates scale, volumes stay in m³.
    const auto b
        = NightFlowAnalysis::of(series, settingsOf(1), {}, DisplayUnit::CubicMetresPerHour);
    QCOMPARE(b.days[0].nightMinimum->value, 1.8);
    QCOMPARE(b.trend->slopePerDay, 3.5 * 3.6);
    QCOMPARE(*b.days[0].volume, 255.6);
}

void NightFlowAnalysisTest::partialNights_data()
{
    QTest::addColumn<QList<Entry>>("entries");
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("day"); // the day checked
    QTest::addColumn<qint64>("covered");
    QTest::addColumn<double>("volume"); // -1: none
    QTest::addColumn<double>("nightMinimum");
    QTest::addColumn<int>("nightMinimumAt"); // minute of the checked day
    QTest::addColumn<double>("nightMean");
    QTest::addColumn<bool>("complete");

    // The gap marker at 03:00 leaves (02:30, 03:00] uncovered.
    QList<Entry> hole
        = run(0, 15, 150, 2.0) + QList<Entry> { { 0, 180, 0.0, true } } + run(0, 195, 1440, 2.0);
    hole[12].value = 1.0; // 03:30
    QTest::newRow("hole") << hole << "02:00-04:00" << 1 << 0 << qint64(84600) << 168.3 << 1.0 << 210
                          << 9900.0 / 5400 << false;
    // A whole day inside a hole is listed, with nothing but its date.
    const QList<Entry> dayOff
        = run(0, 1425, 1440, 2.0) + QList<Entry> { { 2, 0, 0.0, true } } + run(2, 15, 30, 2.0);
    QTest::newRow("day in a hole")
        << dayOff << "02:00-04:00" << 1 << 1 << qint64(0) << -1.0 << -1.0 << 0 << -1.0 << false;
    QList<Entry> late = run(0, 180, 360, 2.0);
    late[2].value = 1.0; // 03:30
    QTest::newRow("starts at 03:00") << late << "02:00-04:00" << 1 << 0 << qint64(11700) << 22.5
                                     << 1.0 << 210 << 8100.0 / 4500 << false;
    QList<Entry> early = run(0, 15, 150, 2.0);
    early[8].value = 1.0; // 02:15
    QTest::newRow("ends at 02:30") << early << "02:00-04:00" << 1 << 0 << qint64(9000) << 17.1
                                   << 1.0 << 135 << 2700.0 / 1800 << false;
    // 23:52 covers (23:37, 23:52]; 00:07 covers (23:52, 00:07], 8 minutes before midnight.
    const QList<Entry> offClock { { 0, 1432, 2.0 }, { 1, 7, 4.0 } };
    QTest::newRow("off the clock, day 0") << offClock << "00:00-04:00" << 1 << 0 << qint64(1380)
                                          << 3.72 << -1.0 << 0 << -1.0 << false;
    QTest::newRow("off the clock, day 1")
        << offClock << "00:00-04:00" << 1 << 1 << qint64(420) << 1.68 << 4.0 << 7 << 4.0 << false;
    // A fitting reading at 02:20 covers 5 minutes, the 02:30 reading 10.
    QList<Entry> fitting = run(0, 105, 255, 3.0);
    fitting.insert(3, { 0, 140, 1.0 });
    QTest::newRow("fitting") << fitting << "02:00-04:00" << 1 << 0 << qint64(9900) << 29.1 << 1.0
                             << 140 << 21000.0 / 7200 << true;
    // Set back to 02:00 after 02:30: it covers nothing, and 02:45 covers from 02:30 on.
    QList<Entry> setBack = run(0, 105, 240, 3.0);
    setBack.insert(4, { 0, 120, 0.1 });
    QTest::newRow("clock set back")
        << setBack << "02:00-04:00" << 1 << 0 << qint64(9000) << 27.0 << 3.0 << 135 << 3.0 << true;
    QList<Entry> pressure = run(0, 15, 1440, 4.0);
    for (int k = 8; k < 16; ++k)
        pressure[k].value = 3.0; // 02:15 to 04:00
    QTest::newRow("pressure") << pressure << "02:00-04:00" << 4 << 0 << qint64(86400) << -1.0 << 3.0
                              << 135 << 3.0 << true;
}

void NightFlowAnalysisTest::partialNights()
{
    QFETCH(QList<Entry>, entries);
    QFETCH(QString, window);
    QFETCH(int, channel);
    QFETCH(int, day);
    const auto a = NightFlowAnalysis::of(seriesOf(entries), settingsOf(channel),
                                         *NightWindow::parse(window), DisplayUnit::None);
    const NightFlowAnalysis::Day &d = a.days.at(static_cast<size_t>(day));
    QCOMPARE(d.date, QDate(2026, 11, 23 + day));
    QTEST(d.coveredSeconds, "covered");
    QTEST(d.volume.value_or(-1.0), "volume");
    QFETCH(double, nightMinimum);
    QCOMPARE(d.nightMinimum ? d.nightMinimum->value : -1.0, nightMinimum);
    if (d.nightMinimum)
        QTEST(int((d.nightMinimum->time - at(day, 0)) / 60), "nightMinimumAt");
    QTEST(d.nightMean.value_or(-1.0), "nightMean");
    QTEST(d.nightComplete, "complete");
    QVERIFY(!a.trend); // one complete night at most
}

void NightFlowAnalysisTest::reportColumnsAndSentences()
{
    const auto a = NightFlowAnalysis::of(seriesOf(twoWholeDays()), settingsOf(1), {},
                                         DisplayUnit::LitresPerSecond);
    const NightFlowReport::Source source { QStringLiteral("a,b.dat"), QStringLiteral("123"),
                                           QStringLiteral("l/s"), a };
    const QStringList lines = NightFlowReport::csv({ source }).split(u'\n');
    QCOMPARE(lines[0],
             "file,district,unit,date,coverage,volume_m3,mean,minimum,minimum_time,maximum,"
             "maximum_time,night_minimum,night_minimum_time,night_mean,night_complete");
    QCOMPARE(lines[1],
             "\"a,b.dat\",123,l/s,2026-11-23,1.0000,255.6000,2.9583,0.5000,2026-11-23T02:30:00,"
             "6.0000,2026-11-24T00:00:00,0.5000,2026-11-23T02:30:00,2.1250,yes");
    const NamedFormats formats(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QCOMPARE(NightFlowReport::trendSentence(a, QStringLiteral("l/s"), formats),
             "Night minimum rising by 3.50 l/s per day over 2 complete nights (0.50 to 4.00 l/s)");
    QCOMPARE(NightFlowReport::wholeLogSentence(a, QStringLiteral("l/s"), formats),
             "Whole log: 601.20 m³ over 48.00 hours of readings, mean 3.48 l/s, 2 complete "
             "nights.");
    const auto one = NightFlowAnalysis::of(seriesOf(run(0, 15, 1440, 2.0)), settingsOf(1), {},
                                           DisplayUnit::LitresPerSecond);
    QCOMPARE(NightFlowReport::trendSentence(one, QStringLiteral("l/s"), formats),
             "Not enough complete nights for a trend.");
}

void NightFlowAnalysisTest::refusesADistrictWithoutInterval()
{
    try {
        NightFlowAnalysis::of(seriesOf(run(0, 15, 60, 2.0)), settingsOf(1, 0), {},
                              DisplayUnit::LitresPerSecond);
        QFAIL("analysed without an interval");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.description(),
                 "The district has no logging interval, so its readings "
                 "cannot be analysed.");
    }
}

QTEST_GUILESS_MAIN(NightFlowAnalysisTest)
#include "tst_NightFlowAnalysis.moc"
