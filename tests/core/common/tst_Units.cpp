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
        auto row = [](const char *name, int code, const char *entries, bool applied,
                      const char *caption, const char *unit, double factor) {
            QTest::newRow(name) << code << entries << applied << caption << unit << factor;
        };
        row("0: no data", 0, ".......", false, "", "", 1.0);
        row("3 gals/h", 3, "ooX....", true, "Flow (kgal/h)", "kgal/h", 0.792);
        row("4 bar", 4, "...Xooo", true, "Press (Bar)", "Bar", 1.0);
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
};

QTEST_GUILESS_MAIN(tst_Units)
#include "tst_Units.moc"
