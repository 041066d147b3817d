// The requests that move the cursor and the view: cursor, zoom, scrolling, the full view
// and the plot's size.
#include "PlotModel.h"

#include "Checked.h"
#include "DateTime.h"
#include "DistrictSettings.h"
#include "SampleSeries.h"
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

void GraphView::placeCursor(double time)
{
    m_state.dteCursor = time;
    drawCursor();
}

void GraphView::stepCursor(int intervals)
{
    GraphViewState &v = m_state;
    if (intervals != 0)
        v.dteCursor
            = DateTime::addSeconds(v.dteCursor, intervals * qint64(m_settings.lngLoggingInterval));
    if (v.dteCursor < v.dteViewStart)
        v.dteCursor = v.dteViewStart;
    else if (v.dteCursor > v.dteViewEnd)
        v.dteCursor = v.dteViewEnd;
    drawCursor();
}

void GraphView::zoomValueIn()
{
    GraphViewState &v = m_state;
    if (v.dblViewMax - v.dblViewMin > kSmallestValueSpan) {
        v.dblViewMax = v.dblViewMin + (v.dblViewMax - v.dblViewMin) / 2.0;
        drawGraph();
    }
}

void GraphView::zoomValueOut()
{
    GraphViewState &v = m_state;
    v.dblViewMax = doubledWithin(v.dblViewMin, v.dblViewMax, v.dblFullMax);
    drawGraph();
}

void GraphView::zoomTimeIn()
{
    GraphViewState &v = m_state;
    if (v.timeScroll.pageStep == 1) {
        m_prompts.message(m_strMagnificationLimit, QString::fromLatin1(kTitle));
        return;
    }
    // A window of one logging interval or less is not halved.
    if (DateTime::secondsBetween(v.dteViewStart, v.dteViewEnd) > m_settings.lngLoggingInterval) {
        v.dteViewEnd = v.dteViewStart + (v.dteViewEnd - v.dteViewStart) / 2.0;
        drawGraph();
    }
}

void GraphView::zoomTimeOut()
{
    GraphViewState &v = m_state;
    v.dteViewEnd = doubledWithin(v.dteViewStart, v.dteViewEnd, v.dteFullEnd);
    drawGraph();
}

// The bar's new position is compared with the window's place on the 0 to 10000 scale;
// the difference tells an arrow click (1), a page click (about one page step) and a
// drag of the thumb (anything else) apart. One unit of tolerance absorbs the rounding
// of positions.
void GraphView::scrollTimeTo(qint32 position)
{
    GraphViewState &v = m_state;
    v.timeScroll.position = position;
    const qint32 p = position;
    const qint32 large = v.timeScroll.pageStep;
    const double place
        = Checked::divide(v.dteViewStart - v.dteFullStart, v.dteFullEnd - v.dteFullStart)
        * kScrollScale;
    const qint32 d = Checked::toInt16(p - place);
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

// As scrollTimeTo, with the position growing downwards, towards smaller values. The
// arrow step is a tenth of the window.
void GraphView::scrollValueTo(qint32 position)
{
    GraphViewState &v = m_state;
    v.valueScroll.position = position;
    const qint32 p = position;
    const qint32 large = v.valueScroll.pageStep;
    const double place = Checked::divide((v.dblFullMax - v.dblViewMax) * kScrollScale,
                                         v.dblFullMax - v.dblFullMin);
    const qint32 d = Checked::toInt16(place - p);
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

void GraphView::resetView()
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

void GraphView::resize(const QSizeF &size)
{
    m_size = size;
    drawGraph();
}
