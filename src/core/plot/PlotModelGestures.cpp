// The requests of the mouse and the keys: zoom about a point, pan, box zoom, Home and End,
// Page Up and Page Down, and the second cursor.
#include "PlotModel.h"

#include "Checked.h"
#include "DateTime.h"
#include "DistrictSettings.h"
#include "NamedFormats.h"
#include "SampleSeries.h"
#include "StepFunction.h"

#include <algorithm>
#include <cmath>

namespace {

// A box smaller than this either way is taken for a slip of the hand.
constexpr double kSmallestBox = 4.0;

// Moves [start, end] inside [low, high] keeping its length; a window as long as the range
// or longer does not move.
void moveInside(double &start, double &end, double low, double high)
{
    const double span = end - start;
    if (span >= high - low)
        return;
    if (start < low) {
        start = low;
        end = low + span;
    } else if (end > high) {
        end = high;
        start = high - span;
    }
}

// A window grown about a point, kept inside the range: all of it when it would be longer.
void keepInside(double &start, double &end, double low, double high)
{
    if (end - start >= high - low) {
        start = low;
        end = high;
    } else {
        moveInside(start, end, low, high);
    }
}

// [start, end] widened about its middle to at least `span`.
void widenTo(double &start, double &end, double span)
{
    if (end - start >= span)
        return;
    const double middle = (start + end) / 2.0;
    start = middle - span / 2.0;
    end = middle + span / 2.0;
}

// "2:00:00" under a day, "1 d 02:00:00" from a day on.
QString durationText(qint64 seconds)
{
    const QString sign = seconds < 0 ? QStringLiteral("-") : QString();
    const qint64 s = seconds < 0 ? -seconds : seconds;
    const qint64 days = s / DateTime::kSecondsPerDay;
    const qint64 hours = s / 3600 % 24;
    const QString minutesAndSeconds = QStringLiteral(":%1:%2")
                                          .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
                                          .arg(s % 60, 2, 10, QLatin1Char('0'));
    if (days == 0)
        return sign + QString::number(hours) + minutesAndSeconds;
    return sign + QStringLiteral("%1 d %2").arg(days).arg(hours, 2, 10, QLatin1Char('0'))
        + minutesAndSeconds;
}

// `steps` steps about `point` of the window [start, end] on one axis of [low, high]: each
// step in halves the window unless `atLimit` says the buttons would stop there, each step
// out doubles it within the range. `stepped` follows every step, so that the next step's
// limit sees the scroll bar's page step after it. False when a step in was refused.
template<typename AtLimit, typename Stepped>
bool zoomAbout(double &start, double &end, double point, int steps, double low, double high,
               AtLimit atLimit, Stepped stepped)
{
    for (int i = 0; i < std::abs(steps); ++i) {
        if (steps > 0) {
            if (atLimit())
                return false;
            start = point - (point - start) / 2.0;
            end = point + (end - point) / 2.0;
        } else {
            start = point - (point - start) * 2.0;
            end = point + (end - point) * 2.0;
            keepInside(start, end, low, high);
        }
        stepped();
    }
    return true;
}

} // namespace

bool PlotModel::zoomTimeAbout(double time, int steps)
{
    PlotState &v = m_state;
    if (m_series.sampleCount == 0 || !std::isfinite(time) || steps == 0)
        return true;
    // The limits of the buttons: the time bar's finest step, one logging interval.
    const bool zoomed = zoomAbout(
        v.viewStart, v.viewEnd, time, std::clamp(steps, -kMostZoomSteps, kMostZoomSteps),
        v.fullStart, v.fullEnd,
        [&] {
            return v.timeScroll.pageStep == 1
                || DateTime::secondsBetween(v.viewStart, v.viewEnd) <= m_settings.loggingInterval;
        },
        [this] { updateScrollRanges(); });
    draw();
    return zoomed;
}

bool PlotModel::zoomValueAbout(double value, int steps)
{
    PlotState &v = m_state;
    if (m_series.sampleCount == 0 || !std::isfinite(value) || steps == 0)
        return true;
    const bool zoomed = zoomAbout(
        v.viewMin, v.viewMax, value, std::clamp(steps, -kMostZoomSteps, kMostZoomSteps), v.fullMin,
        v.fullMax,
        [&] { return v.valueScroll.pageStep == 1 || v.viewMax - v.viewMin <= kSmallestValueSpan; },
        [this] { updateScrollRanges(); });
    draw();
    return zoomed;
}

// Dragged right, earlier times come into view; dragged down, larger values.
void PlotModel::panBy(double dx, double dy)
{
    PlotState &v = m_state;
    if (m_series.sampleCount == 0)
        return;
    const double timeShift = -Checked::divide(dx * (v.viewEnd - v.viewStart), m_size.width());
    const double valueShift = Checked::divide(dy * (v.viewMax - v.viewMin), valuePixels());
    if (v.viewEnd - v.viewStart < v.fullEnd - v.fullStart) {
        v.viewStart += timeShift;
        v.viewEnd += timeShift;
        moveInside(v.viewStart, v.viewEnd, v.fullStart, v.fullEnd);
    }
    if (v.viewMax - v.viewMin < v.fullMax - v.fullMin) {
        v.viewMin += valueShift;
        v.viewMax += valueShift;
        moveInside(v.viewMin, v.viewMax, v.fullMin, v.fullMax);
    }
    draw();
}

double PlotModel::smallestTimeSpan() const
{
    const double interval
        = static_cast<double>(m_settings.loggingInterval) / DateTime::kSecondsPerDay;
    return std::max(interval, (m_state.fullEnd - m_state.fullStart) / kScrollScale);
}

// No deeper than the buttons reach: one logging interval, a page step of 1 on either bar
// (a window of 1/10000 of its range), a value span of 0.001; and never outside the range.
void PlotModel::zoomToBox(const QRectF &box)
{
    // While a box is dragged the pointer may leave the plot; only the plot's part counts.
    const QRectF b = box.normalized() & QRectF(QPointF(0.0, 0.0), m_size);
    if (m_series.sampleCount == 0 || b.width() < kSmallestBox || b.height() < kSmallestBox)
        return;
    PlotState &v = m_state;
    double start = timeAt(b.left());
    double end = timeAt(b.right());
    double min = valueAt(b.bottom());
    double max = valueAt(b.top());
    widenTo(start, end, smallestTimeSpan());
    widenTo(min, max, std::max(kSmallestValueSpan, (v.fullMax - v.fullMin) / kScrollScale));
    keepInside(start, end, v.fullStart, v.fullEnd);
    keepInside(min, max, v.fullMin, v.fullMax);
    v.viewStart = start;
    v.viewEnd = end;
    v.viewMin = min;
    v.viewMax = max;
    draw();
}

void PlotModel::showTimeWindow(double start, double end)
{
    PlotState &v = m_state;
    if (m_series.sampleCount == 0 || !std::isfinite(start) || !std::isfinite(end) || end <= start)
        return;
    widenTo(start, end, smallestTimeSpan());
    keepInside(start, end, v.fullStart, v.fullEnd);
    v.viewStart = start;
    v.viewEnd = end;
    draw();
}

void PlotModel::cursorToFirst()
{
    if (m_series.sampleCount > 0)
        showCursorAt(m_series.firstTime);
}

void PlotModel::cursorToLast()
{
    if (m_series.sampleCount > 0)
        showCursorAt(m_series.lastTime);
}

// The cursor at `time`; a window that does not show it is centred on it, within the range.
void PlotModel::showCursorAt(double time)
{
    PlotState &v = m_state;
    v.cursor = time;
    if (v.viewStart <= time && time <= v.viewEnd) {
        drawCursor();
        return;
    }
    const double half = (v.viewEnd - v.viewStart) / 2.0;
    v.viewStart = time - half;
    v.viewEnd = time + half;
    moveInside(v.viewStart, v.viewEnd, v.fullStart, v.fullEnd);
    draw();
}

void PlotModel::pageTime(int pages)
{
    PlotState &v = m_state;
    if (m_series.sampleCount == 0)
        return;
    const double shift = pages * (v.viewEnd - v.viewStart);
    v.viewStart += shift;
    v.viewEnd += shift;
    moveInside(v.viewStart, v.viewEnd, v.fullStart, v.fullEnd);
    draw();
}

void PlotModel::placeSecondCursor(double time)
{
    m_state.secondCursorShown = true;
    m_state.secondCursor = time;
    drawCursor();
}

void PlotModel::removeSecondCursor()
{
    m_state.secondCursorShown = false;
    m_elements.secondCursorLine.setVisible(0, false);
    drawCursor();
}

// Each cursor's time and value, then from A to B: the time between them, the change of
// value, and over the readings between them the time-weighted mean and (flow) volume.
QString PlotModel::twoCursorReadOut(qint32 a, qint32 b)
{
    const PlotState &v = m_state;
    const qint32 n = m_series.sampleCount;
    const double factor = DisplayUnits::factor(m_unit);
    const QString separator = QStringLiteral("  ");
    const auto available = [&](qint32 j) { return j < n && !sampleIsGap(j); };
    const auto valueOf = [&](qint32 j) {
        return available(j) ? m_formats.fixed(sampleValue(j) * factor) : m_notAvailableText;
    };
    const auto withUnit = [this](const QString &number) {
        return unitText().isEmpty() ? number : number + u' ' + unitText();
    };

    QString text = QStringLiteral("A ") + m_formats.dateAndTime(v.cursor) + u' ' + valueOf(a);
    text += separator + QStringLiteral("B ") + m_formats.dateAndTime(v.secondCursor) + u' '
        + valueOf(b);
    text += separator + QStringLiteral("\u0394t ")
        + durationText(DateTime::secondsBetween(v.cursor, v.secondCursor));
    text += separator + QStringLiteral("\u0394 ")
        + (available(a) && available(b)
               ? withUnit(m_formats.fixed((sampleValue(b) - sampleValue(a)) * factor))
               : m_notAvailableText);

    if (!m_steps)
        m_steps = std::make_shared<const StepFunction>(m_series, m_settings.loggingInterval);
    const qint64 from = DateTime::toWholeSeconds(std::min(v.cursor, v.secondCursor));
    const qint64 to = DateTime::toWholeSeconds(std::max(v.cursor, v.secondCursor));
    const qint64 covered = m_steps->coveredSeconds(from, to);
    const double integral = m_steps->integral(from, to); // litres on a flow channel
    text += separator + QStringLiteral("Mean ")
        + (covered > 0 ? withUnit(m_formats.fixed(integral / double(covered) * factor))
                       : m_notAvailableText);
    if (!DisplayUnits::isPressure(m_unit) && m_unit != DisplayUnit::None)
        text += separator + QStringLiteral("Volume ")
            + (covered > 0 ? m_formats.fixed(integral / 1000.0) + QStringLiteral(" m\u00B3")
                           : m_notAvailableText);
    return text;
}
