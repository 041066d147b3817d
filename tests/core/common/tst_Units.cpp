#include "MainWindowTexts.h"
#include "StringTable.h"
#include "Units.h"

#include <QtTest>

// The rules of the Units menu: which entries are checked and enabled, the captions and
// the factor for each unit code.
class tst_Units : public QObject
{
    Q_OBJECT

    MainWindowTexts m_texts;

    // One letter an entry: X checked, o enabled only, . neither (x checked but disabled).
    static QString entries(const Units::Change &change)
    {
        QString out;
        for (const Units::Entry &e : change.entries)
            out += e.checked ? (e.enabled ? u'X' : u'x') : (e.enabled ? u'o' : u'.');
        return out;
    }

private slots:
    void initTestCase() { m_texts.load(StringTable()); }

    void setUnits_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("unitText");
        QTest::addColumn<double>("factor");
        QTest::newRow("0: no data") << 0 << "......." << false << ""
                                    << "" << 1.0;
        QTest::newRow("negative") << -1 << "......." << false << ""
                                  << "" << 1.0;
        QTest::newRow("1 l/s") << 1 << "Xoo...." << true << "Flow (l/s)"
                               << "l/s" << 1.0;
        QTest::newRow("2 m3/h") << 2 << "oXo...." << true << "Flow (m3/h)"
                                << "m3/h" << 3.6;
        QTest::newRow("3 gals/h") << 3 << "ooX...." << true << "Flow (kgal/h)"
                                  << "kgal/h" << 0.792;
        QTest::newRow("4 bar") << 4 << "...Xooo" << true << "Press (Bar)"
                               << "Bar" << 1.0;
        QTest::newRow("5 PSI") << 5 << "...oXoo" << true << "Press (PSI)"
                               << "PSI" << 14.5;
        QTest::newRow("6 metre head") << 6 << "...ooXo" << true << "Press (m Hd)"
                                      << "m Hd" << 10.2;
        QTest::newRow("7 feet head") << 7 << "...oooX" << true << "Press (ft Hd)"
                                     << "ft Hd" << 33.44;
        // Not produced by the program; the pressure entries open without a unit.
        QTest::newRow("8 beyond the table") << 8 << "...oooo" << true << "Press ()"
                                            << "" << 1.0;
    }

    void setUnits()
    {
        QFETCH(int, code);
        QFETCH(QString, entries);
        QFETCH(bool, applied);
        QFETCH(QString, caption);
        QFETCH(QString, unitText);
        QFETCH(double, factor);
        Units units;
        const Units::Change change = units.SetUnits(qint16(code), m_texts);
        QCOMPARE(tst_Units::entries(change), entries);
        QCOMPARE(change.applied, applied);
        QCOMPARE(change.lblFlowCaption, caption);
        QCOMPARE(change.unitText, unitText);
        QCOMPARE(units.dblFlowScaleFactor, factor);
    }

    void windowKeepsOnlyItsOwnTexts()
    {
        QVERIFY(!MainWindowTexts().isLoaded());
        QCOMPARE(MainWindowTexts().text(40000), QString());
        QCOMPARE(m_texts.text(40000), QStringLiteral("Flow"));
        QCOMPARE(m_texts.text(40200), QString()); // a message, not one of the window's texts
    }
};

QTEST_GUILESS_MAIN(tst_Units)
#include "tst_Units.moc"
