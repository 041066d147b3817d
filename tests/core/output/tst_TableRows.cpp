#include "DateTime.h"
#include "NamedFormats.h"
#include "SampleSeries.h"
#include "TableRows.h"

#include <QtTest>

namespace {

// A series of `count` samples a quarter of an hour apart.
SampleSeries series(int count)
{
    SampleSeries s;
    s.lngNumSamples = count;
    for (int i = 0; i < count; ++i) {
        const auto k = size_t(i);
        s.dteTime[k] = DateTime::fromParts(2003, 2, 1, 12, 0, 0) + i / 96.0;
        s.dblValue[k] = 10.0 + i;
        s.strSampleFitting[k] = QStringLiteral("00012");
    }
    return s;
}

} // namespace

class TestTableRows : public QObject
{
    Q_OBJECT

private slots:
    void emptySeriesGivesNothing();
    void rangeIsClampedInTheCallersVariables_data();
    void rangeIsClampedInTheCallersVariables();
    void spaceRowsFollowTheHeadingColumns();
    void commaRowsPadValueAndStep();
    void gapMarkersPrintFourDashFields();
    void rowsBeforeTheFirstFittingStartWithTheSeparator();
    void negativeAndLongNumbers();
    void displayFactorScalesValueAndStep();

private:
    const NamedFormats m_british { QLocale(QLocale::English, QLocale::UnitedKingdom) };
    // Eight-character short date and long time, as the heading assumes.
    const NamedFormats m_german { QLocale(QLocale::German, QLocale::Germany) };
};

void TestTableRows::emptySeriesGivesNothing()
{
    const TableRows rows(m_british);
    const SampleSeries empty;
    for (bool csv : { false, true }) {
        qint32 start = -1;
        qint32 end = -1;
        QCOMPARE(rows.getTable(empty, 0.0, 1.0, csv, start, end), QString());
        QCOMPARE(start, 0);
        QCOMPARE(end, -1);
    }
}

void TestTableRows::rangeIsClampedInTheCallersVariables_data()
{
    QTest::addColumn<qint32>("start");
    QTest::addColumn<qint32>("end");
    QTest::addColumn<qint32>("clampedStart");
    QTest::addColumn<qint32>("clampedEnd");
    QTest::addColumn<int>("rows");
    QTest::newRow("end before start") << 7 << 5 << 7 << 9 << 3;
    QTest::newRow("one row") << 3 << 3 << 3 << 3 << 1;
    QTest::newRow("whole") << -1 << -1 << 0 << 9 << 10;
    QTest::newRow("end beyond") << 8 << 40 << 8 << 9 << 2;
    QTest::newRow("start beyond") << 12 << 15 << 12 << 9 << 0;
    QTest::newRow("window of ten") << 0 << 9 << 0 << 9 << 10;
}

void TestTableRows::rangeIsClampedInTheCallersVariables()
{
    QFETCH(qint32, start);
    QFETCH(qint32, end);
    QFETCH(qint32, clampedStart);
    QFETCH(qint32, clampedEnd);
    QFETCH(int, rows);
    const TableRows table(m_british);
    const QString text = table.getTable(series(10), 0.0, 1.0, false, start, end);
    QCOMPARE(start, clampedStart);
    QCOMPARE(end, clampedEnd);
    QCOMPARE(int(text.count(QStringLiteral("\r\n"))), rows);
    QVERIFY(text.isEmpty() || text.endsWith(QStringLiteral("\r\n")));
    if (rows > 0)
        QVERIFY(text.startsWith(QStringLiteral("00012     ")
                                + m_british.shortDate(series(10).dteTime[size_t(clampedStart)])));
}

void TestTableRows::spaceRowsFollowTheHeadingColumns()
{
    SampleSeries s;
    s.lngNumSamples = 1;
    s.dteTime[0] = DateTime::fromParts(3, 2, 1, 12, 0, 0);
    s.dblValue[0] = 12.35;
    s.strSampleFitting[0] = QStringLiteral("00012");
    const TableRows rows(m_german);
    qint32 start = 0;
    qint32 end = 0;
    const QString row = rows.getTable(s, 15.0, 1.0, false, start, end);
    QCOMPARE(row, QStringLiteral("00012     01.02.03     12:00:00     12,35        2,65    \r\n"));
    QCOMPARE(row.size(), 57 + 2);
    // Same columns as the heading "Fitting   Date         Time         Flow         Step".
    const QString heading = QStringLiteral("Fitting   Date         Time         Flow         Step");
    QCOMPARE(heading.indexOf(QStringLiteral("Date")), 10);
    QCOMPARE(row.indexOf(QStringLiteral("01.02.03")), 10);
    QCOMPARE(heading.indexOf(QStringLiteral("Time")), 23);
    QCOMPARE(row.indexOf(QStringLiteral("12:00:00")), 23);
    QCOMPARE(heading.indexOf(QStringLiteral("Flow")), 36);
    QCOMPARE(row.indexOf(QStringLiteral("12,35")), 36);
    QCOMPARE(heading.indexOf(QStringLiteral("Step")), 49);
    QCOMPARE(row.indexOf(QStringLiteral("2,65")), 49);
}

void TestTableRows::commaRowsPadValueAndStep()
{
    SampleSeries s;
    s.lngNumSamples = 1;
    s.dteTime[0] = DateTime::fromParts(2026, 11, 23, 9, 15, 0);
    s.dblValue[0] = 12.5;
    const TableRows rows(m_british);
    qint32 start = -1;
    qint32 end = -1;
    QCOMPARE(rows.getTable(s, 20.0, 1.0, true, start, end),
             QStringLiteral(",23/11/2026,09:15:00,12.50   ,7.50    \r\n"));
}

void TestTableRows::gapMarkersPrintFourDashFields()
{
    SampleSeries s = series(3);
    s.blnGap[1] = 1;
    s.dblValue[1] = 0.0;
    s.dteTime[1] = -1e6; // whatever is stored, it is not printed
    const TableRows rows(m_british);
    qint32 start = 1;
    qint32 end = 1;
    QCOMPARE(rows.getTable(s, 5.0, 1.0, true, start, end),
             QStringLiteral("00012,--------,--------,--------,--------\r\n"));
    start = 1;
    end = 1;
    QCOMPARE(rows.getTable(s, 5.0, 1.0, false, start, end),
             QStringLiteral("00012     --------     --------     --------     --------\r\n"));
    s.strSampleFitting[1].clear();
    start = 0;
    end = -1;
    const QStringList lines
        = rows.getTable(s, 5.0, 1.0, true, start, end).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.at(1), QStringLiteral(",--------,--------,--------,--------"));
}

void TestTableRows::rowsBeforeTheFirstFittingStartWithTheSeparator()
{
    SampleSeries s = series(2);
    s.strSampleFitting[0].clear();
    const TableRows rows(m_german);
    qint32 start = 0;
    qint32 end = 0;
    const QString row = rows.getTable(s, 0.0, 1.0, false, start, end);
    QVERIFY(row.startsWith(QStringLiteral("     01.02.03")));
    QCOMPARE(row.indexOf(QStringLiteral("01.02.03")), 5);
}

void TestTableRows::negativeAndLongNumbers()
{
    SampleSeries s;
    s.lngNumSamples = 2;
    s.dteTime[0] = s.dteTime[1] = DateTime::fromParts(2026, 1, 1, 0, 0, 0);
    s.dblValue[0] = 5.5; // step -0.5
    s.dblValue[1] = 1234567.0; // longer than the field: written whole
    const TableRows rows(m_british);
    qint32 start = 0;
    qint32 end = 1;
    const QStringList lines
        = rows.getTable(s, 5.0, 1.0, true, start, end).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.at(0).section(u',', 3), QStringLiteral("5.50    ,-0.50   "));
    QCOMPARE(lines.at(1).section(u',', 3), QStringLiteral("1234567.00,-1234562.00"));
}

void TestTableRows::displayFactorScalesValueAndStep()
{
    SampleSeries s;
    s.lngNumSamples = 1;
    s.dblValue[0] = 2.5;
    const TableRows rows(m_british);
    qint32 start = 0;
    qint32 end = 0;
    QCOMPARE(rows.getTable(s, 3.0, 3.6, true, start, end).section(u',', 3),
             QStringLiteral("9.00    ,1.80    \r\n"));
}

QTEST_GUILESS_MAIN(TestTableRows)
#include "tst_TableRows.moc"
