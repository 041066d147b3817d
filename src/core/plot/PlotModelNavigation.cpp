// The requests that move the cursor and the view: cursor, zoom, scrolling, the full view
// and the plot's size.
#include "PlotModel.h"

#include "ApplicationName.h"
#include "Checked.h"
#include "DateTime.h"
#include "DistrictSettings.h"
#include "SampleSeries.h"
#include "UserPrompts.h"

#include <cmath>

namespace {

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

void PlotModel::placeCursor(double time)
{
    m_state.cursor = time;
    drawCursor();
}

void PlotModel::stepCursor(int intervals)
{
    PlotState &v = m_state;
    if (intervals != 0)
        v.cursor = DateTime::addSeconds(v.cursor, intervals * qint64(m_settings.loggingInterval));
    if (v.cursor < v.viewStart)
        v.cursor = v.viewStart;
    else if (v.cursor > v.viewEnd)
        v.cursor = v.viewEnd;
    drawCursor();
}

// With Fit Values on, the value zoom keeps the middle of the window instead of its bottom.
void PlotModel::zoomValueIn()
{
    PlotState &v = m_state;
    if (v.viewMax - v.viewMin > kSmallestValueSpan) {
        if (m_fitValues) {
            const double quarter = (v.viewMax - v.viewMin) / 4.0;
            v.viewMin += quarter;
            v.viewMax -= quarter;
        } else {
            v.viewMax = v.viewMin + (v.viewMax - v.viewMin) / 2.0;
        }
        draw();
    }
}

void PlotModel::zoomValueOut()
{
    PlotState &v = m_state;
    if (m_fitValues) {
        const double middle = (v.viewMin + v.viewMax) / 2.0;
        zoomValueAbout(middle, -1);
        return;
    }
    v.viewMax = doubledWithin(v.viewMin, v.viewMax, v.fullMax);
    draw();
}

void PlotModel::zoomTimeIn()
{
    PlotState &v = m_state;
    if (v.timeScroll.pageStep == 1) {
        m_prompts.message(m_magnificationLimitText, ApplicationName::title());
        return;
    }
    // A window of one logging interval or less is not halved.
    if (DateTime::secondsBetween(v.viewStart, v.viewEnd) > m_settings.loggingInterval) {
        v.viewEnd = v.viewStart + (v.viewEnd - v.viewStart) / 2.0;
        draw();
    }
}

void PlotModel::zoomTimeOut()
{
    PlotState &v = m_state;
    v.viewEnd = doubledWithin(v.viewStart, v.viewEnd, v.fullEnd);
    draw();
}

// The bar's new position is compared with the window's place on the 0 to 10000 scale;
// the difference tells an arrow click (1), a page click (about one page step) and a
// drag of the thumb (anything else) apart. One unit of tolerance absorbs the rounding
// of positions.
void PlotModel::scrollTimeTo(qint32 position)
{
    PlotState &v = m_state;
    v.timeScroll.position = position;
    const qint32 p = position;
    const qint32 large = v.timeScroll.pageStep;
    const double place
        = Checked::divide(v.viewStart - v.fullStart, v.fullEnd - v.fullStart) * kScrollScale;
    const qint32 d = Checked::toInt16(p - place);
    const qint64 interval = m_settings.loggingInterval;
    qint64 shift = 0;
    if (d == 1)
        shift = interval;
    else if (d == -1)
        shift = -interval;
    else if (large - 1 <= d && d <= large + 1)
        shift = DateTime::secondsBetween(v.viewStart, v.viewEnd);
    else if (large - 1 <= -d && -d <= large + 1)
        shift = DateTime::secondsBetween(v.viewEnd, v.viewStart);
    else
        shift
            = Checked::toInt32(static_cast<double>(DateTime::secondsBetween(v.fullStart, v.fullEnd))
                               * d / kScrollScale);
    v.viewEnd = DateTime::addSeconds(v.viewEnd, shift);
    v.viewStart = DateTime::addSeconds(v.viewStart, shift);
    draw();
}

// As scrollTimeTo, with the position growing downwards, towards smaller values. The
// arrow step is a tenth of the window.
void PlotModel::scrollValueTo(qint32 position)
{
    PlotState &v = m_state;
    v.valueScroll.position = position;
    const qint32 p = position;
    const qint32 large = v.valueScroll.pageStep;
    const double place
        = Checked::divide((v.fullMax - v.viewMax) * kScrollScale, v.fullMax - v.fullMin);
    const qint32 d = Checked::toInt16(place - p);
    double shift = 0.0;
    if (d == 1)
        shift = (v.viewMax - v.viewMin) / 10.0;
    else if (d == -1)
        shift = (v.viewMin - v.viewMax) / 10.0;
    else if (large - 1 <= d && d <= large + 1)
        shift = v.viewMax - v.viewMin;
    else if (large - 1 <= -d && -d <= large + 1)
        shift = v.viewMin - v.viewMax;
    else
        shift = d / kScrollScale * (v.fullMax - v.fullMin);
    v.viewMax += shift;
    v.viewMin += shift;
    draw();
}

void PlotModel::resetView()
{
    PlotState &v = m_state;
    const SampleSeries &s = m_series;
    v.fullEnd = (s.lastTime - s.firstTime) * kHeadRoom + s.lastTime;
    // The first sample's interval ends at its time stamp; the range starts with it.
    v.fullStart = DateTime::addSeconds(s.firstTime, -qint64(m_settings.loggingInterval));
    setFullValueRange();
    v.viewStart = v.fullStart;
    v.viewEnd = v.fullEnd;
    v.viewMin = v.fullMin;
    v.viewMax = v.fullMax;
    v.cursor = v.fullStart;
    draw();
}

void PlotModel::resetValueRange()
{
    PlotState &v = m_state;
    setFullValueRange();
    v.viewMin = v.fullMin;
    v.viewMax = v.fullMax;
    draw();
}

void PlotModel::setFullValueRange()
{
    PlotState &v = m_state;
    const SampleSeries &s = m_series;
    if (!m_fitValues) {
        // The value range starts at 0, whatever the smallest value.
        v.fullMax = s.maxValue * kHeadRoom + s.maxValue;
        v.fullMin = 0.0;
        return;
    }
    // Fitted to the readings; a flat series gets 5 % of its value, or 1, each side.
    const double spread = s.maxValue - s.minValue;
    double margin = spread * kHeadRoom;
    if (!(spread > 0.0))
        margin = s.maxValue != 0.0 ? std::fabs(s.maxValue) * kHeadRoom : 1.0;
    v.fullMin = s.minValue - margin;
    v.fullMax = s.maxValue + margin;
}

void PlotModel::resize(const QSizeF &size)
{
    m_size = size;
    draw();
}
