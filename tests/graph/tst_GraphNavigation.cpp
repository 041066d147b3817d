// The cursor, the zoom buttons, the scroll bars and View > Reset.
#include "GraphFixture.h"

#include <QtTest>

class tst_GraphNavigation : public QObject
{
    Q_OBJECT

private slots:
    void resetShowsTheWholeSeriesWithHeadRoom();
    void mouseUpPlacesTheCursor_data();
    void mouseUpPlacesTheCursor();
    void arrowKeysStepOneIntervalWithinTheWindow();
    void valueZoom_data();
    void valueZoom();
    void valueZoomStopsAtAThousandth_data();
    void valueZoomStopsAtAThousandth();
    void timeZoomStopsAtOneInterval();
    void timeZoomOutStopsAtTheEndOfTheRange();
    void timeZoomInAtTheBarsLimitShowsTheMessage();
    void deepValueZoomReportsTheScrollBarButStillDraws();
    void timeBarClicks_data();
    void timeBarClicks();
    void valueBarClicks_data();
    void valueBarClicks();
    void unchangedPositionRedrawsWithoutMoving();
    void barHandlersDoNothingWhileTheBarsAreSet();
    void degenerateSeriesNeitherCrashNorHang_data();
    void degenerateSeriesNeitherCrashNorHang();
};

void tst_GraphNavigation::resetShowsTheWholeSeriesWithHeadRoom()
{
    GraphFixture f;
    QList<double> values;
    for (int i = 0; i <= 40; ++i)
        values.append(i == 17 ? 20.0 : 3.0 + i % 5);
    f.addRun(GraphFixture::at(2, 0, 0), values); // 00:00 to 10:00 every 15 minutes
    f.load();
    f.graph->cmdTimeZoomIn_Click();
    f.graph->cmdFlowZoomIn_Click();
    f.state().dteCursor = GraphFixture::at(2, 5, 0);
    f.graph->mnuViewReset_Click();
    const GraphViewState &v = f.state();
    QCOMPARE(DateTime::toParts(v.dteFullStart).day, 1);
    QCOMPARE(DateTime::toQTime(v.dteFullStart), QTime(23, 45));
    QCOMPARE(DateTime::toQDate(v.dteFullEnd), QDate(2026, 3, 2));
    QCOMPARE(DateTime::toQTime(v.dteFullEnd), QTime(10, 30));
    QCOMPARE(v.dteViewStart, v.dteFullStart);
    QCOMPARE(v.dteViewEnd, v.dteFullEnd);
    QCOMPARE(v.dblFullMin, 0.0);
    QCOMPARE(v.dblFullMax, 21.0);
    QCOMPARE(v.dblViewMin, 0.0);
    QCOMPARE(v.dblViewMax, 21.0);
    QCOMPARE(v.dteCursor, v.dteFullStart);
    QCOMPARE(f.hsbTime.largeChange(), 10000);
    QCOMPARE(f.vsbFlow.largeChange(), 10000);
    QCOMPARE(f.graph->axisLabels().lblFlowMax, QStringLiteral("21.00"));
}

void tst_GraphNavigation::mouseUpPlacesTheCursor_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("fraction");
    QTest::newRow("left edge") << 0.0 << 0.0;
    QTest::newRow("right edge") << GraphFixture::kWidth << 1.0;
    QTest::newRow("a quarter") << GraphFixture::kWidth / 4 << 0.25;
}

void tst_GraphNavigation::mouseUpPlacesTheCursor()
{
    QFETCH(double, x);
    QFETCH(double, fraction);
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5 });
    f.load();
    const GraphViewState &v = f.state();
    f.graph->Picture1_MouseUp(2, 0, x, 100.0);
    QCOMPARE(v.dteCursor, v.dteViewStart + (v.dteViewEnd - v.dteViewStart) * fraction);
    QVERIFY(qAbs(f.graph->elements().linCursor[0].x1 - x) < 1e-3);
    QVERIFY(f.graph->statusText().startsWith(f.formats.dateAndTime(v.dteCursor)));
}

void tst_GraphNavigation::arrowKeysStepOneIntervalWithinTheWindow()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5 });
    f.load();
    GraphViewState &v = f.state();
    QCOMPARE(v.dteCursor, v.dteViewStart);
    f.graph->Picture1_KeyUp(GraphView::kKeyLeft, 0);
    QCOMPARE(v.dteCursor, v.dteViewStart);
    f.graph->Picture1_KeyUp(GraphView::kKeyRight, 0);
    f.graph->Picture1_KeyUp(GraphView::kKeyRight, 0);
    QCOMPARE(DateTime::toQTime(v.dteCursor), QTime(0, 15));
    QCOMPARE(v.lngCursorSample, 1);
    // Any other key (up arrow) only redraws the cursor and the read-out.
    f.graph->elements().linCursor.set(0, &PlotLine::x1, -5.0);
    f.graph->Picture1_KeyUp(38, 0);
    QCOMPARE(DateTime::toQTime(v.dteCursor), QTime(0, 15));
    QVERIFY(qAbs(f.graph->elements().linCursor[0].x1 - 2.0 * 8070 / (4 * 1.05 + 1)) < 1e-3);
    // The cursor stops at the window's end.
    for (int i = 0; i < 10; ++i)
        f.graph->Picture1_KeyUp(GraphView::kKeyRight, 0);
    QCOMPARE(v.dteCursor, v.dteViewEnd);
    QCOMPARE(v.lngCursorSample, 5);
    QVERIFY(f.graph->statusText().endsWith(QStringLiteral("Not Available")));
    // A cursor left outside the window by a zoom is brought back by the next key.
    f.graph->cmdTimeZoomIn_Click();
    QVERIFY(v.dteCursor > v.dteViewEnd);
    f.graph->Picture1_KeyUp(GraphView::kKeyLeft, 0);
    QCOMPARE(v.dteCursor, v.dteViewEnd);
}

void tst_GraphNavigation::valueZoom_data()
{
    QTest::addColumn<double>("viewMax");
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<double>("result");
    QTest::newRow("in from 21") << 21.0 << true << 10.5;
    QTest::newRow("in from 10.5") << 10.5 << true << 5.25;
    QTest::newRow("out from 10.5") << 10.5 << false << 21.0;
    QTest::newRow("out from 15 stops at the range") << 15.0 << false << 21.0;
    QTest::newRow("out from 21 stays") << 21.0 << false << 21.0;
}

void tst_GraphNavigation::valueZoom()
{
    QFETCH(double, viewMax);
    QFETCH(bool, zoomIn);
    QFETCH(double, result);
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 20, 10, 5 });
    f.load();
    f.state().dblViewMax = viewMax;
    if (zoomIn)
        f.graph->cmdFlowZoomIn_Click();
    else
        f.graph->cmdFlowZoomOut_Click();
    QCOMPARE(f.state().dblViewMax, result);
    QCOMPARE(f.state().dblViewMin, 0.0);
    QCOMPARE(f.graph->axisLabels().lblFlowMax, f.formats.fixed(result));
}

void tst_GraphNavigation::valueZoomStopsAtAThousandth_data()
{
    QTest::addColumn<double>("span");
    QTest::addColumn<double>("result");
    QTest::newRow("0.001 stays") << 0.001 << 1.001;
    QTest::newRow("0.0011 halves") << 0.0011 << 1.00055;
}

void tst_GraphNavigation::valueZoomStopsAtAThousandth()
{
    QFETCH(double, span);
    QFETCH(double, result);
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 0.5, 1.0005 });
    f.load();
    f.state().dblViewMin = 1.0;
    f.state().dblViewMax = 1.0 + span;
    f.graph->cmdFlowZoomIn_Click();
    QCOMPARE(f.state().dblViewMax, result);
    QVERIFY(f.prompt.messages.isEmpty());
}

void tst_GraphNavigation::timeZoomStopsAtOneInterval()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5 });
    f.load();
    GraphViewState &v = f.state();
    v.dteViewStart = GraphFixture::at(2, 0, 15);
    v.dteViewEnd = GraphFixture::at(2, 0, 45);
    f.graph->cmdTimeZoomIn_Click();
    QCOMPARE(DateTime::secondsBetween(v.dteViewStart, v.dteViewEnd), 900);
    f.graph->cmdTimeZoomIn_Click();
    QCOMPARE(DateTime::secondsBetween(v.dteViewStart, v.dteViewEnd), 900);
    QCOMPARE(DateTime::toQTime(v.dteViewStart), QTime(0, 15));
    QVERIFY(f.prompt.messages.isEmpty());
}

void tst_GraphNavigation::timeZoomOutStopsAtTheEndOfTheRange()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6, 7, 8, 9 });
    f.load();
    GraphViewState &v = f.state();
    const double fullEnd = v.dteFullEnd;
    f.graph->cmdTimeZoomIn_Click();
    f.graph->cmdTimeZoomIn_Click();
    const double quarter = v.dteViewEnd - v.dteViewStart;
    f.graph->cmdTimeZoomOut_Click();
    QVERIFY(qAbs((v.dteViewEnd - v.dteViewStart) - 2 * quarter) < 1e-9);
    // Scrolled to the end, a zoom-out stops at the range's end without moving the start.
    v.dteViewStart = fullEnd - quarter;
    v.dteViewEnd = fullEnd;
    const double start = v.dteViewStart;
    f.graph->cmdTimeZoomOut_Click();
    QCOMPARE(v.dteViewEnd, fullEnd);
    QCOMPARE(v.dteViewStart, start);
}

void tst_GraphNavigation::timeZoomInAtTheBarsLimitShowsTheMessage()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3 });
    f.load();
    GraphViewState &v = f.state();
    v.blnSettingScrollBars = true;
    f.hsbTime.setLargeChange(1);
    v.blnSettingScrollBars = false;
    const double end = v.dteViewEnd;
    f.graph->cmdTimeZoomIn_Click();
    QCOMPARE(f.prompt.messages, QStringList { "The magnification limit has been reached" });
    QCOMPARE(f.prompt.titles, QStringList { "Neru" });
    QCOMPARE(v.dteViewEnd, end);
}

void tst_GraphNavigation::deepValueZoomReportsTheScrollBarButStillDraws()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 100, 50, 20 });
    f.load();
    for (int i = 0; i < 14; ++i)
        f.graph->cmdFlowZoomIn_Click();
    QVERIFY(f.logged().isEmpty());
    f.graph->cmdFlowZoomIn_Click(); // the fifteenth: 10000 / 2^15 rounds to 0
    QCOMPARE(f.logged(), QStringList { "Invalid property value in setScrollBars(frmNeru)" });
    QCOMPARE(f.state().dblViewMax, 105.0 / 32768);
    QCOMPARE(f.graph->axisLabels().lblFlowMax, QStringLiteral("0.00"));
    QVERIFY(!f.state().blnSettingScrollBars);
}

void tst_GraphNavigation::timeBarClicks_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<qint64>("shift");
    // Window: the first half of a range of 40 intervals of 900 s (36000 s), bar at 0.
    QTest::newRow("right arrow") << 1 << qint64(900);
    QTest::newRow("page right") << 5000 << qint64(18000);
    QTest::newRow("page right, rounding") << 4999 << qint64(18000);
    QTest::newRow("thumb") << 2500 << qint64(9000);
    QTest::newRow("thumb, rounded seconds") << 3 << qint64(11);
}

void tst_GraphNavigation::timeBarClicks()
{
    QFETCH(int, value);
    QFETCH(qint64, shift);
    GraphFixture f;
    QList<double> values;
    for (int i = 0; i < 39; ++i)
        values.append(1 + i % 3);
    f.addRun(GraphFixture::at(2, 0, 0), values); // full range 23:45 to 09:45 + 5 %
    f.load();
    GraphViewState &v = f.state();
    // Make the full range exactly 36000 seconds.
    v.dteFullEnd = DateTime::addSeconds(v.dteFullStart, 36000);
    v.dteViewEnd = DateTime::addSeconds(v.dteFullStart, 18000);
    f.graph->drawGraph();
    QCOMPARE(f.hsbTime.largeChange(), 5000);
    QCOMPARE(f.hsbTime.value(), 0);
    const double start = v.dteViewStart;
    const double end = v.dteViewEnd;
    f.hsbTime.setValue(value);
    QCOMPARE(DateTime::secondsBetween(start, v.dteViewStart), shift);
    QCOMPARE(DateTime::secondsBetween(end, v.dteViewEnd), shift);
    // And back: the same click to the left undoes an arrow or a page step.
    if (value == 1 || value == 5000) {
        f.hsbTime.setValue(f.hsbTime.value() - value);
        QCOMPARE(v.dteViewStart, start);
    }
}

void tst_GraphNavigation::valueBarClicks_data()
{
    QTest::addColumn<bool>("fromTop");
    QTest::addColumn<int>("value");
    QTest::addColumn<double>("viewMin");
    // Range 0 to 40, window 0 to 20: the bar stands at 5000 with a large step of 5000.
    // From the top the window is 20 to 40 and the bar stands at 0.
    QTest::newRow("up arrow") << false << 4999 << 2.0;
    QTest::newRow("page up") << false << 0 << 20.0;
    QTest::newRow("page up, rounding") << false << 1 << 20.0;
    QTest::newRow("thumb up") << false << 4000 << 4.0;
    QTest::newRow("down arrow") << true << 1 << 18.0;
    QTest::newRow("page down") << true << 5000 << 0.0;
    QTest::newRow("thumb down") << true << 2500 << 10.0;
}

void tst_GraphNavigation::valueBarClicks()
{
    QFETCH(bool, fromTop);
    QFETCH(int, value);
    QFETCH(double, viewMin);
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 10, 20, 40 / 1.05 });
    f.load();
    f.graph->cmdFlowZoomIn_Click();
    GraphViewState &v = f.state();
    QCOMPARE(v.dblFullMax, 40.0);
    QCOMPARE(f.vsbFlow.largeChange(), 5000);
    QCOMPARE(f.vsbFlow.value(), 5000);
    if (fromTop) {
        f.vsbFlow.setValue(0);
        QCOMPARE(v.dblViewMin, 20.0);
        QCOMPARE(f.vsbFlow.value(), 0);
    }
    f.vsbFlow.setValue(value);
    QCOMPARE(v.dblViewMin, viewMin);
    QCOMPARE(v.dblViewMax, viewMin + 20.0);
}

void tst_GraphNavigation::unchangedPositionRedrawsWithoutMoving()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3 });
    f.load();
    const GraphViewState before = f.state();
    f.graph->elements().LinBar.set(2, &PlotLine::visible, false);
    f.graph->hsbTime_Change();
    QCOMPARE(f.state().dteViewStart, before.dteViewStart);
    QCOMPARE(f.state().dteViewEnd, before.dteViewEnd);
    QVERIFY(f.bar(2).visible);
}

void tst_GraphNavigation::barHandlersDoNothingWhileTheBarsAreSet()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3 });
    f.load();
    f.graph->cmdTimeZoomIn_Click();
    GraphViewState &v = f.state();
    const double start = v.dteViewStart;
    v.blnSettingScrollBars = true;
    f.hsbTime.setValue(3000);
    f.graph->vsbFlow_Change();
    v.blnSettingScrollBars = false;
    QCOMPARE(v.dteViewStart, start);
}

void tst_GraphNavigation::degenerateSeriesNeitherCrashNorHang_data()
{
    QTest::addColumn<QList<double>>("minutes");
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<QStringList>("logged");
    const QStringList zeroValues
        = { "Overflow in drawGraphLines(frmNeru)", "Overflow in setScrollBars(frmNeru)" };
    QTest::newRow("one sample") << QList<double> { 0 } << QList<double> { 4 } << QStringList();
    QTest::newRow("all zero") << QList<double> { 0, 15, 30 } << QList<double> { 0, 0, 0 }
                              << zeroValues;
    QTest::newRow("one time stamp repeated")
        << QList<double> { 60, 60, 60, 60 } << QList<double> { 1, 5, 2, 3 } << QStringList();
    QTest::newRow("out of order") << QList<double> { 60, 15, 90, 0, 30 }
                                  << QList<double> { 1, 5, 2, 3, 4 } << QStringList();
}

void tst_GraphNavigation::degenerateSeriesNeitherCrashNorHang()
{
    QFETCH(QList<double>, minutes);
    QFETCH(QList<double>, values);
    QFETCH(QStringList, logged);
    GraphFixture f;
    for (qsizetype i = 0; i < minutes.size(); ++i)
        f.add(DateTime::addSeconds(GraphFixture::at(2, 0, 0), qint64(minutes[i] * 60)), values[i]);
    f.load();
    QCOMPARE(f.logged(), logged);
    // Every command still ends; failures outside the drawing reach the caller as
    // run-time errors, never as a crash inside.
    const QList<void (GraphView::*)()> commands
        = { &GraphView::cmdFlowZoomIn_Click, &GraphView::cmdFlowZoomOut_Click,
            &GraphView::cmdTimeZoomIn_Click, &GraphView::cmdTimeZoomOut_Click,
            &GraphView::hsbTime_Change,      &GraphView::vsbFlow_Change,
            &GraphView::mnuViewReset_Click };
    for (auto command : commands) {
        try {
            (f.graph.get()->*command)();
        } catch (const RuntimeError &) { }
    }
    for (int key : { GraphView::kKeyLeft, GraphView::kKeyRight, 40 })
        f.graph->Picture1_KeyUp(key, 0);
    f.graph->Picture1_MouseUp(1, 0, GraphFixture::kWidth / 2, 10.0);
    QVERIFY(f.state().lngCursorSample >= 0);
    QVERIFY(f.state().lngCursorSample <= f.series.lngNumSamples);
    QVERIFY(!f.graph->statusText().isEmpty());
}

QTEST_GUILESS_MAIN(tst_GraphNavigation)
#include "tst_GraphNavigation.moc"
