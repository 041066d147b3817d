// The interactive side of the graph: cursor, zoom buttons, scroll bars and View > Reset.
#include "GraphView.h"

#include "Checked.h"
#include "DateTime.h"
#include "DistrictSettings.h"
#include "PlotExtent.h"
#include "SampleSeries.h"
#include "ScrollBarControl.h"
#include "UserPrompts.h"

namespace {

// The value zoom stops at a window of this many base units.
constexpr double kSmallestValueSpan = 0.001;

// Head room above the largest value, and after the last time stamp, in the full range.
constexpr double kHeadRoom = 0.05;

// The new end of a window doubled in length from its fixed start: zooming out stops at
// the end of the range but does not move the start back.
double doubledWithin(double start, double end, double rangeEnd)
{
    const double doubled = (end - start) * 2.0 + start;
    return doubled <= rangeEnd ? doubled : rangeEnd;
}

} // namespace

void GraphView::Picture1_MouseUp(int button, int shift, double x, double y)
{
    Q_UNUSED(button);
    Q_UNUSED(shift);
    Q_UNUSED(y);
    GraphViewState &v = m_state;
    v.dteCursor = Checked::divide((v.dteViewEnd - v.dteViewStart) * x, m_picture.plotWidth())
        + v.dteViewStart;
    drawCursor();
}

void GraphView::Picture1_KeyUp(int keyCode, int shift)
{
    Q_UNUSED(shift);
    GraphViewState &v = m_state;
    const qint64 interval = m_settings.lngLoggingInterval;
    if (keyCode == kKeyLeft)
        v.dteCursor = DateTime::addSeconds(v.dteCursor, -interval);
    else if (keyCode == kKeyRight)
        v.dteCursor = DateTime::addSeconds(v.dteCursor, interval);
    // The cursor stops at the edges of the window; the window does not follow it.
    if (v.dteCursor < v.dteViewStart)
        v.dteCursor = v.dteViewStart;
    else if (v.dteCursor > v.dteViewEnd)
        v.dteCursor = v.dteViewEnd;
    drawCursor();
}

void GraphView::cmdFlowZoomIn_Click()
{
    GraphViewState &v = m_state;
    if (v.dblViewMax - v.dblViewMin > kSmallestValueSpan) {
        v.dblViewMax = v.dblViewMin + (v.dblViewMax - v.dblViewMin) / 2.0;
        drawGraph();
    }
}

void GraphView::cmdFlowZoomOut_Click()
{
    GraphViewState &v = m_state;
    v.dblViewMax = doubledWithin(v.dblViewMin, v.dblViewMax, v.dblFullMax);
    drawGraph();
}

void GraphView::cmdTimeZoomIn_Click()
{
    GraphViewState &v = m_state;
    if (m_hsbTime.largeChange() == 1) {
        m_prompts.message(m_strMagnificationLimit, QString::fromLatin1(kTitle));
        return;
    }
    // A window of one logging interval or less is not halved.
    if (DateTime::secondsBetween(v.dteViewStart, v.dteViewEnd) > m_settings.lngLoggingInterval) {
        v.dteViewEnd = v.dteViewStart + (v.dteViewEnd - v.dteViewStart) / 2.0;
        drawGraph();
    }
}

void GraphView::cmdTimeZoomOut_Click()
{
    GraphViewState &v = m_state;
    v.dteViewEnd = doubledWithin(v.dteViewStart, v.dteViewEnd, v.dteFullEnd);
    drawGraph();
}

// The bar's new value is compared with the window's position on the 0 to 10000 scale;
// the difference tells an arrow click (1), a page click (about one large step) and a
// drag of the thumb (anything else) apart. One unit of tolerance absorbs the rounding
// of positions.
void GraphView::hsbTime_Change()
{
    GraphViewState &v = m_state;
    if (v.blnSettingScrollBars)
        return;
    const qint32 p = m_hsbTime.value();
    const qint32 large = m_hsbTime.largeChange();
    const double position
        = Checked::divide(v.dteViewStart - v.dteFullStart, v.dteFullEnd - v.dteFullStart)
        * kScrollScale;
    const qint32 d = Checked::toInt16(p - position);
    const qint64 interval = m_settings.lngLoggingInterval;
    qint64 shift = 0;
    if (d == 1)
        shift = interval;
    else if (d == -1)
        shift = -interval;
    else if (large - 1 <= d && d <= large + 1)
        shift = DateTime::secondsBetween(v.dteViewStart, v.dteViewEnd);
    else if (large - 1 <= -d && -d <= large + 1)
        shift = DateTime::secondsBetween(v.dteViewEnd, v.dteViewStart);
    else
        shift = Checked::toInt32(
            static_cast<double>(DateTime::secondsBetween(v.dteFullStart, v.dteFullEnd)) * d
            / kScrollScale);
    v.dteViewEnd = DateTime::addSeconds(v.dteViewEnd, shift);
    v.dteViewStart = DateTime::addSeconds(v.dteViewStart, shift);
    drawGraph();
}

// As hsbTime_Change, with the bar's value growing downwards, towards smaller values.
// The arrow step is a tenth of the window.
void GraphView::vsbFlow_Change()
{
    GraphViewState &v = m_state;
    if (v.blnSettingScrollBars)
        return;
    const qint32 p = m_vsbFlow.value();
    const qint32 large = m_vsbFlow.largeChange();
    const double position = Checked::divide((v.dblFullMax - v.dblViewMax) * kScrollScale,
                                            v.dblFullMax - v.dblFullMin);
    const qint32 d = Checked::toInt16(position - p);
    double shift = 0.0;
    if (d == 1)
        shift = (v.dblViewMax - v.dblViewMin) / 10.0;
    else if (d == -1)
        shift = (v.dblViewMin - v.dblViewMax) / 10.0;
    else if (large - 1 <= d && d <= large + 1)
        shift = v.dblViewMax - v.dblViewMin;
    else if (large - 1 <= -d && -d <= large + 1)
        shift = v.dblViewMin - v.dblViewMax;
    else
        shift = d / kScrollScale * (v.dblFullMax - v.dblFullMin);
    v.dblViewMax += shift;
    v.dblViewMin += shift;
    drawGraph();
}

void GraphView::mnuViewReset_Click()
{
    GraphViewState &v = m_state;
    const SampleSeries &s = m_series;
    v.dteFullEnd = (s.dteLastTime - s.dteFirstTime) * kHeadRoom + s.dteLastTime;
    // The first sample's interval ends at its time stamp; the range starts with it.
    v.dteFullStart = DateTime::addSeconds(s.dteFirstTime, -qint64(m_settings.lngLoggingInterval));
    // The value range always starts at 0, whatever the smallest value.
    v.dblFullMax = s.dblMaxValue * kHeadRoom + s.dblMaxValue;
    v.dblFullMin = 0.0;
    v.dteViewStart = v.dteFullStart;
    v.dteViewEnd = v.dteFullEnd;
    v.dblViewMin = 0.0;
    v.dblViewMax = v.dblFullMax;
    v.dteCursor = v.dteFullStart;
    drawGraph();
}
