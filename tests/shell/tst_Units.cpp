#include "shell/MainWindowTexts.h"
#include "shell/StringTable.h"
#include "shell/Units.h"

#include <QtTest>

// The rules of the Units menu: which entries are checked and enabled, the captions and
// the factor for each unit code.
class tst_Units : public QObject
{
    Q_OBJECT

    MainWindowTexts m_texts;

    static QString flags(const Units::Change &change, bool checked)
    {
        QString out;
        for (const Units::Entry &e : change.entries)
            out += (checked ? e.checked : e.enabled) ? u'x' : u'.';
        return out;
    }

private slots:
    void initTestCase() { m_texts.load(StringTable()); }

    void setUnits_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("checked");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<double>("factor");
        QTest::newRow("0: no data") << 0 << "......." << "......." << false << "" << "" << 1.0;
        QTest::newRow("negative") << -1 << "......." << "......." << false << "" << "" << 1.0;
        QTest::newRow("1 l/s") << 1 << "x......" << "xxx...." << true << "Flow (l/s)" << "l/s"
                               << 1.0;
        QTest::newRow("2 m3/h") << 2 << ".x....." << "xxx...." << true << "Flow (m3/h)"
                                << "m3/h" << 3.6;
        QTest::newRow("3 gals/h") << 3 << "..x...." << "xxx...." << true << "Flow (kgal/h)"
                                  << "kgal/h" << 0.792;
        QTest::newRow("4 bar") << 4 << "...x..." << "...xxxx" << true << "Press (Bar)" << "Bar"
                               << 1.0;
        QTest::newRow("5 PSI") << 5 << "....x.." << "...xxxx" << true << "Press (PSI)" << "PSI"
                               << 14.5;
        QTest::newRow("6 metre head") << 6 << ".....x." << "...xxxx" << true << "Press (m Hd)"
                                      << "m Hd" << 10.2;
        QTest::newRow("7 feet head") << 7 << "......x" << "...xxxx" << true << "Press (ft Hd)"
                                     << "ft Hd" << 33.44;
        // Not produced by the program; the pressure entries open without a unit.
        QTest::newRow("8 beyond the table") << 8 << "......." << "...xxxx" << true << "Press ()"
                                            << "" << 1.0;
    }

    void setUnits()
    {
        QFETCH(int, code);
        QFETCH(QString, checked);
        QFETCH(QString, enabled);
        QFETCH(bool, applied);
        QFETCH(QString, caption);
        QFETCH(QString, unitText);
        QFETCH(double, factor);
        Units units;
        const Units::Change change = units.SetUnits(qint16(code), m_texts);
        QCOMPARE(flags(change, true), checked);
        QCOMPARE(flags(change, false), enabled);
        QCOMPARE(change.applied, applied);
        QCOMPARE(change.lblFlowCaption, caption);
        QCOMPARE(change.unitText, unitText);
        QCOMPARE(units.dblFlowScaleFactor, factor);
    }

    void codeZeroKeepsTheFactorOfTheLastUnit()
    {
        Units units;
        units.SetUnits(5, m_texts);
        const Units::Change change = units.SetUnits(0, m_texts);
        QCOMPARE(units.dblFlowScaleFactor, 14.5);
        QCOMPARE(flags(change, false), QStringLiteral("......."));
    }

    void displayedValues_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<double>("base");
        QTest::addColumn<double>("shown");
        QTest::newRow("2.5 l/s in m3/h") << 2 << 2.5 << 9.0;
        QTest::newRow("2 bar in PSI") << 5 << 2.0 << 29.0;
        QTest::newRow("2 bar in feet head") << 7 << 2.0 << 66.88;
        QTest::newRow("10 l/s in kgal/h") << 3 << 10.0 << 7.92;
    }

    void displayedValues()
    {
        QFETCH(int, code);
        QFETCH(double, base);
        QFETCH(double, shown);
        Units units;
        units.SetUnits(qint16(code), m_texts);
        QCOMPARE(base * units.dblFlowScaleFactor, shown);
    }

    void textsBeforeLoadingAreEmpty()
    {
        MainWindowTexts texts;
        QVERIFY(!texts.isLoaded());
        QCOMPARE(texts.text(40000), QString());
        QCOMPARE(m_texts.text(40000), QStringLiteral("Flow"));
        QCOMPARE(m_texts.text(50030), QStringLiteral("NERU Program: "));
        QCOMPARE(m_texts.text(40200), QString()); // not one of the window's texts
    }
};

QTEST_GUILESS_MAIN(tst_Units)
#include "tst_Units.moc"
