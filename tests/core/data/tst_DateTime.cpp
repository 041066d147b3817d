#include "Checked.h"
#include "DateTime.h"

#include <QtTest>

// Calendar arithmetic on date serials, and the checked conversions.
class TestDateTime : public QObject
{
    Q_OBJECT

private slots:
    void calendarArithmeticCarries_data()
    {
        QTest::addColumn<QList<int>>("parts"); // year, month, day, hour, minute, second
        QTest::addColumn<QDateTime>("expected");
        auto row = [](const char *name, QList<int> parts, QDate date, QTime time = QTime(0, 0)) {
            QTest::newRow(name) << parts << QDateTime(date, time, Qt::UTC);
        };
        row("year 29 is 2029", { 29, 12, 31, 0, 0, 0 }, QDate(2029, 12, 31));
        row("year 30 is 1930", { 30, 1, 1, 0, 0, 0 }, QDate(1930, 1, 1));
        row("year above 99 stands", { 150, 2, 1, 0, 0, 0 }, QDate(150, 2, 1));
        row("month 13 is next January", { 1, 13, 1, 0, 0, 0 }, QDate(2002, 1, 1));
        row("month 0 is last December", { 1, 0, 10, 0, 0, 0 }, QDate(2000, 12, 10));
        row("day 0 in a leap year", { 2000, 3, 0, 0, 0, 0 }, QDate(2000, 2, 29));
        row("second 60 is the next minute", { 1, 9, 3, 14, 5, 60 }, QDate(2001, 9, 3),
            QTime(14, 6));
        row("before the origin", { 1899, 12, 29, 6, 0, 0 }, QDate(1899, 12, 29), QTime(6, 0));
    }
    void calendarArithmeticCarries()
    {
        QFETCH(QList<int>, parts);
        QFETCH(QDateTime, expected);
        const double d
            = DateTime::fromParts(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
        QCOMPARE(QDateTime(DateTime::toQDate(d), DateTime::toQTime(d), Qt::UTC), expected);
        // Days counted from 30 December 1899, the time of day as the fraction.
        const QDateTime origin(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
        QCOMPARE(d, origin.secsTo(expected) / 86400.0);
    }

    // The 16-bit limits, 32767.5 rounding to even (the other limits are the decoding's).
    void checkedArithmeticOverflows()
    {
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked::toInt16(32767.5));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, Checked::toInt16(-32769.0));
    }
};

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_DateTime.moc"
