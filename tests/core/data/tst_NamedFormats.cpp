#include "DateTime.h"
#include "NamedFormats.h"

#include <QtTest>

// The named formats the table, the labels and the statistics write numbers and dates in.
class TestNamedFormats : public QObject
{
    Q_OBJECT

    const NamedFormats m_british { QLocale(QLocale::English, QLocale::UnitedKingdom) };

private slots:
    void fixedRoundsToTwoDecimals_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half up on decimal digits") << 12.345 << "12.35";
        QTest::newRow("carry to units") << 999.995 << "1000.00";
        QTest::newRow("tiny rounds up") << 0.005 << "0.01";
        QTest::newRow("negative half") << -2.345 << "-2.35";
        QTest::newRow("negative zero result has no sign") << -0.001 << "0.00";
        QTest::newRow("no grouping") << 1234567.891 << "1234567.89";
    }
    void fixedRoundsToTwoDecimals()
    {
        QFETCH(double, value);
        QFETCH(QString, expected);
        QCOMPARE(m_british.fixed(value), expected);
    }

    void formatsFollowTheLocale()
    {
        const double t = DateTime::fromParts(2001, 9, 3, 14, 5, 9);
        const NamedFormats german(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(german.shortDate(t), QStringLiteral("03.09.01"));
        QCOMPARE(german.fixed(-1234.567), QStringLiteral("-1234,57"));
        // The fast formatter gives what the locale itself gives for the same pattern.
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const NamedFormats american(us);
        QCOMPARE(american.shortDate(t), QStringLiteral("9/3/01"));
        QCOMPARE(american.longTime(DateTime::fromParts(2001, 9, 3, 0, 30, 0)),
                 us.toString(QTime(0, 30, 0), american.longTimePattern()));
    }
};

QTEST_GUILESS_MAIN(TestNamedFormats)
#include "tst_NamedFormats.moc"
