#include "data/Checked.h"
#include "data/DateTime.h"

#include <QtTest>

class TestDateTime : public QObject
{
    Q_OBJECT

private slots:
    void dateSerialCarriesAndExpandsYears_data();
    void dateSerialCarriesAndExpandsYears();
    void timeCarriesIntoTheNextDay();
    void originAndKnownDayNumbers();
    void secondsArithmeticCrossesCenturies();
    void beforeTheOriginStaysLinear();
    void yearsOutsideTheCalendarRaise();
    void integerConversionsRoundHalfToEven_data();
    void integerConversionsRoundHalfToEven();
    void integerConversionsOverflow();
    void divisionFailsLikeTheRunTime();
};

void TestDateTime::dateSerialCarriesAndExpandsYears_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("plain") << 1 << 9 << 3 << QDate(2001, 9, 3);
    QTest::newRow("year 0 is 2000") << 0 << 1 << 1 << QDate(2000, 1, 1);
    QTest::newRow("year 29 is 2029") << 29 << 12 << 31 << QDate(2029, 12, 31);
    QTest::newRow("year 30 is 1930") << 30 << 1 << 1 << QDate(1930, 1, 1);
    QTest::newRow("year 99 is 1999") << 99 << 6 << 15 << QDate(1999, 6, 15);
    QTest::newRow("year above 99 stands") << 150 << 2 << 1 << QDate(150, 2, 1);
    QTest::newRow("four-digit year") << 2026 << 12 << 6 << QDate(2026, 12, 6);
    QTest::newRow("month 13 is next January") << 1 << 13 << 1 << QDate(2002, 1, 1);
    QTest::newRow("month 0 is last December") << 1 << 0 << 10 << QDate(2000, 12, 10);
    QTest::newRow("day 0 is last day before") << 2001 << 3 << 0 << QDate(2001, 2, 28);
    QTest::newRow("day 0 in a leap year") << 2000 << 3 << 0 << QDate(2000, 2, 29);
    QTest::newRow("day 32 carries") << 2001 << 1 << 32 << QDate(2001, 2, 1);
    QTest::newRow("month 25 carries two years") << 2001 << 25 << 1 << QDate(2003, 1, 1);
}

void TestDateTime::dateSerialCarriesAndExpandsYears()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QDate, expected);
    const double d = DateTime::dateSerial(year, month, day);
    QCOMPARE(DateTime::toQDate(d), expected);
    QCOMPARE(d, static_cast<double>(QDate(1899, 12, 30).daysTo(expected)));
}

void TestDateTime::timeCarriesIntoTheNextDay()
{
    const double hour24 = DateTime::fromParts(1, 9, 3, 24, 0, 0);
    QCOMPARE(DateTime::toQDate(hour24), QDate(2001, 9, 4));
    QCOMPARE(DateTime::toQTime(hour24), QTime(0, 0, 0));

    const double second60 = DateTime::fromParts(1, 9, 3, 14, 5, 60);
    QCOMPARE(DateTime::toQTime(second60), QTime(14, 6, 0));

    const double minute75 = DateTime::fromParts(1, 9, 3, 23, 75, 0);
    QCOMPARE(DateTime::toQDate(minute75), QDate(2001, 9, 4));
    QCOMPARE(DateTime::toQTime(minute75), QTime(0, 15, 0));
}

void TestDateTime::originAndKnownDayNumbers()
{
    QCOMPARE(DateTime::dateSerial(1899, 12, 30), 0.0);
    QCOMPARE(DateTime::dateSerial(1900, 1, 1), 2.0);
    QCOMPARE(DateTime::dateSerial(2001, 9, 3), 37137.0);
    QCOMPARE(DateTime::fromParts(2001, 9, 3, 12, 0, 0), 37137.5);
}

void TestDateTime::secondsArithmeticCrossesCenturies()
{
    const double lastSecond = DateTime::fromParts(99, 12, 31, 23, 59, 59);
    const double next = DateTime::addSeconds(lastSecond, 1);
    QCOMPARE(DateTime::toQDate(next), QDate(2000, 1, 1));
    QCOMPARE(DateTime::toQTime(next), QTime(0, 0, 0));
    QCOMPARE(DateTime::secondsBetween(lastSecond, next), qint64(1));
    QCOMPARE(DateTime::secondsBetween(next, lastSecond), qint64(-1));

    const double y2029 = DateTime::fromParts(29, 12, 31, 23, 59, 59);
    QCOMPARE(DateTime::toQDate(DateTime::addSeconds(y2029, 1)), QDate(2030, 1, 1));

    // Many additions do not drift: whole seconds stay whole.
    double t = DateTime::fromParts(2026, 1, 1, 0, 0, 0);
    for (int i = 0; i < 3400; ++i)
        t = DateTime::addSeconds(t, 900);
    QCOMPARE(DateTime::secondsBetween(DateTime::fromParts(2026, 1, 1, 0, 0, 0), t),
             qint64(3400) * 900);
    const DateTime::Parts p = DateTime::toParts(t);
    QCOMPARE(p.second, 0);
    QCOMPARE(p.minute % 15, 0);
}

void TestDateTime::beforeTheOriginStaysLinear()
{
    const double d = DateTime::fromParts(1899, 12, 29, 6, 0, 0);
    QCOMPARE(d, -0.75);
    QCOMPARE(DateTime::toQDate(d), QDate(1899, 12, 29));
    QCOMPARE(DateTime::toQTime(d), QTime(6, 0, 0));
    QCOMPARE(DateTime::secondsBetween(d, 0.0), qint64(18 * 3600));
}

void TestDateTime::yearsOutsideTheCalendarRaise()
{
    QVERIFY_THROWS_EXCEPTION(RuntimeError, DateTime::dateSerial(10000, 1, 1));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, DateTime::dateSerial(100, 0, 1));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, DateTime::dateSerial(25755, 1, 1));
    QCOMPARE(DateTime::toQDate(DateTime::dateSerial(9999, 12, 31)), QDate(9999, 12, 31));
}

void TestDateTime::integerConversionsRoundHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("-3.5") << -3.5 << -4;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("2.5001") << 2.5001 << 3;
    QTest::newRow("32767.4") << 32767.4 << 32767;
    QTest::newRow("-32768.5 ties to even") << -32768.5 << -32768;
}

void TestDateTime::integerConversionsRoundHalfToEven()
{
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(int(Checked::toInt16(value)), expected);
    QCOMPARE(Checked::toInt32(value), expected);
}

void TestDateTime::integerConversionsOverflow()
{
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked::toInt16(32767.5));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked::toInt16(-32769.0));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked::toInt32(2147483648.0));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked::toInt32(std::nan("")));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked::toInt32(HUGE_VAL));
    try {
        Checked::toInt16(1e9);
        QFAIL("no error");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.description(), QStringLiteral("Overflow"));
    }
}

void TestDateTime::divisionFailsLikeTheRunTime()
{
    QCOMPARE(Checked::divide(1.0, 4.0), 0.25);
    try {
        Checked::divide(1.0, 0.0);
        QFAIL("no error");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.description(), QStringLiteral("Division by zero"));
    }
    try {
        Checked::divide(0.0, 0.0);
        QFAIL("no error");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.description(), QStringLiteral("Overflow"));
    }
    QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked::divide(1e308, 1e-308));
}

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_DateTime.moc"
