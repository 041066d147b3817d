// Zooming, scrolling, the scroll ranges and the return to the full view.
#include "PlotFixture.h"

#include <QtTest>

class tst_PlotNavigation : public QObject
{
    Q_OBJECT

private slots:
    void resetShowsTheWholeSeriesWithHeadRoom()
    {
        PlotFixture f;
        f.add(PlotFixture::at(2, 0, 0), 20.0);
        f.add(PlotFixture::at(2, 10, 0), 10.0);
        f.graph->setUnit(DisplayUnit::CubicMetresPerHour);
        f.load();
        f.graph->zoomTimeIn();
        f.graph->zoomValueIn();
        f.graph->placeCursor(PlotFixture::at(2, 5, 0));
        f.graph->resetView();
        // From one interval before the first sample to 5 % after the last; from 0 to 5 %
        // above the largest value; the labels carry the unit factor.
        const PlotState &v = f.state();
        const PlotAxisLabels &l = f.graph->axisLabels();
        QCOMPARE((QStringList { l.timeStart, l.timeMiddle, l.timeEnd, l.valueTop, l.valueMiddle,
                                l.valueBottom }),
                 (QStringList { "01/03/2026 23:45:00", "02/03/2026 05:07:30", "02/03/2026 10:30:00",
                                "75.60", "37.80", "0.00" }));
        QCOMPARE(v.cursor, v.fullStart);
    }

    // A zoom halves or doubles the window from its start, stopping at the full range, at one
    // interval or at a span of 0.001; one that changes nothing does not redraw the labels.
    void zoom_data()
    {
        QTest::addColumn<bool>("time"); // else the value window
        QTest::addColumn<bool>("zoomIn");
        QTest::addColumn<double>("start"); // seconds into the time range, or the value
        QTest::addColumn<double>("end");
        QTest::addColumn<double>("endAfter");
        QTest::addColumn<QString>("top"); // the value label afterwards
        // The time range is 8460 s, the interval 900 s; the value range 0 to 21.
        auto row = [](const char *name, bool time, bool in, double start, double end, double after,
                      const char *top = "21.00") {
            QTest::newRow(name) << time << in << start << end << after << QString(top);
        };
        row("time: in from two intervals to one", true, true, 900, 2700, 1800);
        row("time: in stops at one interval", true, true, 900, 1800, 1800);
        row("time: out doubles", true, false, 0, 2115, 4230);
        row("time: out stops at the range's end", true, false, 6000, 7500, 8460);
        row("value: out from 5 doubles", false, false, 0, 5, 10, "10.00");
        row("value: out from 15 stops at the range", false, false, 0, 15, 21);
        row("value: in, a span of 0.001 stays", false, true, 0, 0.001, 0.001);
        row("value: in, a span of 0.0011 halves", false, true, 1, 1.0011, 1.00055, "1.00");
    }
    void zoom()
    {
        QFETCH(bool, time);
        QFETCH(bool, zoomIn);
        QFETCH(double, start);
        QFETCH(double, end);
        QFETCH(double, endAfter);
        QFETCH(QString, top);
        PlotFixture f;
        f.load({ 20, 10, 5, 4, 5, 6, 7, 8, 9 });
        PlotState &v = f.state();
        const auto at = [&v](double s) { return DateTime::addSeconds(v.fullStart, qint64(s)); };
        if (time) {
            v.viewStart = at(start);
            v.viewEnd = at(end);
            zoomIn ? f.graph->zoomTimeIn() : f.graph->zoomTimeOut();
            QCOMPARE(DateTime::secondsBetween(v.fullStart, v.viewEnd), qint64(endAfter));
            QCOMPARE(v.viewStart, at(start));
        } else {
            v.viewMin = start;
            v.viewMax = end;
            zoomIn ? f.graph->zoomValueIn() : f.graph->zoomValueOut();
            QCOMPARE(v.viewMax, endAfter);
            QCOMPARE(v.viewMin, start);
        }
        QCOMPARE(f.graph->axisLabels().valueTop, top);
        QVERIFY(f.prompt.messages.isEmpty());
    }

    // A time zoom deeper than the time bar can show is refused with a message.
    void timeZoomAtTheBarsLimitIsTold()
    {
        PlotFixture f;
        f.load({ 1, 2, 3 });
        f.state().timeScroll.pageStep = 1;
        f.graph->zoomTimeIn();
        QCOMPARE(f.state().viewEnd, f.state().fullEnd);
        QCOMPARE(f.prompt.messages, QStringList { "The magnification limit has been reached" });
        QCOMPARE(f.prompt.titles, QStringList { "Neru" });
    }

    void fitValues_data()
    {
        QTest::addColumn<QList<double>>("values");
        QTest::addColumn<bool>("fit");
        QTest::addColumn<QList<double>>("range"); // min and max
        QTest::newRow("3.3 to 5.1: 0.09 each side")
            << QList<double> { 4, 3.3, 5.1 } << true << QList<double> { 3.21, 5.19 };
        QTest::newRow("flat -2: 0.1")
            << QList<double> { -2, -2 } << true << QList<double> { -2.1, -1.9 };
        QTest::newRow("flat 0: 1") << QList<double> { 0, 0 } << true << QList<double> { -1, 1 };
        QTest::newRow("off: from 0")
            << QList<double> { 4, 3.3, 5.1 } << false << QList<double> { 0, 5.355 };
    }
    // The range worked out again and shown whole, the time window and cursor kept. Two zooms
    // in and one out leave half the range about its middle (fitted) or from its bottom.
    void fitValues()
    {
        QFETCH(QList<double>, values);
        QFETCH(bool, fit);
        QFETCH(QList<double>, range);
        PlotFixture f;
        f.load(values);
        PlotState &v = f.state();
        f.graph->zoomTimeIn();
        f.graph->placeCursor(PlotFixture::at(2, 0, 10));
        const QList<double> time { v.viewStart, v.viewEnd, v.cursor };
        f.graph->setFitValues(fit);
        f.graph->resetValueRange();
        QCOMPARE(f.rounded({ v.fullMin, v.fullMax, v.viewMin, v.viewMax }),
                 f.rounded(range + range));
        QCOMPARE((QList<double> { v.viewStart, v.viewEnd, v.cursor }), time);
        f.graph->zoomValueIn();
        f.graph->zoomValueIn();
        f.graph->zoomValueOut();
        QCOMPARE(
            f.rounded({ v.viewMax - v.viewMin, fit ? (v.viewMin + v.viewMax) / 2 : v.viewMin }),
            f.rounded({ (range[1] - range[0]) / 2, fit ? (range[0] + range[1]) / 2 : range[0] }));
    }

    void gestures_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::addColumn<QList<double>>("at");
        QTest::addColumn<QList<double>>("after"); // start, end and cursor in s, min and max
        // Readings of 20 every 15 min from 2 March 00:00 to 3 March 00:00: the range is 91620 s
        // (23:45 to 01:12) and 0 to 21. Shown: 3600 s to 25200 s, 5 to 10, over 538 x 998/3 px.
        auto row
            = [](const char *name, const char *gesture, QList<double> at, QList<double> after) {
                  QTest::newRow(name) << QString(gesture) << at << after;
              };
        row("pan a tenth right and down", "pan", { 53.8, 998 / 30.0 },
            { 1440, 23040, 0, 5.5, 10.5 });
        row("pan stops at the range", "pan", { 1000, -1000 }, { 0, 21600, 0, 0, 5 });
        row("page down", "page", { 1 }, { 25200, 46800, 0, 5, 10 });
        // The cursor on the reading, the window centred on it, within the range.
        row("End", "end", {}, { 70020, 91620, 87300, 5, 10 });
        row("Home", "home", {}, { 0, 21600, 900, 5, 10 });
        // Two steps in about x = 100 keep the time there, 21600 x 100/538 s into the window.
        row("zoom in about x = 100", "zoom", { 100, 2 },
            { 3600 + 21600 * 75 / 538.0, 3600 + 21600 * 75 / 538.0 + 5400, 0, 5, 10 });
        row("zoom out stops at the range", "zoom", { 100, -3 }, { 0, 91620, 0, 5, 10 });
        row("box: exactly its times and values", "box", { 100, 50, 200, 100 },
            { 3600 + 21600 * 100 / 538.0, 3600 + 21600 * 300 / 538.0, 0, 10 - 5 * 450 / 998.0,
              10 - 5 * 150 / 998.0 });
        // Dragged past the plot's right and bottom edges (538, 336): only the plot's part.
        row("box beyond the plot: its part on it", "box", { 100, 50, 800, 450 },
            { 3600 + 21600 * 100 / 538.0, 25200, 0, 10 - 5 * 1008 / 998.0, 10 - 5 * 150 / 998.0 });
        row("box 3 px high: ignored", "box", { 10, 10, 100, 3 }, { 3600, 25200, 0, 5, 10 });
        // 4 px are 161 s: one interval about the middle, 202 px in.
        row("box 4 x 4 px: one interval", "box", { 200, 100, 4, 4 },
            { 3600 + 21600 * 202 / 538.0 - 450, 3600 + 21600 * 202 / 538.0 + 450, 0,
              10 - 5 * 312 / 998.0, 10 - 5 * 300 / 998.0 });
    }
    void gestures()
    {
        QFETCH(QString, gesture);
        QFETCH(QList<double>, at);
        QFETCH(QList<double>, after);
        PlotFixture f;
        f.load(QList<double>(97, 20.0));
        const PlotState &v = f.state();
        const auto time = [&v](double seconds) { return v.fullStart + seconds / 86400; };
        f.show(time(3600), time(25200), 5, 10);
        if (gesture == "pan")
            f.graph->panBy(at[0], at[1]);
        else if (gesture == "page")
            f.graph->pageTime(int(at[0]));
        else if (gesture == "zoom")
            QVERIFY(f.graph->zoomTimeAbout(f.graph->timeAt(at[0]), int(at[1])));
        else if (gesture == "box")
            f.graph->zoomToBox(QRectF(at[0], at[1], at[2], at[3]));
        else
            gesture == "home" ? f.graph->cursorToFirst() : f.graph->cursorToLast();
        QCOMPARE(f.rounded({ v.viewStart, v.viewEnd, v.cursor, v.viewMin, v.viewMax }),
                 f.rounded({ time(after[0]), time(after[1]), time(after[2]), after[3], after[4] }));
        QCOMPARE(f.graph->statusText().left(19), f.formats.dateAndTime(v.cursor));
    }

    // A step in is refused at the time bar's finest step, at one interval and at a value span
    // of 0.001, without a message.
    void zoomAboutAPointStopsAtTheLimits()
    {
        PlotFixture f;
        f.load(QList<double>(97, 1.0));
        PlotState &v = f.state();
        v.timeScroll.pageStep = 1;
        QVERIFY(!f.graph->zoomTimeAbout(v.cursor, 1));
        f.show(v.fullStart, DateTime::addSeconds(v.fullStart, 900), 0, 0.001);
        QVERIFY(!f.graph->zoomTimeAbout(v.fullStart, 1) && !f.graph->zoomValueAbout(0, 1));
        QVERIFY(f.prompt.messages.isEmpty() && f.graph->zoomValueAbout(0, -1));
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
        PlotFixture f;
        PlotState &v = f.state();
        v.fullStart = 10.0;
        v.fullEnd = 20.0;
        v.fullMax = 40.0;
        v.viewStart = window[0];
        v.viewEnd = window[1];
        v.viewMin = window[2];
        v.viewMax = window[3];
        v.timeScroll = { 10000, 300, 300 }; // so that a maximum of 0 is seen to be set
        v.valueScroll = { 10000, 300, 300 };
        f.graph->updateScrollRanges();
        const ScrollRange &t = v.timeScroll;
        const ScrollRange &value = v.valueScroll;
        QCOMPARE((QList<int> { t.pageStep, t.maximum, t.position }), time);
        QCOMPARE((QList<int> { value.pageStep, value.maximum, value.position }), flow);
    }

    void barClicks_data()
    {
        QTest::addColumn<bool>("time"); // the time bar, else the value bar
        QTest::addColumn<int>("from"); // where the bar is moved first; -1 for nowhere
        QTest::addColumn<int>("to");
        QTest::addColumn<double>("shift"); // seconds on the time bar, base units on the value bar
        // Time: the first half of a range of 36000 s, the bar at 0. Value: 0 to 20 of a range
        // of 0 to 40, the bar at 5000. Both have a page step of 5000.
        QTest::newRow("time: right arrow") << true << -1 << 1 << 900.0;
        QTest::newRow("time: page right") << true << -1 << 5000 << 18000.0;
        QTest::newRow("time: thumb, rounded seconds") << true << -1 << 3 << 11.0;
        QTest::newRow("time: left arrow") << true << 5000 << 4999 << -900.0;
        QTest::newRow("time: page left") << true << 5000 << 0 << -18000.0;
        QTest::newRow("value: up arrow, a tenth") << false << -1 << 4999 << 2.0;
        QTest::newRow("value: page up") << false << -1 << 0 << 20.0;
        QTest::newRow("value: thumb up") << false << -1 << 4000 << 4.0;
        QTest::newRow("value: down arrow") << false << 0 << 1 << -2.0;
        QTest::newRow("value: page down, rounding") << false << 0 << 4999 << -20.0;
    }
    void barClicks()
    {
        QFETCH(bool, time);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(double, shift);
        PlotFixture f;
        QList<double> values(39, 1.0);
        values[5] = 40 / 1.05;
        f.load(values);
        PlotState &v = f.state();
        QCOMPARE(v.fullMax, 40.0);
        v.fullEnd = DateTime::addSeconds(v.fullStart, 36000);
        v.viewEnd = DateTime::addSeconds(v.fullStart, 18000);
        v.viewMax = 20.0;
        f.graph->draw();
        const auto scrollTo
            = [&](int p) { time ? f.graph->scrollTimeTo(p) : f.graph->scrollValueTo(p); };
        if (from >= 0)
            scrollTo(from);
        const PlotState before = v;
        scrollTo(to);
        if (time) {
            QCOMPARE(DateTime::secondsBetween(before.viewStart, v.viewStart), qint64(shift));
            QCOMPARE(DateTime::secondsBetween(before.viewEnd, v.viewEnd), qint64(shift));
        } else {
            QCOMPARE(v.viewMin - before.viewMin, shift);
            QCOMPARE(v.viewMax - before.viewMax, shift);
        }
    }
};

QTEST_GUILESS_MAIN(tst_PlotNavigation)
#include "tst_PlotNavigation.moc"
