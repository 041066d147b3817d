#include "DateTime.h"
#include "NamedFormats.h"

#include <QtTest>

class TestNamedFormats : public QObject
{
    Q_OBJECT

private slots:
    void fixedRoundsToTwoDecimals_data();
    void fixedRoundsToTwoDecimals();
    void fixedFollowsTheLocale();
    void datesAndTimesFollowTheLocale();
    void longTimeHasSecondsAndNoTimeZone();
    void generalNumber_data();
    void generalNumber();
    void systemLocaleIsUsedByDefault();
};

void TestNamedFormats::fixedRoundsToTwoDecimals_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("12.5") << 12.5 << "12.50";
    QTest::newRow("half up on decimal digits") << 12.345 << "12.35";
    QTest::newRow("2.675") << 2.675 << "2.68";
    QTest::newRow("carry to units") << 999.995 << "1000.00";
    QTest::newRow("zero") << 0.0 << "0.00";
    QTest::newRow("leading zero") << 0.5 << "0.50";
    QTest::newRow("tiny rounds up") << 0.005 << "0.01";
    QTest::newRow("tiny rounds down") << 0.0049 << "0.00";
    QTest::newRow("very small") << 1e-9 << "0.00";
    QTest::newRow("negative") << -0.5 << "-0.50";
    QTest::newRow("negative half") << -2.345 << "-2.35";
    QTest::newRow("negative zero result has no sign") << -0.001 << "0.00";
    QTest::newRow("no grouping") << 1234567.891 << "1234567.89";
    QTest::newRow("whole") << 7.0 << "7.00";
    QTest::newRow("sum of binary fractions") << 0.1 + 0.2 << "0.30";
    QTest::newRow("large") << 123456789012.0 << "123456789012.00";
}

void TestNamedFormats::fixedRoundsToTwoDecimals()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    const NamedFormats formats(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QCOMPARE(formats.fixed(value), expected);
}

void TestNamedFormats::fixedFollowsTheLocale()
{
    const NamedFormats german(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(german.fixed(12.5), QStringLiteral("12,50"));
    QCOMPARE(german.fixed(-1234.567), QStringLiteral("-1234,57"));
}

void TestNamedFormats::datesAndTimesFollowTheLocale()
{
    const double t = DateTime::fromParts(2001, 9, 3, 14, 5, 9);
    const NamedFormats british(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QCOMPARE(british.shortDate(t), QStringLiteral("03/09/2001"));
    QCOMPARE(british.longTime(t), QStringLiteral("14:05:09"));
    QCOMPARE(british.dateAndTime(t), QStringLiteral("03/09/2001 14:05:09"));

    const NamedFormats german(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(german.shortDate(t), QStringLiteral("03.09.01"));
    QCOMPARE(german.longTime(t), QStringLiteral("14:05:09"));

    const NamedFormats american(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(american.shortDate(t), QStringLiteral("9/3/01"));
    // The fast formatter gives what the locale itself gives for the same pattern.
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QCOMPARE(american.longTime(t), us.toString(QTime(14, 5, 9), american.longTimePattern()));
    QCOMPARE(american.longTime(DateTime::fromParts(2001, 9, 3, 0, 30, 0)),
             us.toString(QTime(0, 30, 0), american.longTimePattern()));
}

void TestNamedFormats::longTimeHasSecondsAndNoTimeZone()
{
    const QList<QLocale> locales
        = { QLocale(QLocale::English, QLocale::UnitedKingdom),
            QLocale(QLocale::English, QLocale::UnitedStates),
            QLocale(QLocale::French, QLocale::France), QLocale(QLocale::Japanese, QLocale::Japan) };
    const double t = DateTime::fromParts(2026, 12, 6, 7, 8, 9);
    for (const QLocale &locale : locales) {
        const NamedFormats formats(locale);
        const QString text = formats.longTime(t);
        QVERIFY2(text.contains(QStringLiteral("09")), qPrintable(locale.name() + u' ' + text));
        QVERIFY2(!formats.longTimePattern().contains(u't'), qPrintable(formats.longTimePattern()));
        QVERIFY2(!text.contains(QStringLiteral("UTC")) && !text.contains(QStringLiteral("GMT")),
                 qPrintable(text));
        QCOMPARE(text, text.trimmed());
    }
}

void TestNamedFormats::generalNumber_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fraction") << 1.5 << "1.5";
    QTest::newRow("whole") << 100000.0 << "100000";
    QTest::newRow("no trailing zeros") << 0.1 + 0.2 << "0.3";
    QTest::newRow("fifteen digits") << 1.0 / 3.0 << "0.333333333333333";
    QTest::newRow("negative") << -2.25 << "-2.25";
    QTest::newRow("large uses exponent") << 1e20 << "1E+20";
    QTest::newRow("zero") << 0.0 << "0";
}

void TestNamedFormats::generalNumber()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    const NamedFormats formats(QLocale(QLocale::English, QLocale::UnitedKingdom));
    QCOMPARE(formats.generalNumber(value), expected);
}

void TestNamedFormats::systemLocaleIsUsedByDefault()
{
    // The test runs with LC_ALL=en_GB.UTF-8.
    const NamedFormats formats;
    QCOMPARE(formats.locale().name(), QStringLiteral("en_GB"));
    QCOMPARE(formats.shortDatePattern(), QStringLiteral("dd/MM/yyyy"));
}

QTEST_GUILESS_MAIN(TestNamedFormats)
#include "tst_NamedFormats.moc"
