// The view's mapping of time and value to the plot, the scroll bar settings and the
// blank plot of a new window.
#include "GraphFixture.h"

#include <QtTest>

class tst_GraphMapping : public QObject
{
    Q_OBJECT

private slots:
    // Element 0 of each array is parked visible but wholly left of the plot; grid lines
    // 1 to 10 are created hidden.
    void newWindowStartsBlank()
    {
        GraphFixture f;
        const PlotElements &e = f.elements();
        for (const PlotLine *line :
             { &e.LinBar[0], &e.linRef[0], &e.linCursor[0], &e.linXGrid[0], &e.LinYGrid[0] })
            QVERIFY(line->x1 == -100.0 && line->x2 == -100.0 && line->visible);
        QVERIFY(e.lblRef[0].width > 0);
        QCOMPARE(e.lblRef[0].left, -e.lblRef[0].width);
        QCOMPARE(e.shpRef[0].left, -100.0);
        QCOMPARE(e.linXGrid.count(), 11);
        QCOMPARE(e.LinYGrid.count(), 11);
        for (qint32 i = 1; i < 11; ++i)
            QVERIFY(!e.linXGrid[i].visible && !e.LinYGrid[i].visible);
    }

    void mapsToThePlot_data()
    {
        QTest::addColumn<double>("time");
        QTest::addColumn<int>("x");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("y");
        // Width 5 over days 0 to 2; height 55 (5 above the bottom margin) over values 0 to 2.
        QTest::newRow("window end, bottom less the margin") << 2.0 << 5 << 0.0 << 5;
        QTest::newRow("outside, not clipped") << 4.0 << 10 << -2.0 << 10;
        QTest::newRow("2.5 gives 2") << 1.0 << 2 << 1.0 << 2;
        QTest::newRow("3.5 gives 4") << 1.4 << 4 << 0.6 << 4;
    }
    void mapsToThePlot()
    {
        QFETCH(double, time);
        QFETCH(int, x);
        QFETCH(double, value);
        QFETCH(int, y);
        GraphFixture f;
        f.picture.resize(5.0, 55.0);
        f.state().dteViewEnd = 2.0;
        f.state().dblViewMax = 2.0;
        QCOMPARE(f.x(time), x);
        QCOMPARE(f.y(value), y);
    }

    void emptyWindowRaisesInsteadOfInfinity_data()
    {
        QTest::addColumn<double>("viewEnd"); // the window starts at 5
        QTest::addColumn<double>("time");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty window, time elsewhere") << 5.0 << 6.0 << "Division by zero";
        QTest::newRow("empty window, time on it") << 5.0 << 5.0 << "Overflow";
        QTest::newRow("beyond 32 bits") << 5.000001 << 6.0 << "Overflow";
    }
    void emptyWindowRaisesInsteadOfInfinity()
    {
        QFETCH(double, viewEnd);
        QFETCH(double, time);
        QFETCH(QString, error);
        GraphFixture f;
        f.state().dteViewStart = 5.0;
        f.state().dteViewEnd = viewEnd;
        try {
            f.x(time);
            QFAIL("no error raised");
        } catch (const RuntimeError &e) {
            QCOMPARE(e.description(), error);
        }
        // The value window is empty as well.
        QVERIFY_THROWS_EXCEPTION(RuntimeError, f.y(1.0));
    }

    void scrollBarsFollowTheWindow_data()
    {
        QTest::addColumn<QList<double>>("window"); // start, end, min, max
        QTest::addColumn<QList<int>>("time"); // large step, maximum, value
        QTest::addColumn<QList<int>>("flow");
        // The full range: days 10 to 20, values 0 to 40.
        auto row = [](const char *name, QList<double> window, QList<int> time, QList<int> flow) {
            QTest::newRow(name) << window << time << flow;
        };
        row("whole range", { 10, 20, 0, 40 }, { 10000, 0, 0 }, { 10000, 0, 0 });
        // 2.5 and 9997.5 on the scale: both to the even neighbour.
        row("rounding ties to even", { 10, 20, 0, 0.01 }, { 10000, 0, 0 }, { 2, 9998, 9998 });
        row("overhanging the end is clamped", { 17.5, 22.5, -2, 18 }, { 5000, 5000, 5000 },
            { 5000, 5000, 5000 });
        row("overhanging the start is clamped", { 9, 11, 22, 42 }, { 2000, 8000, 0 },
            { 5000, 5000, 0 });
        // The large step is left as it was.
        row("longer than the range: maximum 0", { 15, 26, -1, 40 }, { 10000, 0, 0 },
            { 10000, 0, 0 });
    }
    void scrollBarsFollowTheWindow()
    {
        QFETCH(QList<double>, window);
        QFETCH(QList<int>, time);
        QFETCH(QList<int>, flow);
        GraphFixture f;
        GraphViewState &v = f.state();
        v.dteFullStart = 10.0;
        v.dteFullEnd = 20.0;
        v.dblFullMax = 40.0;
        v.dteViewStart = window[0];
        v.dteViewEnd = window[1];
        v.dblViewMin = window[2];
        v.dblViewMax = window[3];
        f.hsbTime.setMaximum(300); // so that a maximum of 0 is seen to be set
        f.vsbFlow.setMaximum(300);
        f.graph->setScrollBars();
        QCOMPARE((QList<int> { f.hsbTime.largeChange(), f.hsbTime.maximum(), f.hsbTime.value() }),
                 time);
        QCOMPARE((QList<int> { f.vsbFlow.largeChange(), f.vsbFlow.maximum(), f.vsbFlow.value() }),
                 flow);
        QVERIFY(f.logged().isEmpty());
        QVERIFY(!v.blnSettingScrollBars);
        // The change events that setting a bar raises (a clamped one too) move nothing.
        QCOMPARE(v.dteViewStart, window[0]);
        QCOMPARE(v.dblViewMax, window[3]);
    }
};

QTEST_GUILESS_MAIN(tst_GraphMapping)
#include "tst_GraphMapping.moc"
