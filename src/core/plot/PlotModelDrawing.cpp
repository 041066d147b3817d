// The drawing side of the graph: curve, fitting markers, axis labels and cursor.
#include "PlotModel.h"

#include "Checked.h"
#include "DateTime.h"
#include "DistrictSettings.h"
#include "NamedFormats.h"
#include "SampleSeries.h"

namespace {

// A level may lie this far (base units) outside the value window and still be drawn,
// so that a value on the window's edge is not lost to rounding.
constexpr double kLevelTolerance = 0.001;

// The captions and dots of the fitting markers keep their design tops; only their left
// edges follow the data. In pixels from the marker's line.
constexpr double kRefCaptionGap = 20.0 / 3.0;
constexpr double kRefDotHalf = 10.0 / 3.0;
constexpr double kRefLineTop = 0.025; // of the plot height

} // namespace

void GraphView::drawGraph()
{
    try {
        if (m_series.lngNumSamples == 0)
            return;
        drawGraphLines();
        drawRefMarkers();
        writeAxisLabels();
        setScrollBars();
        drawCursor();
    } catch (...) {
        report("drawGraph");
    }
}

void GraphView::writeAxisLabels()
{
    const GraphViewState &v = m_state;
    const double factor = DisplayUnits::factor(m_unit);
    m_labels.lblFlowMax = m_formats.fixed(factor * v.dblViewMax);
    m_labels.lblFlowMid = m_formats.fixed((v.dblViewMin + v.dblViewMax) * factor / 2.0);
    m_labels.lblFlowMin = m_formats.fixed(v.dblViewMin * factor);
    m_labels.lblTimeMin = m_formats.dateAndTime(v.dteViewStart);
    m_labels.lblTimeMid = m_formats.dateAndTime((v.dteViewEnd + v.dteViewStart) / 2.0);
    m_labels.lblTimeMax = m_formats.dateAndTime(v.dteViewEnd);
}

void GraphView::placeLine(ElementArray<PlotLine> &lines, qint32 index, double x1, double y1,
                          double x2, double y2, quint32 colour)
{
    lines.set(index, &PlotLine::x1, x1);
    lines.set(index, &PlotLine::x2, x2);
    lines.set(index, &PlotLine::y1, y1);
    lines.set(index, &PlotLine::y2, y2);
    lines.set(index, &PlotLine::colour, colour);
    lines.setVisible(index, true);
}

void GraphView::drawGraphLines()
{
    try {
        const qint32 n = m_series.lngNumSamples;
        const qint64 interval = m_settings.lngLoggingInterval;
        const GraphViewState &v = m_state;
        ElementArray<PlotLine> &bars = m_elements.LinBar;

        // Element 0: the level of sample 0 over its interval, tested against the value
        // window without the tolerance of the other levels.
        const double t0 = sampleTime(0);
        const double v0 = sampleValue(0);
        if (v0 < v.dblViewMin || v0 > v.dblViewMax || t0 < v.dteViewStart) {
            bars.setVisible(0, false);
        } else {
            const double x1 = xOf(DateTime::addSeconds(t0, -interval));
            const double x2 = xOf(t0);
            const double y = yOf(v0);
            placeLine(bars, 0, x1, y, x2, y, PlotColour::Blue);
        }
        drawCurveSegments(n);
    } catch (...) {
        report("drawGraphLines");
    }
}

// Risers and levels of samples 1 to n - 1: element 2i - 1 is the step at t(i - 1) from
// v(i - 1) to v(i), element 2i the level of sample i from t(i - 1) to t(i).
void GraphView::drawCurveSegments(qint32 n)
{
    const GraphViewState &v = m_state;
    ElementArray<PlotLine> &bars = m_elements.LinBar;
    double previousTime = sampleTime(0);
    double previousValue = sampleValue(0);
    bool previousGap = sampleIsGap(0);
    for (qint32 i = 1; i < n; ++i) {
        const double t = sampleTime(i);
        const double value = sampleValue(i);
        const bool gap = sampleIsGap(i);

        const qint32 riser = 2 * i - 1;
        if (previousTime < v.dteViewStart || previousTime > v.dteViewEnd) {
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
        if (value < v.dblViewMin - kLevelTolerance || value > v.dblViewMax + kLevelTolerance
            || t < v.dteViewStart || previousTime > v.dteViewEnd) {
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

void GraphView::drawRefMarkers()
{
    try {
        PlotElements &e = m_elements;
        for (qint32 k = 0; k < m_state.lngRefCount; ++k) {
            e.linRef.setVisible(k, false);
            e.lblRef.setVisible(k, false);
            e.shpRef.setVisible(k, false);
        }
        const qint64 interval = m_settings.lngLoggingInterval;
        const double h = m_size.height();
        for (qint32 k = 0; k < m_series.lngNumFittings; ++k) {
            const qint32 sample = checkedAt(m_series.lngFittingSample, k);
            const QString &number = checkedAt(m_series.strFittingNumber, k);
            // The start of the interval of the sample that the fitting record produced.
            const double start = DateTime::addSeconds(sampleTime(sample), -interval);
            const double x = xOf(start);

            e.linRef.set(k, &PlotLine::x1, x);
            e.linRef.set(k, &PlotLine::x2, x);
            e.linRef.set(k, &PlotLine::y1, h * kRefLineTop);
            e.linRef.set(k, &PlotLine::y2, h);
            e.linRef.setVisible(k, true);

            e.lblRef.set(k, &PlotCaption::left, x + kRefCaptionGap);
            e.lblRef.set(k, &PlotCaption::caption, number);
            e.lblRef.setVisible(k, true);

            e.shpRef.set(k, &PlotShape::left, x - kRefDotHalf);
            e.shpRef.setVisible(k, true);

            // Keep one spare marker beyond those in use.
            if (k + 1 > m_state.lngRefCount - 1)
                loadRefElement();
        }
    } catch (...) {
        report("drawRefMarkers");
    }
}

void GraphView::loadRefElement()
{
    PlotElements &e = m_elements;
    const qint32 index = m_state.lngRefCount;
    e.linRef.load(index);
    e.lblRef.load(index);
    e.shpRef.load(index);
    m_state.lngRefCount = index + 1;
}

void GraphView::drawCursor()
{
    const qint32 n = m_series.lngNumSamples;
    GraphViewState &v = m_state;
    if (n == 0 || v.dteViewEnd == v.dteViewStart)
        return;

    // The cursor line stands where the cursor is, not on the grid.
    const double x = Checked::divide((v.dteCursor - v.dteViewStart) * m_size.width(),
                                     v.dteViewEnd - v.dteViewStart);
    ElementArray<PlotLine> &cursor = m_elements.linCursor;
    cursor.set(0, &PlotLine::x1, x);
    cursor.set(0, &PlotLine::x2, x);
    cursor.set(0, &PlotLine::y1, 0.0);
    cursor.set(0, &PlotLine::y2, m_size.height());

    // A reading covers the interval that ends at its time stamp: the sample under the
    // cursor is the first one whose time stamp is not before it.
    qint32 j = n;
    if (v.dteCursor <= sampleTime(n - 1)) {
        j = 0;
        while (v.dteCursor > sampleTime(j))
            ++j;
    }
    v.lngCursorSample = j;
    m_statusText = cursorReadOut(j);
}

QString GraphView::cursorReadOut(qint32 j) const
{
    const qint32 n = m_series.lngNumSamples;
    const QString separator = QStringLiteral("  ");
    const QString colon = QStringLiteral(": ");
    QString text = m_formats.dateAndTime(m_state.dteCursor);
    text += separator + m_strFitting + colon;
    if (j < n)
        text += checkedAt(m_series.strSampleFitting, j);
    if (DisplayUnits::isPressure(m_unit))
        text += separator + m_strPress + colon;
    else if (m_unit != DisplayUnit::None)
        text += separator + m_strFlow + colon;
    if (j < n && !sampleIsGap(j)) {
        const double value = sampleValue(j);
        const double factor = DisplayUnits::factor(m_unit);
        text += m_formats.fixed(value * factor);
        text += separator + m_strStep + colon;
        text += m_formats.fixed((m_settings.dblReference - value) * factor);
    } else {
        text += m_strNotAvailable;
    }
    return text;
}
