#pragma once

#include "DisplayUnit.h"
#include "NightWindow.h"
#include "PlotAxisLabels.h"
#include "PlotElements.h"
#include "PlotState.h"
#include "RuntimeError.h"

#include <QSizeF>
#include <QString>

#include <vector>

class ErrorReport;
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

    // --- Mapping --------------------------------------------------------------------
    // Pixels from the plot's left and top edges to a time and a value, on the grid.
    double xOf(double time) const;
    double yOf(double value) const;
    // The time at `x` pixels from the left edge.
    double timeAt(double x) const;
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

    // --- A new series -----------------------------------------------------------------
    // Hides the curve, reference lines and night shades of the previous series and makes
    // sure that the curve has an element for every segment of the current one.
    void prepareCurveElements();

private:
    // The scroll bars express the window as a position on this scale over the full range.
    static constexpr double kScrollScale = 10000.0;

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
    void placeLine(ElementArray<PlotLine> &lines, qint32 index, double x1, double y1, double x2,
                   double y2, quint32 colour);
    void drawCurveSegments(qint32 n);
    void writeAxisLabels();
    void addFittingMarker();
    QString cursorReadOut(qint32 j) const;
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

    DisplayUnit m_unit = DisplayUnit::None;
    bool m_nightShading = false;
    NightWindow m_nightWindow;
    PlotState m_state;
    PlotElements m_elements;
    PlotAxisLabels m_labels;
    QString m_statusText;
};
