// The view's mapping of time and value to the plot, the scroll bar settings and the
// blank plot of a new window.
#include "GraphFixture.h"

#include <QtTest>

class tst_GraphMapping : public QObject
{
    Q_OBJECT

private slots:
    void newWindowStartsBlank();
    void windowEdgesMapToPlotEdges();
    void tiesRoundToEven_data();
    void tiesRoundToEven();
    void emptyWindowRaisesInsteadOfInfinity_data();
    void emptyWindowRaisesInsteadOfInfinity();
    void mappingIsReadWithTheCurrentSize();
    void scrollBarsFollowTheWindow_data();
    void scrollBarsFollowTheWindow();
    void windowLongerThanFullRangeZeroesTheMaximum();
    void largeStepOfZeroIsReportedAndBarsStayLive_data();
    void largeStepOfZeroIsReportedAndBarsStayLive();
    void settingTheBarsDoesNotMoveTheWindow();
};

void tst_GraphMapping::newWindowStartsBlank()
{
    GraphFixture f;
    const PlotElements &e = f.graph->elements();
    QCOMPARE(f.state().lngBarCount, 1);
    QCOMPARE(f.state().lngRefCount, 1);
    QCOMPARE(e.LinBar.count(), 1);
    QCOMPARE(e.linXGrid.count(), 11);
    QCOMPARE(e.LinYGrid.count(), 11);
    // Parked elements stay visible but lie wholly left of the plot.
    for (const PlotLine *line :
         { &e.LinBar[0], &e.linRef[0], &e.linCursor[0], &e.linXGrid[0], &e.LinYGrid[0] }) {
        QCOMPARE(line->x1, -100.0);
        QCOMPARE(line->x2, -100.0);
        QVERIFY(line->visible);
    }
    QCOMPARE(e.lblRef[0].left, -e.lblRef[0].width);
    QVERIFY(e.lblRef[0].width > 0);
    QCOMPARE(e.shpRef[0].left, -100.0);
    QCOMPARE(e.shpRef[0].top, 50.0);
    QCOMPARE(e.shpRef[0].width, 100.0);
    QCOMPARE(e.shpRef[0].colour, PlotColour::Green);
    for (qint32 i = 1; i < 11; ++i) {
        QVERIFY(!e.linXGrid[i].visible);
        QVERIFY(!e.LinYGrid[i].visible);
    }
    QVERIFY(f.graph->axisLabels().lblFlowMax.isEmpty());
    QVERIFY(f.graph->axisLabels().lblTimeMid.isEmpty());
}

void tst_GraphMapping::windowEdgesMapToPlotEdges()
{
    GraphFixture f;
    GraphViewState &v = f.state();
    v.dteViewStart = GraphFixture::at(1, 0, 0);
    v.dteViewEnd = GraphFixture::at(2, 0, 0);
    v.dblViewMin = 3.0;
    v.dblViewMax = 21.0;
    QCOMPARE(f.x(v.dteViewStart), 0);
    QCOMPARE(f.x(v.dteViewEnd), 8070);
    QCOMPARE(f.x(GraphFixture::at(1, 12, 0)), 4035);
    QCOMPARE(f.y(21.0), 0);
    QCOMPARE(f.y(3.0), 5040 - 50);
    // Nothing is clipped.
    QCOMPARE(f.x(GraphFixture::at(3, 0, 0)), 2 * 8070);
    QCOMPARE(f.y(-6.0), (5040 - 50) * 27 / 18);
}

void tst_GraphMapping::tiesRoundToEven_data()
{
    QTest::addColumn<double>("time");
    QTest::addColumn<int>("x");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("y");
    // Width 5 over a span of 2 days, height 55 (5 above the bottom margin) over 0 to 2.
    QTest::newRow("2.5 gives 2") << 1.0 << 2 << 1.0 << 2;
    QTest::newRow("3.5 gives 4") << 1.4 << 4 << 0.6 << 4;
    QTest::newRow("0.5 gives 0") << 0.2 << 0 << 1.8 << 0;
    QTest::newRow("1.5 gives 2") << 0.6 << 2 << 1.4 << 2;
    QTest::newRow("-2.5 gives -2") << -1.0 << -2 << 3.0 << -2;
}

void tst_GraphMapping::tiesRoundToEven()
{
    QFETCH(double, time);
    QFETCH(int, x);
    QFETCH(double, value);
    QFETCH(int, y);
    GraphFixture f;
    f.picture.resize(5.0, 55.0);
    f.state().dteViewStart = 0.0;
    f.state().dteViewEnd = 2.0;
    f.state().dblViewMin = 0.0;
    f.state().dblViewMax = 2.0;
    QCOMPARE(f.x(time), x);
    QCOMPARE(f.y(value), y);
}

void tst_GraphMapping::emptyWindowRaisesInsteadOfInfinity_data()
{
    QTest::addColumn<double>("viewStart");
    QTest::addColumn<double>("viewEnd");
    QTest::addColumn<double>("time");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty window, time elsewhere") << 5.0 << 5.0 << 6.0 << "Division by zero";
    QTest::newRow("empty window, time on it") << 5.0 << 5.0 << 5.0 << "Overflow";
    QTest::newRow("beyond 32 bits") << 0.0 << 1e-6 << 1.0 << "Overflow";
}

void tst_GraphMapping::emptyWindowRaisesInsteadOfInfinity()
{
    QFETCH(double, viewStart);
    QFETCH(double, viewEnd);
    QFETCH(double, time);
    QFETCH(QString, error);
    GraphFixture f;
    f.state().dteViewStart = viewStart;
    f.state().dteViewEnd = viewEnd;
    try {
        f.x(time);
        QFAIL("no error raised");
    } catch (const RuntimeError &e) {
        QCOMPARE(e.description(), error);
    }
    // The value mapping fails the same way for an empty value window.
    f.state().dblViewMin = 0.0;
    f.state().dblViewMax = 0.0;
    QVERIFY_THROWS_EXCEPTION(RuntimeError, f.y(1.0));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, f.y(0.0));
}

void tst_GraphMapping::mappingIsReadWithTheCurrentSize()
{
    GraphFixture f;
    f.state().dteViewStart = 0.0;
    f.state().dteViewEnd = 1.0;
    QCOMPARE(f.x(0.5), 4035);
    f.picture.resize(3000.0, 1000.0);
    QCOMPARE(f.x(0.5), 1500);
}

void tst_GraphMapping::scrollBarsFollowTheWindow_data()
{
    QTest::addColumn<double>("viewStart");
    QTest::addColumn<double>("viewEnd");
    QTest::addColumn<double>("viewMin");
    QTest::addColumn<double>("viewMax");
    QTest::addColumn<int>("timeLarge");
    QTest::addColumn<int>("timeMaximum");
    QTest::addColumn<int>("timeValue");
    QTest::addColumn<int>("flowLarge");
    QTest::addColumn<int>("flowMaximum");
    QTest::addColumn<int>("flowValue");
    // Full range: days 10 to 20, values 0 to 40.
    QTest::newRow("whole range") << 10.0 << 20.0 << 0.0 << 40.0 << 10000 << 0 << 0 << 10000 << 0
                                 << 0;
    QTest::newRow("second half, bottom half")
        << 15.0 << 20.0 << 0.0 << 20.0 << 5000 << 5000 << 5000 << 5000 << 5000 << 5000;
    QTest::newRow("first quarter, top quarter")
        << 10.0 << 12.5 << 30.0 << 40.0 << 2500 << 7500 << 0 << 2500 << 7500 << 0;
    // 2.5 and 9997.5 on the scale: both to the even neighbour.
    QTest::newRow("rounding ties to even")
        << 10.0 << 20.0 << 0.0 << 0.01 << 10000 << 0 << 0 << 2 << 9998 << 9998;
    QTest::newRow("overhanging the end is clamped")
        << 17.5 << 22.5 << -2.0 << 18.0 << 5000 << 5000 << 5000 << 5000 << 5000 << 5000;
    QTest::newRow("overhanging the start is clamped")
        << 9.0 << 11.0 << 22.0 << 42.0 << 2000 << 8000 << 0 << 5000 << 5000 << 0;
}

void tst_GraphMapping::scrollBarsFollowTheWindow()
{
    QFETCH(double, viewStart);
    QFETCH(double, viewEnd);
    QFETCH(double, viewMin);
    QFETCH(double, viewMax);
    QFETCH(int, timeLarge);
    QFETCH(int, timeMaximum);
    QFETCH(int, timeValue);
    QFETCH(int, flowLarge);
    QFETCH(int, flowMaximum);
    QFETCH(int, flowValue);
    GraphFixture f;
    GraphViewState &v = f.state();
    v.dteFullStart = 10.0;
    v.dteFullEnd = 20.0;
    v.dblFullMin = 0.0;
    v.dblFullMax = 40.0;
    v.dteViewStart = viewStart;
    v.dteViewEnd = viewEnd;
    v.dblViewMin = viewMin;
    v.dblViewMax = viewMax;
    f.graph->setScrollBars();
    QCOMPARE(f.hsbTime.largeChange(), timeLarge);
    QCOMPARE(f.hsbTime.maximum(), timeMaximum);
    QCOMPARE(f.hsbTime.value(), timeValue);
    QCOMPARE(f.vsbFlow.largeChange(), flowLarge);
    QCOMPARE(f.vsbFlow.maximum(), flowMaximum);
    QCOMPARE(f.vsbFlow.value(), flowValue);
    QVERIFY(f.logged().isEmpty());
    QVERIFY(!v.blnSettingScrollBars);
}

void tst_GraphMapping::windowLongerThanFullRangeZeroesTheMaximum()
{
    GraphFixture f;
    GraphViewState &v = f.state();
    v.dteFullStart = 10.0;
    v.dteFullEnd = 20.0;
    v.dblFullMax = 40.0;
    v.dteViewStart = 15.0;
    v.dteViewEnd = 20.0;
    v.dblViewMax = 20.0;
    f.graph->setScrollBars();
    QCOMPARE(f.hsbTime.value(), 5000);
    v.dteViewEnd = 26.0;
    v.dblViewMin = -1.0;
    v.dblViewMax = 40.0;
    f.graph->setScrollBars();
    QCOMPARE(f.hsbTime.maximum(), 0);
    QCOMPARE(f.hsbTime.value(), 0);
    QCOMPARE(f.hsbTime.largeChange(), 5000); // left as it was
    QCOMPARE(f.vsbFlow.maximum(), 0);
    QVERIFY(f.logged().isEmpty());
}

void tst_GraphMapping::largeStepOfZeroIsReportedAndBarsStayLive_data()
{
    QTest::addColumn<double>("fullMax");
    QTest::addColumn<double>("viewMax");
    QTest::addColumn<QString>("logged");
    // 0.5 on the scale rounds to 0, which a bar refuses.
    QTest::newRow("window below 1/20000 of the range")
        << 40.0 << 0.002 << "Invalid property value in setScrollBars(frmNeru)";
    QTest::newRow("empty value range") << 0.0 << 0.0 << "Overflow in setScrollBars(frmNeru)";
}

void tst_GraphMapping::largeStepOfZeroIsReportedAndBarsStayLive()
{
    QFETCH(double, fullMax);
    QFETCH(double, viewMax);
    QFETCH(QString, logged);
    GraphFixture f;
    GraphViewState &v = f.state();
    v.dteFullStart = 10.0;
    v.dteFullEnd = 20.0;
    v.dteViewStart = 15.0;
    v.dteViewEnd = 20.0;
    v.dblFullMax = fullMax;
    v.dblViewMax = viewMax;
    v.blnSettingScrollBars = true; // arranging the bar is not a user's click
    f.vsbFlow.setMaximum(300);
    f.vsbFlow.setValue(200);
    v.blnSettingScrollBars = false;
    // The time bar is set, then the value bar fails and keeps its settings.
    f.graph->setScrollBars();
    QCOMPARE(f.logged(), QStringList { logged });
    QCOMPARE(f.hsbTime.largeChange(), 5000);
    QCOMPARE(f.hsbTime.value(), 5000);
    QCOMPARE(f.vsbFlow.maximum(), 300);
    QCOMPARE(f.vsbFlow.value(), 200);
    QVERIFY(!v.blnSettingScrollBars);
    // The bars go on responding: a click moves the window.
    f.hsbTime.setValue(4999);
    QVERIFY(f.state().dteViewStart < 15.0);
}

void tst_GraphMapping::settingTheBarsDoesNotMoveTheWindow()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(1, 0, 0), { 1, 2, 3, 4, 5, 6, 7, 8 });
    f.load();
    f.graph->cmdTimeZoomIn_Click();
    f.graph->cmdFlowZoomIn_Click();
    const GraphViewState before = f.state();
    // Each redraw sets the bars' values, which raises their change events.
    f.graph->drawGraph();
    f.graph->setScrollBars();
    QCOMPARE(f.state().dteViewStart, before.dteViewStart);
    QCOMPARE(f.state().dteViewEnd, before.dteViewEnd);
    QCOMPARE(f.state().dblViewMax, before.dblViewMax);
    QCOMPARE(f.state().dblViewMin, before.dblViewMin);
    QCOMPARE(f.hsbTime.value(), 0);
    QCOMPARE(f.vsbFlow.value(), 5000);
}

QTEST_GUILESS_MAIN(tst_GraphMapping)
#include "tst_GraphMapping.moc"
