#pragma once

#include "DisplayUnit.h"
#include "NightWindow.h"
#include "PlotAxisLabels.h"
#include "PlotElements.h"
#include "PlotState.h"
#include "PlotTick.h"
#include "RuntimeError.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class ErrorReport;
class StepFunction;
class NamedFormats;
class StringTable;
class UserPrompts;
struct DistrictSettings;
struct SampleSeries;

// The graph of the main window: the view state, the mapping of time and value to pixels
// of the plot, the drawing of the step curve, the fitting markers, the night shades, the
// axis labels, the scroll ranges and the cursor read-out into the plot's retained
// elements, and the requests that move the cursor and the view: place or step the cursor,
// zoom time or value in or out, scroll to a position, return to the full view, resize. It
// draws into PlotElements; the plot widget shows those elements and the texts, and turns
// the user's clicks and keys into the requests.
class PlotModel
{
public:
    // Everything the graph reads or drives that belongs to someone else.
    struct Links
    {
        const SampleSeries &series;
        const DistrictSettings &settings;
        const NamedFormats &formats;
        const StringTable &strings;
        ErrorReport &errorReport;
        UserPrompts &prompts; // the magnification limit message
    };

    // Lines stand on a grid of this many steps to the pixel: where a line falls between
    // two pixels decides which of them it lights, so the grid is part of the look of the
    // curve. A place that needs more than 32 bits of steps is an overflow.
    static constexpr double kGridStepsPerPixel = 15.0;

    // Blanks the plot and creates the hidden grid lines 1 to 10. `size` is
    // the plot's size in pixels.
    PlotModel(const Links &links, const QSizeF &size);

    PlotState &state() { return m_state; }
    const PlotState &state() const { return m_state; }
    PlotElements &elements() { return m_elements; }
    const PlotElements &elements() const { return m_elements; }
    const PlotAxisLabels &axisLabels() const { return m_labels; }
    // The cursor read-out for the status bar.
    const QString &statusText() const { return m_statusText; }

    // The unit the labels and the read-out show values in, from the next drawing on.
    void setUnit(DisplayUnit unit) { m_unit = unit; }
    DisplayUnit unit() const { return m_unit; }
    // Whether the night window of every date in view is shaded, and which hours it covers,
    // from the next drawing on.
    void setNightShading(bool on) { m_nightShading = on; }
    void setNightWindow(const NightWindow &window) { m_nightWindow = window; }
    bool nightShading() const { return m_nightShading; }
    // Gridlines at round steps on both axes, each labelled at its axis (timeTicks and
    // valueTicks) in place of the three labels of each axis, from the next drawing on.
    void setGrid(bool on) { m_grid = on; }
    bool grid() const { return m_grid; }
    // The room one tick label takes in pixels: the widest time label and a line's height.
    // The grid keeps its lines at least this far apart.
    void setTickLabelSize(const QSizeF &size) { m_tickLabelSize = size; }
    const std::vector<PlotTick> &timeTicks() const { return m_timeTicks; }
    const std::vector<PlotTick> &valueTicks() const { return m_valueTicks; }
    // Fit Values: the full value range runs from the lowest to the highest reading with 5 %
    // of their difference on each side (not from 0), and the value zoom keeps the middle of
    // the window (not its bottom). Takes effect at the next resetView or resetValueRange.
    void setFitValues(bool on) { m_fitValues = on; }
    bool fitValues() const { return m_fitValues; }

    // --- Mapping --------------------------------------------------------------------
    // Pixels from the plot's left and top edges to a time and a value, on the grid.
    double xOf(double time) const;
    double yOf(double value) const;
    // The time at `x` pixels from the left edge, and the value at `y` from the top.
    double timeAt(double x) const;
    double valueAt(double y) const;
    const QSizeF &size() const { return m_size; }
    // Sets the two scroll ranges to the window's place in the full range.
    void updateScrollRanges();
    void clear();

    // --- Drawing --------------------------------------------------------------------
    void draw();
    void drawCurve();
    // A band over the night window of each date in view, clipped to the view and the
    // plot's full height; none while shading is off.
    void drawNightShades();
    void drawFittingMarkers();
    void drawCursor();
    // The gridlines and their ticks while the grid is on; none, and no ticks, while off.
    void drawGrid();

    // --- Requests: cursor, zoom, scrolling, the full view and the size ----------------
    // Puts the cursor at `time`, wherever that is, and reads out the sample under it.
    void placeCursor(double time);
    // Moves the cursor by whole logging intervals (none for 0), then keeps it inside the
    // window: the window does not follow it.
    void stepCursor(int intervals);
    // Halve the window (in: down to a value span of 0.001 or a time span of one logging
    // interval; at the time bar's finest step the magnification limit is told instead) or
    // double it (out: up to the end of the full range). The window's start (time) or
    // bottom (value) stays.
    void zoomValueIn();
    void zoomValueOut();
    void zoomTimeIn();
    void zoomTimeOut();
    // The bar was moved to `position` of its range. How far it moved from the window's
    // place tells a step (one unit: a logging interval, or a tenth of the value window),
    // a page (about the page step: the window's length) and a drag apart.
    void scrollTimeTo(qint32 position);
    void scrollValueTo(qint32 position); // towards smaller values as the position grows
    // The whole series with head room, the cursor at the start (View > Reset).
    void resetView();
    // The plot's new size in pixels; the graph is drawn again to fill it.
    void resize(const QSizeF &size);
    // The full value range worked out again (Fit Values changed) and all of it shown; the
    // time window and the cursor stay.
    void resetValueRange();

    // --- Requests of the mouse and the keys --------------------------------------------
    // `steps` zoom steps of the buttons (positive: in, halving the window each; negative:
    // out, doubling it up to the full range) about `time` or `value`, which keeps its pixel.
    // False when a step in was refused at a limit of the buttons (one logging interval, the
    // time bar's finest step, a value span of 0.001): the caller tells the user, no message
    // is shown here.
    bool zoomTimeAbout(double time, int steps);
    bool zoomValueAbout(double value, int steps);
    // The plot follows a drag of (dx, dy) pixels: the window moves the other way, within
    // the full range as the scroll bars keep it.
    void panBy(double dx, double dy);
    // Shows the times and values inside `box`, in pixels of the plot (the part of it that
    // lies on the plot); a box under 4 pixels wide or high is ignored.
    void zoomToBox(const QRectF &box);
    // Shows the times from `start` to `end`, widened to what the buttons can reach and kept
    // within the full range; the values stay.
    void showTimeWindow(double start, double end);
    // The cursor on the first or last reading, the window moved to show it (Home, End).
    void cursorToFirst();
    void cursorToLast();
    // The window moved by `pages` of its width (Page Down: 1, Page Up: -1), within the full
    // range.
    void pageTime(int pages);
    // Cursor B at `time`; while it shows, the read-out gives both cursors and the
    // difference, time-weighted mean and (flow) volume between them.
    void placeSecondCursor(double time);
    void removeSecondCursor();
    bool hasSecondCursor() const { return m_state.secondCursorShown; }

    // --- A new series -----------------------------------------------------------------
    // Hides the curve, reference lines and night shades of the previous series and makes
    // sure that the curve has an element for every segment of the current one.
    void prepareCurveElements();

private:
    // The scroll bars express the window as a position on this scale over the full range.
    static constexpr double kScrollScale = 10000.0;
    // The value zoom stops at a window of this many base units.
    static constexpr double kSmallestValueSpan = 0.001;
    // One request of the mouse or keys zooms by at most this many steps: more would only
    // go past the limits.
    static constexpr int kMostZoomSteps = 64;
    // The narrowest time window the buttons reach: one logging interval, and no less than
    // a page step of 1 on the time bar.
    double smallestTimeSpan() const;

    // Element `i` of one of the series' arrays; outside it "Subscript out of range".
    template<typename T> static const T &checkedAt(const std::vector<T> &values, qint32 i)
    {
        if (i < 0 || static_cast<size_t>(i) >= values.size())
            throw RuntimeError::subscriptOutOfRange();
        return values[static_cast<size_t>(i)];
    }
    double sampleTime(qint32 i) const;
    double sampleValue(qint32 i) const;
    bool sampleIsGap(qint32 i) const;
    static double onGrid(double steps);
    // The pixels over which the value window runs: the plot's height less the bottom margin.
    double valuePixels() const;
    // The display unit's text ("l/s"); empty for None.
    const QString &unitText() const;
    // The first sample whose time stamp is not before `time`; sampleCount after the last.
    qint32 sampleUnder(double time) const;
    // The full value range of the series, from 0 or fitted to the readings.
    void setFullValueRange();
    // Lines in use of each axis' grid.
    qint32 drawTimeGrid();
    qint32 drawValueGrid();
    void placeLine(ElementArray<PlotLine> &lines, qint32 index, double x1, double y1, double x2,
                   double y2, quint32 colour);
    void drawCurveSegments(qint32 n);
    void writeAxisLabels();
    void addFittingMarker();
    QString cursorReadOut(qint32 j) const;
    QString twoCursorReadOut(qint32 a, qint32 b);
    void showCursorAt(double time);
    static void setScrollRange(ScrollRange &range, double visibleSpan, double fullSpan,
                               double offset);
    void report(const QString &procedure) noexcept;

    const SampleSeries &m_series;
    const DistrictSettings &m_settings;
    const NamedFormats &m_formats;
    ErrorReport &m_errorReport;
    UserPrompts &m_prompts;
    QSizeF m_size;

    // Texts loaded once, when the window is created.
    QString m_flowText;
    QString m_pressureText;
    QString m_magnificationLimitText;
    QString m_fittingText;
    QString m_stepText;
    QString m_notAvailableText;
    std::array<QString, 8> m_unitTexts; // by the unit's code

    DisplayUnit m_unit = DisplayUnit::None;
    bool m_nightShading = false;
    bool m_grid = false;
    bool m_fitValues = false;
    QSizeF m_tickLabelSize { 60.0, 16.0 };
    std::vector<PlotTick> m_timeTicks;
    std::vector<PlotTick> m_valueTicks;
    // The readings as steps, for the read-out between the cursors; built when first
    // needed after a new series.
    std::shared_ptr<const StepFunction> m_steps;
    NightWindow m_nightWindow;
    PlotState m_state;
    PlotElements m_elements;
    PlotAxisLabels m_labels;
    QString m_statusText;
};
