// The grid: round steps on both axes, their lines and their labels.
#include "PlotModel.h"

#include "DateTime.h"
#include "GridSteps.h"
#include "NamedFormats.h"

#include <algorithm>
#include <cmath>

namespace {

// Each axis shows no more lines than this.
constexpr qint32 kMostGridLines = 10;
// Room between two time labels, in pixels.
constexpr double kTimeLabelGap = 8.0;
// A line this close outside the window (days, under a millisecond) is on its edge: the
// window's ends and the lines are worked out by different sums.
constexpr double kEdgeTolerance = 1e-8;
// Value labels stand at least a line and a half apart.
constexpr double kValueLabelSpacing = 1.5;
// Day steps count from Monday 1 January 1900 (day 2 of the date-times), so that a week's
// line falls on a Monday; shorter steps divide a day and count from any midnight.
constexpr qint64 kFirstMonday = 2 * DateTime::kSecondsPerDay;

// The first multiple of `step` after `origin` that is not before `time`.
qint64 firstLineFrom(qint64 time, qint64 origin, qint64 step)
{
    const qint64 offset = time - origin;
    qint64 steps = offset / step;
    if (steps * step < offset)
        ++steps;
    return origin + steps * step;
}

} // namespace

void PlotModel::drawGrid()
{
    m_timeTicks.clear();
    m_valueTicks.clear();
    const qint32 timeLines = m_grid ? drawTimeGrid() : 0;
    const qint32 valueLines = m_grid ? drawValueGrid() : 0;
    for (qint32 i = timeLines; i < m_elements.timeGrid.count(); ++i)
        m_elements.timeGrid.setVisible(i, false);
    for (qint32 i = valueLines; i < m_elements.valueGrid.count(); ++i)
        m_elements.valueGrid.setVisible(i, false);
}

// Lines at whole multiples of the step from midnight (or a Monday), each labelled with its
// time (and the date under the first line of each date) or, for day steps, its date.
qint32 PlotModel::drawTimeGrid()
{
    const PlotState &v = m_state;
    const double spanSeconds = (v.viewEnd - v.viewStart) * DateTime::kSecondsPerDay;
    const qint64 step
        = GridSteps::timeStep(spanSeconds, m_size.width(), m_tickLabelSize.width() + kTimeLabelGap);
    const bool days = step >= DateTime::kSecondsPerDay;
    const qint64 last = DateTime::toWholeSeconds(v.viewEnd);
    qint64 line
        = firstLineFrom(DateTime::toWholeSeconds(v.viewStart), days ? kFirstMonday : 0, step);
    QString previousDate;
    qint32 count = 0;
    for (; line <= last && count < kMostGridLines; line += step) {
        const double time = DateTime::fromWholeSeconds(line);
        // The window's edges may fall between whole seconds.
        if (time < v.viewStart - kEdgeTolerance || time > v.viewEnd + kEdgeTolerance)
            continue;
        const double x = xOf(time);
        placeLine(m_elements.timeGrid, count, x, 0.0, x, m_size.height(), PlotColour::Grid);
        PlotTick tick;
        tick.position = x;
        const QString date = m_formats.shortDate(time);
        if (days) {
            tick.text = date;
        } else {
            // Under a minute the seconds tell the lines apart.
            tick.text = step < 60 ? m_formats.longTime(time) : m_formats.shortTime(time);
            if (date != previousDate)
                tick.dateText = date;
            previousDate = date;
        }
        m_timeTicks.push_back(tick);
        ++count;
    }
    return count;
}

// Lines at whole multiples of the step in the display unit, labelled with just the decimals
// the step needs.
qint32 PlotModel::drawValueGrid()
{
    const PlotState &v = m_state;
    const double factor = DisplayUnits::factor(m_unit);
    const double low = v.viewMin * factor;
    const double high = v.viewMax * factor;
    if (!(high > low))
        return 0;
    const double step = GridSteps::valueStep(high - low, valuePixels(),
                                             m_tickLabelSize.height() * kValueLabelSpacing);
    if (!std::isfinite(step) || step <= 0.0)
        return 0;
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    // A line on an edge within rounding of the step still counts as inside.
    const double first = std::ceil(low / step - 1e-9);
    const double last = std::floor(high / step + 1e-9);
    qint32 count = 0;
    for (double k = first; k <= last && count < kMostGridLines; ++k) {
        const double shown = k == 0.0 ? 0.0 : k * step; // no "-0"
        const double y = yOf(shown / factor);
        placeLine(m_elements.valueGrid, count, 0.0, y, m_size.width(), y, PlotColour::Grid);
        m_valueTicks.push_back(
            PlotTick { y, m_formats.locale().toString(shown, 'f', decimals), QString() });
        ++count;
    }
    return count;
}
