// The curve, the fitting markers, the axis labels and the cursor read-out, and how the
// drawing fails.
#include "GraphFixture.h"

#include <QtTest>

namespace {

struct Segment
{
    double x1, y1, x2, y2;
    quint32 colour;
};

} // namespace

class tst_GraphDrawing : public QObject
{
    Q_OBJECT

private slots:
    void oneSampleDrawsOnlyItsLevel();
    void twoSamplesDrawLevelRiserLevel();
    void gapMarkerIsDrawnInRed();
    void levelsOutsideTheValueWindowUseATolerance_data();
    void levelsOutsideTheValueWindowUseATolerance();
    void levelStraddlingTheWindowStartIsDrawnWhole();
    void elementsFailingATestLaterAreHidden();
    void nothingChangesWithoutSamples();
    void referenceMarkersKeepASpare();
    void axisLabelsCarryTheUnitFactor();
    void cursorReadOut_data();
    void cursorReadOut();
    void cursorLineIsNotSnapped();
    void allZeroSeriesReportsAndGoesOn();
    void fittingOfNoSampleIsReported();
    void newSeriesGrowsButNeverShrinksTheCurve();
};

void tst_GraphDrawing::oneSampleDrawsOnlyItsLevel()
{
    GraphFixture f;
    const double t0 = GraphFixture::at(2, 6, 0);
    f.add(t0, 4.0);
    f.load();
    QCOMPARE(f.state().lngBarCount, 1);
    const PlotLine &level = f.bar(0);
    QVERIFY(level.visible);
    QCOMPARE(level.colour, PlotColour::Blue);
    // The full range is exactly the sample's interval.
    QCOMPARE(level.x1, 0.0);
    QCOMPARE(level.x2, GraphFixture::kWidth);
    QCOMPARE(level.y1, double(f.y(4.0)));
    QCOMPARE(level.y2, level.y1);
    QVERIFY(f.logged().isEmpty());
}

void tst_GraphDrawing::twoSamplesDrawLevelRiserLevel()
{
    GraphFixture f;
    f.settings.lngLoggingInterval = 600;
    const double t0 = GraphFixture::at(2, 6, 0);
    const double t1 = GraphFixture::at(2, 6, 10);
    f.add(t0, 2.0);
    f.add(t1, 5.0);
    f.load();
    QCOMPARE(f.state().lngBarCount, 3);
    const double before = DateTime::addSeconds(t0, -600);
    const QList<Segment> expected = {
        { double(f.x(before)), double(f.y(2)), double(f.x(t0)), double(f.y(2)), PlotColour::Blue },
        { double(f.x(t0)), double(f.y(2)), double(f.x(t0)), double(f.y(5)), PlotColour::Blue },
        { double(f.x(t0)), double(f.y(5)), double(f.x(t1)), double(f.y(5)), PlotColour::Blue },
    };
    for (qint32 i = 0; i < 3; ++i) {
        const PlotLine &line = f.bar(i);
        QVERIFY2(line.visible, qPrintable(QString::number(i)));
        QCOMPARE(line.x1, expected[i].x1);
        QCOMPARE(line.y1, expected[i].y1);
        QCOMPARE(line.x2, expected[i].x2);
        QCOMPARE(line.y2, expected[i].y2);
        QCOMPARE(line.colour, expected[i].colour);
    }
    // The level of 5 is at the top of the value window less the head room.
    QCOMPARE(f.y(5.0), qRound((5040 - 50) * (5.25 - 5.0) / 5.25));
}

void tst_GraphDrawing::gapMarkerIsDrawnInRed()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 3, 4 });
    f.add(GraphFixture::at(2, 0, 30), 0.0, true);
    f.addRun(GraphFixture::at(2, 2, 0), { 5, 6 });
    f.load();
    QCOMPARE(f.state().lngBarCount, 9);
    // Levels 0, 2, 6 and 8 belong to real samples; level 4 is the gap marker's.
    const QList<quint32> colours
        = { PlotColour::Blue, PlotColour::Blue, PlotColour::Blue, PlotColour::Red, PlotColour::Red,
            PlotColour::Red,  PlotColour::Blue, PlotColour::Blue, PlotColour::Blue };
    for (qint32 i = 0; i < 9; ++i) {
        QVERIFY2(f.bar(i).visible, qPrintable(QString::number(i)));
        QCOMPARE(f.bar(i).colour, colours[i]);
    }
    QCOMPARE(f.bar(4).y1, double(f.y(0.0)));
    QCOMPARE(f.bar(4).y1, 5040.0 - 50.0);
}

void tst_GraphDrawing::levelsOutsideTheValueWindowUseATolerance_data()
{
    QTest::addColumn<double>("above");
    QTest::addColumn<bool>("levelShown");
    QTest::addColumn<bool>("firstLevelShown");
    QTest::newRow("on the edge") << 0.0 << true << true;
    QTest::newRow("0.0005 above") << 0.0005 << true << false;
    QTest::newRow("0.002 above") << 0.002 << false << false;
    QTest::newRow("0.0005 below the bottom") << -10.0005 << true << false;
    QTest::newRow("0.002 below the bottom") << -10.002 << false << false;
}

void tst_GraphDrawing::levelsOutsideTheValueWindowUseATolerance()
{
    QFETCH(double, above);
    QFETCH(bool, levelShown);
    QFETCH(bool, firstLevelShown);
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 10.0 + above, 5.0, 10.0 + above, 5.0 });
    f.load();
    GraphViewState &v = f.state();
    v.dblViewMin = 0.0;
    v.dblViewMax = 10.0;
    f.graph->drawGraph();
    // Element 0 has no tolerance; level 4 has.
    QCOMPARE(f.bar(0).visible, firstLevelShown);
    QCOMPARE(f.bar(4).visible, levelShown);
    // Risers are never tested against the value window.
    QVERIFY(f.bar(3).visible);
    QVERIFY(f.bar(5).visible);
    QVERIFY(f.bar(2).visible);
}

void tst_GraphDrawing::levelStraddlingTheWindowStartIsDrawnWhole()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5 });
    f.load();
    // The window starts half-way through sample 2's interval.
    f.state().dteViewStart = GraphFixture::at(2, 0, 22, 30);
    f.graph->drawGraph();
    QVERIFY(!f.bar(0).visible); // t(0) is before the window
    QVERIFY(!f.bar(1).visible); // riser at t(0)
    QVERIFY(!f.bar(2).visible); // level 1 ends at t(1), before the window
    QVERIFY(!f.bar(3).visible); // riser at t(1)
    const PlotLine &straddling = f.bar(4);
    QVERIFY(straddling.visible);
    QCOMPARE(straddling.x1, double(f.x(GraphFixture::at(2, 0, 15))));
    QVERIFY(straddling.x1 < 0);
    QVERIFY(straddling.x2 > 0);
    QVERIFY(f.bar(5).visible);
}

void tst_GraphDrawing::elementsFailingATestLaterAreHidden()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6, 7, 8 });
    f.load();
    for (qint32 i = 0; i < 15; ++i)
        QVERIFY(f.bar(i).visible);
    f.graph->cmdTimeZoomIn_Click();
    f.graph->cmdTimeZoomIn_Click();
    // A quarter of the range is left: the late segments are hidden.
    const double end = f.state().dteViewEnd;
    for (qint32 i = 1; i < 8; ++i) {
        const double before = f.series.dteTime[size_t(i - 1)];
        QCOMPARE(f.bar(2 * i - 1).visible, before <= end);
        QCOMPARE(f.bar(2 * i).visible, before <= end);
    }
    QVERIFY(!f.bar(14).visible);
}

void tst_GraphDrawing::nothingChangesWithoutSamples()
{
    GraphFixture f;
    f.state().dteViewEnd = 3.0;
    f.state().dblViewMax = 3.0;
    f.graph->elements().LinBar.takeChanges();
    f.graph->drawGraph();
    QVERIFY(f.graph->axisLabels().lblFlowMax.isEmpty());
    QVERIFY(f.graph->axisLabels().lblTimeMin.isEmpty());
    QVERIFY(f.graph->statusText().isEmpty());
    QVERIFY(!f.graph->elements().LinBar.hasChanges());
    QCOMPARE(f.hsbTime.largeChange(), 10000);
    QCOMPARE(f.graph->elements().linCursor[0].x1, -100.0);
}

void tst_GraphDrawing::referenceMarkersKeepASpare()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6 });
    f.addFitting(0, QStringLiteral("00123"));
    f.addFitting(2, QStringLiteral("00124"));
    f.addFitting(5, QStringLiteral("00125"));
    f.load();
    const PlotElements &e = f.graph->elements();
    QCOMPARE(f.state().lngRefCount, 4);
    QCOMPARE(e.linRef.count(), 4);
    QCOMPARE(e.lblRef.count(), 4);
    QCOMPARE(e.shpRef.count(), 4);
    const QStringList numbers = { "00123", "00124", "00125" };
    for (qint32 k = 0; k < 3; ++k) {
        const qint32 sample = f.series.lngFittingSample[size_t(k)];
        const double x = f.x(DateTime::addSeconds(f.series.dteTime[size_t(sample)], -900));
        QVERIFY(e.linRef[k].visible);
        QCOMPARE(e.linRef[k].x1, x);
        QCOMPARE(e.linRef[k].x2, x);
        QCOMPARE(e.linRef[k].y1, 5040 * 0.025);
        QCOMPARE(e.linRef[k].y2, 5040.0);
        QCOMPARE(e.linRef[k].colour, PlotColour::Green);
        QVERIFY(e.lblRef[k].visible);
        QCOMPARE(e.lblRef[k].left, x + 100);
        QCOMPARE(e.lblRef[k].top, 0.0);
        QCOMPARE(e.lblRef[k].caption, numbers[k]);
        QCOMPARE(e.lblRef[k].colour, PlotColour::Green);
        QVERIFY(e.shpRef[k].visible);
        QCOMPARE(e.shpRef[k].left, x - 50);
        QCOMPARE(e.shpRef[k].top, 50.0);
    }
    // The first marker stands at the left edge: sample 0's interval starts the range.
    QCOMPARE(e.linRef[0].x1, 0.0);
    QVERIFY(!e.linRef[3].visible);
    QVERIFY(!e.lblRef[3].visible);
    QVERIFY(!e.shpRef[3].visible);

    // A later draw with one fitting hides the others and keeps every element.
    f.series.lngNumFittings = 1;
    f.graph->drawGraph();
    QCOMPARE(f.state().lngRefCount, 4);
    QVERIFY(e.linRef[0].visible);
    for (qint32 k = 1; k < 4; ++k) {
        QVERIFY(!e.linRef[k].visible);
        QVERIFY(!e.lblRef[k].visible);
        QVERIFY(!e.shpRef[k].visible);
    }
    // And a draw with five grows the arrays one element at a time, keeping one spare.
    f.addFitting(1, QStringLiteral("00126"));
    f.addFitting(3, QStringLiteral("00127"));
    f.addFitting(4, QStringLiteral("00128"));
    f.addFitting(5, QStringLiteral("00129"));
    f.series.lngNumFittings = 5;
    f.graph->drawGraph();
    QCOMPARE(f.state().lngRefCount, 6);
    QCOMPARE(e.lblRef[4].caption, QStringLiteral("00127"));
    QVERIFY(!e.linRef[5].visible);
    QVERIFY(f.logged().isEmpty());
}

void tst_GraphDrawing::axisLabelsCarryTheUnitFactor()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 20.0 });
    f.add(GraphFixture::at(2, 10, 0), 10.0);
    f.dblFlowScaleFactor = 3.6;
    f.load();
    const GraphAxisLabels &l = f.graph->axisLabels();
    QCOMPARE(l.lblFlowMax, QStringLiteral("75.60"));
    QCOMPARE(l.lblFlowMid, QStringLiteral("37.80"));
    QCOMPARE(l.lblFlowMin, QStringLiteral("0.00"));
    QCOMPARE(l.lblTimeMin, QStringLiteral("01/03/2026 23:45:00"));
    QCOMPARE(l.lblTimeMid, QStringLiteral("02/03/2026 05:07:30"));
    QCOMPARE(l.lblTimeMax, QStringLiteral("02/03/2026 10:30:00"));
}

void tst_GraphDrawing::cursorReadOut_data()
{
    QTest::addColumn<double>("cursor");
    QTest::addColumn<qint16>("units");
    QTest::addColumn<double>("factor");
    QTest::addColumn<int>("sample");
    QTest::addColumn<QString>("text");
    const double t0 = GraphFixture::at(5, 14, 0);
    const auto at = [t0](int seconds) { return DateTime::addSeconds(t0, seconds); };
    // Samples at 14:00 (12.5, fitting 00123), 14:15 (gap), 14:30 (12.5) and 14:45 (16).
    QTest::newRow("on a sample") << at(1800) << qint16(1) << 1.0 << 2
                                 << "05/03/2026 14:30:00  Fitting: 00123  Flow: 12.50  Step: 2.50";
    QTest::newRow("a second later")
        << at(1801) << qint16(1) << 1.0 << 3
        << "05/03/2026 14:30:01  Fitting: 00124  Flow: 16.00  Step: -1.00";
    QTest::newRow("between samples")
        << at(2000) << qint16(1) << 1.0 << 3
        << "05/03/2026 14:33:20  Fitting: 00124  Flow: 16.00  Step: -1.00";
    QTest::newRow("before the first")
        << at(-300) << qint16(1) << 1.0 << 0
        << "05/03/2026 13:55:00  Fitting: 00123  Flow: 12.50  Step: 2.50";
    QTest::newRow("on the gap marker")
        << at(900) << qint16(1) << 1.0 << 1
        << "05/03/2026 14:15:00  Fitting: 00123  Flow: Not Available";
    QTest::newRow("after the last") << at(2701) << qint16(1) << 1.0 << 4
                                    << "05/03/2026 14:45:01  Fitting:   Flow: Not Available";
    QTest::newRow("pressure, feet head")
        << at(0) << qint16(7) << 33.44 << 0
        << "05/03/2026 14:00:00  Fitting: 00123  Press: 418.00  Step: 83.60";
    QTest::newRow("m3/h") << at(2700) << qint16(2) << 3.6 << 3
                          << "05/03/2026 14:45:00  Fitting: 00124  Flow: 57.60  Step: -3.60";
}

void tst_GraphDrawing::cursorReadOut()
{
    QFETCH(double, cursor);
    QFETCH(qint16, units);
    QFETCH(double, factor);
    QFETCH(int, sample);
    QFETCH(QString, text);
    GraphFixture f;
    const double t0 = GraphFixture::at(5, 14, 0);
    f.settings.dblReference = 15.0;
    f.add(t0, 12.5, false, QStringLiteral("00123"));
    f.add(DateTime::addSeconds(t0, 900), 0.0, true, QStringLiteral("00123"));
    f.add(DateTime::addSeconds(t0, 1800), 12.5, false, QStringLiteral("00123"));
    f.add(DateTime::addSeconds(t0, 2700), 16.0, false, QStringLiteral("00124"));
    f.intUnits = units;
    f.dblFlowScaleFactor = factor;
    f.load();
    f.state().dteCursor = cursor;
    f.graph->drawCursor();
    QCOMPARE(f.state().lngCursorSample, sample);
    QCOMPARE(f.graph->statusText(), text);
}

void tst_GraphDrawing::cursorLineIsNotSnapped()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3 });
    f.load();
    GraphViewState &v = f.state();
    // A third of the way: 2690 twips exactly; a seventh: 1152.857...
    v.dteCursor = v.dteViewStart + (v.dteViewEnd - v.dteViewStart) / 7.0;
    f.graph->drawCursor();
    const PlotLine &cursor = f.graph->elements().linCursor[0];
    QVERIFY(qAbs(cursor.x1 - 8070.0 / 7.0) < 1e-6);
    QCOMPARE(cursor.x2, cursor.x1);
    QCOMPARE(cursor.y1, 0.0);
    QCOMPARE(cursor.y2, 5040.0);
    QCOMPARE(cursor.colour, PlotColour::Black);
}

void tst_GraphDrawing::allZeroSeriesReportsAndGoesOn()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 0, 0, 0, 0 });
    f.addFitting(1, QStringLiteral("00001"));
    f.load();
    // The value window is empty: the curve and the value bar fail, the rest is drawn.
    QCOMPARE(f.logged(),
             (QStringList { "Overflow in drawGraphLines(frmNeru)",
                            "Overflow in setScrollBars(frmNeru)" }));
    QVERIFY(f.graph->elements().linRef[0].visible);
    QCOMPARE(f.graph->axisLabels().lblFlowMax, QStringLiteral("0.00"));
    QCOMPARE(f.graph->axisLabels().lblTimeMin, QStringLiteral("01/03/2026 23:45:00"));
    QCOMPARE(f.hsbTime.largeChange(), 10000);
    QVERIFY(f.graph->statusText().contains(QStringLiteral("Flow: 0.00")));
}

void tst_GraphDrawing::fittingOfNoSampleIsReported()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3 });
    // A fitting record whose sample could not be decoded points before the first.
    f.addFitting(-1, QStringLiteral("00001"));
    f.load();
    QCOMPARE(f.logged(), QStringList { "Subscript out of range in drawRefMarkers(frmNeru)" });
    QVERIFY(!f.graph->elements().linRef[0].visible);
    QVERIFY(f.bar(4).visible);
    QVERIFY(!f.graph->statusText().isEmpty());
}

void tst_GraphDrawing::newSeriesGrowsButNeverShrinksTheCurve()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6 });
    f.load();
    QCOMPARE(f.state().lngBarCount, 11);
    // A shorter series keeps every element; those beyond it stay hidden.
    f.series = SampleSeries();
    f.addRun(GraphFixture::at(9, 0, 0), { 7, 8 });
    f.load();
    QCOMPARE(f.state().lngBarCount, 11);
    QCOMPARE(f.graph->elements().LinBar.count(), 11);
    for (qint32 i = 0; i < 3; ++i)
        QVERIFY(f.bar(i).visible);
    for (qint32 i = 3; i < 11; ++i)
        QVERIFY(!f.bar(i).visible);
    // The largest series there can be needs 6801 elements.
    f.series = SampleSeries();
    QList<double> values;
    for (int i = 0; i < SampleSeries::kCapacity; ++i)
        values.append(i % 17);
    f.addRun(GraphFixture::at(1, 0, 0), values);
    f.load();
    QCOMPARE(f.state().lngBarCount, 6801);
    QVERIFY(f.bar(6800).visible);
    QVERIFY(f.logged().isEmpty());
}

QTEST_GUILESS_MAIN(tst_GraphDrawing)
#include "tst_GraphDrawing.moc"
