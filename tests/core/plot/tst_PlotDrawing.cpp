// The plot's mapping, the curve and what the window hides of it, markers and read-out.
#include "CurvePath.h"
#include "GridSteps.h"
#include "PlotFixture.h"

#include <QtTest>

namespace {

// "1" for each shown curve element, "0" for each hidden one.
QString shownBars(const PlotFixture &f, qint32 count)
{
    QString out;
    for (qint32 i = 0; i < count; ++i)
        out += f.bar(i).visible ? u'1' : u'0';
    return out;
}

} // namespace

class tst_PlotDrawing : public QObject
{
    Q_OBJECT

private slots:
    void mapsToThePlot_data()
    {
        QTest::addColumn<double>("time");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("y");
        // 2 x 6 pixels: days 0 to 15 over 30 grid steps, values 5 to 0 over 90 - 50 steps.
        // Places are whole steps, a tie going to the even one.
        QTest::newRow("outside, not clipped") << 30.0 << 4.0 << -2.0 << 56 / 15.0;
        QTest::newRow("2.5 steps give 2") << 1.25 << 2 / 15.0 << 4.6875 << 2 / 15.0;
        QTest::newRow("3.5 steps give 4") << 1.75 << 4 / 15.0 << 4.5625 << 4 / 15.0;
    }
    void mapsToThePlot()
    {
        QFETCH(double, time);
        QFETCH(double, x);
        QFETCH(double, value);
        QFETCH(double, y);
        PlotFixture f;
        f.graph->resize(QSizeF(2, 6));
        f.state().viewEnd = 15.0;
        f.state().viewMax = 5.0;
        QCOMPARE(f.x(time), x);
        QCOMPARE(f.y(value), y);
    }

    // Element 0 is the first sample's level over its interval, then each sample adds a
    // riser and its level. The gap marker's level (at 0) and both its risers are red.
    void curveIsAStepLine()
    {
        PlotFixture f;
        f.settings.loggingInterval = 600;
        const auto time = [](double minute) {
            return DateTime::addSeconds(PlotFixture::at(2, 6, 0), qint64(minute * 60));
        };
        const QList<double> minutes = { 0, 10, 20, 80, 90 };
        const QList<double> values = { 3, 4, 0, 5, 6 };
        for (int i = 0; i < minutes.size(); ++i)
            f.add(time(minutes[i]), values[i], i == 2);
        f.load();
        // Per element: start minute, start value, end minute, end value, 1 if red.
        const QList<QList<double>> lines
            = { { -10, 3, 0, 3, 0 }, { 0, 3, 0, 4, 0 },   { 0, 4, 10, 4, 0 },
                { 10, 4, 10, 0, 1 }, { 10, 0, 20, 0, 1 }, { 20, 0, 20, 5, 1 },
                { 20, 5, 80, 5, 0 }, { 80, 5, 80, 6, 0 }, { 80, 6, 90, 6, 0 } };
        QCOMPARE(f.state().curveCount, qint32(lines.size()));
        for (qint32 i = 0; i < lines.size(); ++i) {
            const PlotLine &line = f.bar(i);
            const QList<double> &want = lines[i];
            QVERIFY2(line.visible, qPrintable(QString::number(i)));
            QCOMPARE((QList<double> { line.x1, line.y1, line.x2, line.y2 }),
                     (QList<double> { f.x(time(want[0])), f.y(want[1]), f.x(time(want[2])),
                                      f.y(want[3]) }));
            QCOMPARE(line.colour, want[4] ? PlotColour::Red : PlotColour::Blue);
        }
    }

    void windowHidesWhatLiesOutsideIt_data()
    {
        QTest::addColumn<QList<double>>("window"); // start and end minute of 2 March, min, max
        QTest::addColumn<QString>("shown");
        // Values 10, 5, 10, 5, 1, 2, 3, 4 every 15 minutes, the full range -15 to 110.25
        // minutes; levels but the first may lie 0.001 outside the value window, risers anywhere.
        QTest::newRow("0.0005 above the top")
            << QList<double> { -15, 110.25, 0, 9.9995 } << "011111111111111";
        QTest::newRow("0.002 above the top")
            << QList<double> { -15, 110.25, 0, 9.998 } << "011101111111111";
        QTest::newRow("0.002 below the bottom")
            << QList<double> { -15, 110.25, 1.002, 10.5 } << "111111110111111";
        // Level 4 (00:15 to 00:30) straddles the start and is drawn whole.
        QTest::newRow("start half-way through sample 2")
            << QList<double> { 22.5, 110.25, 0, 10.5 } << "000011111111111";
        QTest::newRow("end before sample 4's time stamp")
            << QList<double> { -15, 50, 0, 10.5 } << "111111111000000";
    }
    void windowHidesWhatLiesOutsideIt()
    {
        QFETCH(QList<double>, window);
        QFETCH(QString, shown);
        PlotFixture f;
        f.load({ 10, 5, 10, 5, 1, 2, 3, 4 });
        QCOMPARE(shownBars(f, 15), QString(15, u'1'));
        PlotState &v = f.state();
        v.viewStart = DateTime::addSeconds(PlotFixture::at(2, 0, 0), qint64(window[0] * 60));
        v.viewEnd = DateTime::addSeconds(PlotFixture::at(2, 0, 0), qint64(window[1] * 60));
        v.viewMin = window[2];
        v.viewMax = window[3];
        f.graph->draw();
        QCOMPARE(shownBars(f, 15), shown);
        if (window[0] > 15) {
            QCOMPARE(f.bar(4).x1, f.x(PlotFixture::at(2, 0, 15)));
            QVERIFY(f.bar(4).x1 < 0 && f.bar(4).x2 > 0);
        }
    }

    // Each fitting's green marker stands at the start of its sample's interval with its
    // number; more fittings add markers, fewer hide the others.
    void fittingMarkers()
    {
        PlotFixture f;
        const QStringList numbers = { "00123", "00124", "00125", "00126", "00127" };
        for (qint32 sample : { 0, 2, 5 })
            f.addFitting(sample, numbers[f.series.fittingCount]);
        f.load({ 1, 2, 3, 4, 5, 6 });
        const PlotElements &e = f.elements();
        for (qint32 k = 0; k < 3; ++k) {
            const qint32 sample = f.series.fittingSamples[size_t(k)];
            const double x = f.x(DateTime::addSeconds(f.series.times[size_t(sample)], -900));
            QVERIFY(e.markerLines[k].visible && e.markerCaptions[k].visible
                    && e.markerDots[k].visible);
            QCOMPARE((QList<double> { e.markerLines[k].x1, e.markerLines[k].x2, e.markerLines[k].y1,
                                      e.markerLines[k].y2, e.markerCaptions[k].left,
                                      e.markerCaptions[k].top, e.markerDots[k].left,
                                      e.markerDots[k].top }),
                     (QList<double> { x, x, 336 * 0.025, 336, x + 20 / 3.0, 0, x - 10 / 3.0,
                                      10 / 3.0 }));
            QCOMPARE(e.markerLines[k].colour, PlotColour::Green);
            QCOMPARE(e.markerCaptions[k].caption, numbers[k]);
        }
        for (qint32 sample : { 1, 3 })
            f.addFitting(sample, numbers[f.series.fittingCount]);
        f.graph->draw();
        QVERIFY(e.markerCaptions[4].visible);
        QCOMPARE(e.markerCaptions[4].caption, QStringLiteral("00127"));
        f.series.fittingCount = 1;
        f.graph->draw();
        QVERIFY(e.markerLines[0].visible);
        for (qint32 k = 1; k < 5; ++k)
            QVERIFY(!e.markerLines[k].visible && !e.markerCaptions[k].visible
                    && !e.markerDots[k].visible);
    }

    void nightShades_data()
    {
        QTest::addColumn<QList<int>>("window"); // start and end minute; none for shading off
        QTest::addColumn<QList<double>>("bands"); // left, width, top and height of each
        // 440 x 100 pixels over 44 hours: 10 to the hour. 2 March's night is cut at the view's
        // start, 3 March's lies whole 23 to 25 hours in.
        QTest::newRow("02:00-04:00")
            << QList<int> { 120, 240 } << QList<double> { 0, 10, 0, 100, 230, 20, 0, 100 };
        QTest::newRow("03:30-05:00")
            << QList<int> { 210, 300 } << QList<double> { 5, 15, 0, 100, 245, 15, 0, 100 };
        QTest::newRow("off hides them") << QList<int> {} << QList<double> {};
    }
    void nightShades()
    {
        QFETCH(QList<int>, window);
        QFETCH(QList<double>, bands);
        PlotFixture f;
        f.load(QList<double>(192, 1.0)); // two days from 2 March 00:00
        f.graph->resize(QSizeF(440, 100));
        f.state().viewStart = PlotFixture::at(2, 3, 0);
        f.state().viewEnd = PlotFixture::at(3, 23, 0);
        f.graph->setNightShading(true);
        f.graph->draw();
        f.graph->setNightShading(!window.isEmpty());
        f.graph->setNightWindow(NightWindow { window.value(0), window.value(1) });
        f.graph->draw();
        QList<double> shown;
        const ElementArray<PlotBand> &shades = f.elements().nightShades;
        for (qint32 i = 0; i < shades.count(); ++i)
            if (shades[i].visible)
                shown << shades[i].left << shades[i].width << shades[i].top << shades[i].height;
        QCOMPARE(shown, bands);
        // With more dates in view than pixels across, none.
        f.state().viewEnd = f.state().viewStart + 441;
        f.graph->draw();
        QVERIFY(!shades[0].visible);
    }

    void cursorReadOut_data()
    {
        QTest::addColumn<int>("seconds"); // after the first sample
        QTest::addColumn<DisplayUnit>("unit");
        QTest::addColumn<QString>("text");
        // Samples at 14:00 (12.5, fitting 00123), 14:15 (gap), 14:30 (12.5) and 14:45
        // (16, fitting 00124); the reference is 15.
        QTest::newRow("on a sample")
            << 1800 << DisplayUnit::LitresPerSecond
            << "05/03/2026 14:30:00  Fitting: 00123  Flow: 12.50  Step: 2.50";
        QTest::newRow("a second later")
            << 1801 << DisplayUnit::LitresPerSecond
            << "05/03/2026 14:30:01  Fitting: 00124  Flow: 16.00  Step: -1.00";
        QTest::newRow("on the gap marker")
            << 900 << DisplayUnit::LitresPerSecond
            << "05/03/2026 14:15:00  Fitting: 00123  Flow: Not Available";
        QTest::newRow("after the last") << 2701 << DisplayUnit::LitresPerSecond
                                        << "05/03/2026 14:45:01  Fitting:   Flow: Not Available";
        QTest::newRow("pressure, feet head")
            << 0 << DisplayUnit::FeetHead
            << "05/03/2026 14:00:00  Fitting: 00123  Press: 418.00  Step: 83.60";
    }
    void cursorReadOut()
    {
        QFETCH(int, seconds);
        QFETCH(DisplayUnit, unit);
        QFETCH(QString, text);
        PlotFixture f;
        const double t0 = PlotFixture::at(5, 14, 0);
        f.settings.reference = 15.0;
        f.add(t0, 12.5, false, QStringLiteral("00123"));
        f.add(DateTime::addSeconds(t0, 900), 0.0, true, QStringLiteral("00123"));
        f.add(DateTime::addSeconds(t0, 1800), 12.5, false, QStringLiteral("00123"));
        f.add(DateTime::addSeconds(t0, 2700), 16.0, false, QStringLiteral("00124"));
        f.graph->setUnit(unit);
        f.load();
        f.graph->placeCursor(DateTime::addSeconds(t0, seconds));
        QCOMPARE(f.graph->statusText(), text);
    }

    void gridSteps_data()
    {
        QTest::addColumn<double>("span"); // seconds, or a value span
        QTest::addColumn<double>("pixels");
        QTest::addColumn<double>("step"); // a value step when negative
        // A step needs span / step < 10 lines and pixels * step / span >= the label. Time
        // labels of 68 px over 600 px: step >= 0.1133 span, the labels decide.
        QTest::newRow("1 min: 6.8 s -> 10 s") << 60.0 << 600.0 << 10.0;
        QTest::newRow("60 days: 6.8 d -> 7 d") << 5184000.0 << 600.0 << 604800.0;
        QTest::newRow("200 days: 22.7 d -> 28 d") << 17280000.0 << 600.0 << 2419200.0;
        QTest::newRow("no room: the span") << 60.0 << 0.0 << 60.0;
        // Value labels of 24 px over 332 px: step >= 0.0723 span; over a tenth decides.
        QTest::newRow("0.01 -> 0.002 (0.001 gives ten)") << 0.01 << 332.0 << -0.002;
        QTest::newRow("10000 -> 2000") << 10000.0 << 332.0 << -2000.0;
        QTest::newRow("100 on 100 px: labels, 24 -> 50") << 100.0 << 100.0 << -50.0;
    }
    void gridSteps()
    {
        QFETCH(double, span);
        QFETCH(double, pixels);
        QFETCH(double, step);
        QCOMPARE(step > 0 ? double(GridSteps::timeStep(span, pixels, 68))
                          : -GridSteps::valueStep(span, pixels, 24),
                 step);
    }

    // 480 x 336 px, 22:00 to 02:00: labels of 60 + 8 px ask 2040 s, so hourly lines 120 px
    // apart, dated at the first and at midnight. 0 to 10 m3/h over 4990 grid steps: over 1 per
    // line, so 2, every 998 steps. Four weeks: lines on the Mondays. Off: the six labels.
    void gridTicks()
    {
        PlotFixture f;
        f.graph->setUnit(DisplayUnit::CubicMetresPerHour);
        f.load({ 1, 2 });
        f.graph->resize(QSizeF(480, 336));
        f.graph->setGrid(true);
        f.show(PlotFixture::at(2, 22, 0), PlotFixture::at(3, 2, 0), 0, 10 / 3.6);
        const auto ticks = [&f](bool time, double scale) {
            QStringList out;
            for (const PlotTick &t : time ? f.graph->timeTicks() : f.graph->valueTicks())
                out << QStringLiteral("%1 %2%3").arg(t.position * scale).arg(t.text, t.dateText);
            return out.join(u',');
        };
        QCOMPARE(ticks(true, 1),
                 "0 22:0002/03/2026,120 23:00,240 00:0003/03/2026,360 01:00,480 02:00");
        QCOMPARE(ticks(false, 15), "4990 0,3992 2,2994 4,1996 6,998 8,0 10");
        const PlotElements &e = f.elements();
        QVERIFY(e.timeGrid[4].visible && !e.timeGrid[5].visible && !e.valueGrid[6].visible);
        QCOMPARE((QList<double> { e.timeGrid[1].x2, e.timeGrid[1].y2, e.valueGrid[1].x2 }),
                 (QList<double> { 120, 336, 480 }));
        QCOMPARE(f.graph->axisLabels().timeStart, QString());
        f.show(PlotFixture::at(28, 0, 0) - 28, PlotFixture::at(28, 0, 0), 0, 1);
        QCOMPARE(ticks(true, 0), "0 02/03/2026,0 09/03/2026,0 16/03/2026,0 23/03/2026");
        f.graph->setGrid(false);
        f.graph->draw();
        QVERIFY(ticks(true, 0).isEmpty() && ticks(false, 0).isEmpty() && !e.timeGrid[0].visible);
        QCOMPARE(f.graph->axisLabels().valueTop, QStringLiteral("3.60"));
    }

    // A pixel column of more than two points keeps its first, lowest, highest and last, each
    // once, in their order.
    void curvePathReduced()
    {
        QCOMPARE(CurvePath::reduced({ { 0.2, 5 },
                                      { 0.5, 9 },
                                      { 0.6, 1 },
                                      { 0.7, 4 },
                                      { 0.9, 6 },
                                      { 1, 2 },
                                      { 1.5, 3 },
                                      { 1.9, 4 } }),
                 (std::vector<QPointF> {
                     { 0.2, 5 }, { 0.5, 9 }, { 0.6, 1 }, { 0.9, 6 }, { 1, 2 }, { 1.9, 4 } }));
    }

    void secondCursorReadOut_data()
    {
        QTest::addColumn<QList<int>>("minutes"); // A and B after 2 March 00:00
        QTest::addColumn<DisplayUnit>("unit");
        QTest::addColumn<QString>("text");
        // 10 l/s over 00:00-01:00, 20 l/s over 01:00-02:00: 36000 + 72000 l = 108 m3 over
        // 7200 s, a mean of 15 l/s.
        QTest::newRow("two hours") << QList<int> { 0, 120 } << DisplayUnit::LitresPerSecond
                                   << "A 02/03/2026 00:00:00 10.00  B 02/03/2026 02:00:00 20.00  "
                                      "\u0394t 2:00:00  \u0394 10.00 l/s  Mean 15.00 l/s  Volume "
                                      "108.00 m\u00B3";
        // B before A, a day on after the last reading; pressure has no volume. 00:45-02:00 is
        // 15 min of 10 and 60 min of 20: a mean of 18 x 14.5 psi.
        QTest::newRow("psi, a day")
            << QList<int> { 1560, 45 } << DisplayUnit::Psi
            << "A 03/03/2026 02:00:00 Not Available  B 02/03/2026 00:45:00 145.00  \u0394t -1 d "
               "01:15:00  \u0394 Not Available  Mean 261.00 PSI";
    }
    // B's line is dashed at its time (the full range runs 00:00 to 02:05:15); removed, the
    // read-out is the single cursor's again.
    void secondCursorReadOut()
    {
        QFETCH(QList<int>, minutes);
        QFETCH(DisplayUnit, unit);
        QFETCH(QString, text);
        PlotFixture f;
        f.graph->setUnit(unit);
        f.addRun(PlotFixture::at(2, 0, 15), { 10, 10, 10, 10, 20, 20, 20, 20 });
        f.load();
        const QString single = f.graph->statusText();
        f.graph->placeCursor(PlotFixture::at(2, 0, minutes[0]));
        f.graph->placeSecondCursor(PlotFixture::at(2, 0, minutes[1]));
        QCOMPARE(f.graph->statusText(), text);
        const PlotLine &b = f.elements().secondCursorLine[0];
        QVERIFY(b.visible && b.dashed);
        QCOMPARE(f.rounded({ b.x1 }), f.rounded({ 538 * minutes[1] / 125.25 }));
        f.graph->placeCursor(f.state().fullStart);
        f.graph->removeSecondCursor();
        QCOMPARE(f.graph->statusText(), single);
    }

    // The largest series is drawn whole without a logged failure; a district without
    // samples then hides the curve and the markers.
    void largestSeriesThenNone()
    {
        PlotFixture f;
        QList<double> values;
        for (int i = 0; i < SampleSeries::kCapacity; ++i)
            values.append(i % 17);
        f.load(values);
        QVERIFY(f.bar(6800).visible);
        QVERIFY(f.logged().isEmpty());
        f.addFitting(3, QStringLiteral("00001"));
        f.graph->draw();
        f.series.sampleCount = 0;
        f.load();
        QCOMPARE(shownBars(f, 6801), QString(6801, u'0'));
        QVERIFY(!f.elements().markerLines[0].visible);
    }
};

QTEST_GUILESS_MAIN(tst_PlotDrawing)
#include "tst_PlotDrawing.moc"
