// The drawing side of the graph: curve, fitting markers, night shades, axis labels and
// cursor.
#include "PlotModel.h"

#include "Checked.h"
#include "DateTime.h"
#include "DistrictSettings.h"
#include "EventLogNames.h"
#include "NamedFormats.h"
#include "SampleSeries.h"

#include <algorithm>
#include <cmath>

namespace {

// A level may lie this far (base units) outside the value window and still be drawn,
// so that a value on the window's edge is not lost to rounding.
constexpr double kLevelTolerance = 0.001;

// The captions and dots of the fitting markers keep their design tops; only their left
// edges follow the data. In pixels from the marker's line.
constexpr double kMarkerCaptionGap = 20.0 / 3.0;
constexpr double kMarkerDotHalf = 10.0 / 3.0;
constexpr double kMarkerLineTop = 0.025; // of the plot height

} // namespace

void PlotModel::draw()
{
    try {
        if (m_series.sampleCount == 0)
            return;
        drawNightShades();
        drawGrid();
        drawCurve();
        drawFittingMarkers();
        writeAxisLabels();
        updateScrollRanges();
        drawCursor();
    } catch (...) {
        report(EventLogNames::kDrawGraph);
    }
}

void PlotModel::writeAxisLabels()
{
    // The grid's ticks take the place of the six labels.
    if (m_grid) {
        m_labels = PlotAxisLabels();
        return;
    }
    const PlotState &v = m_state;
    const double factor = DisplayUnits::factor(m_unit);
    m_labels.valueTop = m_formats.fixed(factor * v.viewMax);
    m_labels.valueMiddle = m_formats.fixed((v.viewMin + v.viewMax) * factor / 2.0);
    m_labels.valueBottom = m_formats.fixed(v.viewMin * factor);
    m_labels.timeStart = m_formats.dateAndTime(v.viewStart);
    m_labels.timeMiddle = m_formats.dateAndTime((v.viewEnd + v.viewStart) / 2.0);
    m_labels.timeEnd = m_formats.dateAndTime(v.viewEnd);
}

void PlotModel::placeLine(ElementArray<PlotLine> &lines, qint32 index, double x1, double y1,
                          double x2, double y2, quint32 colour)
{
    lines.set(index, &PlotLine::x1, x1);
    lines.set(index, &PlotLine::x2, x2);
    lines.set(index, &PlotLine::y1, y1);
    lines.set(index, &PlotLine::y2, y2);
    lines.set(index, &PlotLine::colour, colour);
    lines.setVisible(index, true);
}

void PlotModel::drawCurve()
{
    try {
        const qint32 n = m_series.sampleCount;
        const qint64 interval = m_settings.loggingInterval;
        const PlotState &v = m_state;
        ElementArray<PlotLine> &bars = m_elements.curve;

        // Element 0: the level of sample 0 over its interval, tested against the value
        // window without the tolerance of the other levels.
        const double t0 = sampleTime(0);
        const double v0 = sampleValue(0);
        if (v0 < v.viewMin || v0 > v.viewMax || t0 < v.viewStart) {
            bars.setVisible(0, false);
        } else {
            const double x1 = xOf(DateTime::addSeconds(t0, -interval));
            const double x2 = xOf(t0);
            const double y = yOf(v0);
            placeLine(bars, 0, x1, y, x2, y, PlotColour::Blue);
        }
        drawCurveSegments(n);
    } catch (...) {
        report(EventLogNames::kDrawLines);
    }
}

// Risers and levels of samples 1 to n - 1: element 2i - 1 is the step at t(i - 1) from
// v(i - 1) to v(i), element 2i the level of sample i from t(i - 1) to t(i).
void PlotModel::drawCurveSegments(qint32 n)
{
    const PlotState &v = m_state;
    ElementArray<PlotLine> &bars = m_elements.curve;
    double previousTime = sampleTime(0);
    double previousValue = sampleValue(0);
    bool previousGap = sampleIsGap(0);
    for (qint32 i = 1; i < n; ++i) {
        const double t = sampleTime(i);
        const double value = sampleValue(i);
        const bool gap = sampleIsGap(i);

        const qint32 riser = 2 * i - 1;
        if (previousTime < v.viewStart || previousTime > v.viewEnd) {
            bars.setVisible(riser, false);
        } else {
            // Not tested against the value window: the plot clips what lies outside.
            const double x = xOf(previousTime);
            const double y1 = yOf(previousValue);
            const double y2 = yOf(value);
            placeLine(bars, riser, x, y1, x, y2,
                      previousGap || gap ? PlotColour::Red : PlotColour::Blue);
        }

        const qint32 level = 2 * i;
        if (value < v.viewMin - kLevelTolerance || value > v.viewMax + kLevelTolerance
            || t < v.viewStart || previousTime > v.viewEnd) {
            bars.setVisible(level, false);
        } else {
            const double x1 = xOf(previousTime);
            const double x2 = xOf(t);
            const double y = yOf(value);
            placeLine(bars, level, x1, y, x2, y, gap ? PlotColour::Red : PlotColour::Blue);
        }

        previousTime = t;
        previousValue = value;
        previousGap = gap;
    }
}

void PlotModel::drawNightShades()
{
    const PlotState &v = m_state;
    ElementArray<PlotBand> &shades = m_elements.nightShades;
    qint32 shown = 0;
    // Date-times count whole days from midnight, so a date's night lies a fixed number of
    // seconds after the whole part.
    const double firstDate = std::floor(v.viewStart);
    const double lastDate = std::floor(v.viewEnd);
    // With more dates in view than pixels across, the nights would blur into one tint.
    if (m_nightShading && lastDate - firstDate < m_size.width()) {
        for (double date = firstDate; date <= lastDate; date += 1.0) {
            const double start
                = std::max(DateTime::addSeconds(date, m_nightWindow.startSecond()), v.viewStart);
            const double end
                = std::min(DateTime::addSeconds(date, m_nightWindow.endSecond()), v.viewEnd);
            if (start >= end)
                continue;
            if (shown == shades.count())
                shades.load(shown);
            const double left = xOf(start);
            shades.set(shown, &PlotBand::left, left);
            shades.set(shown, &PlotBand::top, 0.0);
            shades.set(shown, &PlotBand::width, xOf(end) - left);
            shades.set(shown, &PlotBand::height, m_size.height());
            shades.setVisible(shown, true);
            ++shown;
        }
    }
    for (qint32 i = shown; i < shades.count(); ++i)
        shades.setVisible(i, false);
}

void PlotModel::drawFittingMarkers()
{
    try {
        PlotElements &e = m_elements;
        for (qint32 k = 0; k < m_state.markerCount; ++k) {
            e.markerLines.setVisible(k, false);
            e.markerCaptions.setVisible(k, false);
            e.markerDots.setVisible(k, false);
        }
        const qint64 interval = m_settings.loggingInterval;
        const double h = m_size.height();
        for (qint32 k = 0; k < m_series.fittingCount; ++k) {
            const qint32 sample = checkedAt(m_series.fittingSamples, k);
            const QString &number = checkedAt(m_series.fittingNumbers, k);
            // The start of the interval of the sample that the fitting record produced.
            const double start = DateTime::addSeconds(sampleTime(sample), -interval);
            const double x = xOf(start);

            e.markerLines.set(k, &PlotLine::x1, x);
            e.markerLines.set(k, &PlotLine::x2, x);
            e.markerLines.set(k, &PlotLine::y1, h * kMarkerLineTop);
            e.markerLines.set(k, &PlotLine::y2, h);
            e.markerLines.setVisible(k, true);

            e.markerCaptions.set(k, &PlotCaption::left, x + kMarkerCaptionGap);
            e.markerCaptions.set(k, &PlotCaption::caption, number);
            e.markerCaptions.setVisible(k, true);

            e.markerDots.set(k, &PlotShape::left, x - kMarkerDotHalf);
            e.markerDots.setVisible(k, true);

            // Keep one spare marker beyond those in use.
            if (k + 1 > m_state.markerCount - 1)
                addFittingMarker();
        }
    } catch (...) {
        report(EventLogNames::kDrawReferenceMarkers);
    }
}

void PlotModel::addFittingMarker()
{
    PlotElements &e = m_elements;
    const qint32 index = m_state.markerCount;
    e.markerLines.load(index);
    e.markerCaptions.load(index);
    e.markerDots.load(index);
    m_state.markerCount = index + 1;
}

void PlotModel::drawCursor()
{
    const qint32 n = m_series.sampleCount;
    PlotState &v = m_state;
    if (n == 0 || v.viewEnd == v.viewStart)
        return;

    // The cursor lines stand where the cursors are, not on the grid.
    const auto placeAt = [this, &v](ElementArray<PlotLine> &line, double time) {
        const double x
            = Checked::divide((time - v.viewStart) * m_size.width(), v.viewEnd - v.viewStart);
        line.set(0, &PlotLine::x1, x);
        line.set(0, &PlotLine::x2, x);
        line.set(0, &PlotLine::y1, 0.0);
        line.set(0, &PlotLine::y2, m_size.height());
    };
    placeAt(m_elements.cursorLine, v.cursor);
    v.cursorSample = sampleUnder(v.cursor);
    if (v.secondCursorShown) {
        placeAt(m_elements.secondCursorLine, v.secondCursor);
        m_elements.secondCursorLine.setVisible(0, true);
        m_statusText = twoCursorReadOut(v.cursorSample, sampleUnder(v.secondCursor));
    } else {
        m_elements.secondCursorLine.setVisible(0, false);
        m_statusText = cursorReadOut(v.cursorSample);
    }
}

// A reading covers the interval that ends at its time stamp: the sample under a cursor is
// the first one whose time stamp is not before it.
qint32 PlotModel::sampleUnder(double time) const
{
    const qint32 n = m_series.sampleCount;
    qint32 j = n;
    if (n > 0 && time <= sampleTime(n - 1)) {
        j = 0;
        while (time > sampleTime(j))
            ++j;
    }
    return j;
}

QString PlotModel::cursorReadOut(qint32 j) const
{
    const qint32 n = m_series.sampleCount;
    const QString separator = QStringLiteral("  ");
    const QString colon = QStringLiteral(": ");
    QString text = m_formats.dateAndTime(m_state.cursor);
    text += separator + m_fittingText + colon;
    if (j < n)
        text += checkedAt(m_series.sampleFittings, j);
    if (DisplayUnits::isPressure(m_unit))
        text += separator + m_pressureText + colon;
    else if (m_unit != DisplayUnit::None)
        text += separator + m_flowText + colon;
    if (j < n && !sampleIsGap(j)) {
        const double value = sampleValue(j);
        const double factor = DisplayUnits::factor(m_unit);
        text += m_formats.fixed(value * factor);
        text += separator + m_stepText + colon;
        text += m_formats.fixed((m_settings.reference - value) * factor);
    } else {
        text += m_notAvailableText;
    }
    return text;
}
