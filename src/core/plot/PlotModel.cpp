#include "PlotModel.h"

#include "Checked.h"
#include "ErrorReport.h"
#include "EventLogNames.h"
#include "SampleSeries.h"
#include "StepFunction.h"
#include "StringTable.h"

#include <algorithm>

namespace {

// Where parked elements lie: wholly left of the plot, still visible.
constexpr double kParked = -10.0;

// The value 0 of a full view stands this many grid steps (3 1/3 pixels) above the
// plot's bottom edge.
constexpr double kBottomMarginSteps = 50.0;

} // namespace

PlotModel::PlotModel(const Links &links, const QSizeF &size)
    : m_series(links.series)
    , m_settings(links.settings)
    , m_formats(links.formats)
    , m_errorReport(links.errorReport)
    , m_prompts(links.prompts)
    , m_size(size)
    , m_flowText(links.strings.text(40000))
    , m_pressureText(links.strings.text(40050))
    , m_magnificationLimitText(links.strings.text(40100))
    , m_fittingText(links.strings.text(40110))
    , m_stepText(links.strings.text(40120))
    , m_notAvailableText(links.strings.text(40130))
{
    for (DisplayUnit unit : DisplayUnits::kAll)
        m_unitTexts[static_cast<size_t>(DisplayUnits::code(unit))]
            = links.strings.text(DisplayUnits::unitTextId(unit));
    clear();
    m_state.curveCount = m_elements.curve.count();
    m_state.markerCount = m_elements.markerLines.count();
    for (qint32 i = 1; i < PlotElements::kGridLines; ++i) {
        m_elements.timeGrid.load(i);
        m_elements.valueGrid.load(i);
    }
}

double PlotModel::onGrid(double steps)
{
    return Checked::toInt32(steps) / kGridStepsPerPixel;
}

double PlotModel::xOf(double time) const
{
    const double steps = m_size.width() * kGridStepsPerPixel;
    return onGrid(
        Checked::divide((time - m_state.viewStart) * steps, m_state.viewEnd - m_state.viewStart));
}

double PlotModel::yOf(double value) const
{
    const double steps = m_size.height() * kGridStepsPerPixel - kBottomMarginSteps;
    return onGrid(
        Checked::divide(steps * (m_state.viewMax - value), m_state.viewMax - m_state.viewMin));
}

double PlotModel::timeAt(double x) const
{
    const PlotState &v = m_state;
    return Checked::divide((v.viewEnd - v.viewStart) * x, m_size.width()) + v.viewStart;
}

double PlotModel::valueAt(double y) const
{
    const PlotState &v = m_state;
    return v.viewMax - Checked::divide((v.viewMax - v.viewMin) * y, valuePixels());
}

double PlotModel::valuePixels() const
{
    return m_size.height() - kBottomMarginSteps / kGridStepsPerPixel;
}

const QString &PlotModel::unitText() const
{
    const qint16 code = DisplayUnits::code(m_unit);
    return m_unitTexts[static_cast<size_t>(
        std::clamp<qint16>(code, 0, qint16(m_unitTexts.size() - 1)))];
}

void PlotModel::updateScrollRanges()
{
    PlotState &v = m_state;
    try {
        setScrollRange(v.timeScroll, v.viewEnd - v.viewStart, v.fullEnd - v.fullStart,
                       v.viewStart - v.fullStart);
        // The value bar counts downwards from the top of the full range.
        setScrollRange(v.valueScroll, v.viewMax - v.viewMin, v.fullMax - v.fullMin,
                       v.fullMax - v.viewMax);
    } catch (...) {
        report(EventLogNames::kSetScrollBars);
    }
}

// Field by field, so that a failure leaves what was set before it, as a bar would.
void PlotModel::setScrollRange(ScrollRange &range, double visibleSpan, double fullSpan,
                               double offset)
{
    if (!(fullSpan >= visibleSpan)) {
        range.maximum = 0;
        range.position = 0;
        return;
    }
    const qint16 pageStep = Checked::toInt16(Checked::divide(visibleSpan * kScrollScale, fullSpan));
    // A bar takes a page step of 1 or more only; a window zoomed to less than
    // 1/20000 of the range gets here.
    if (pageStep < 1)
        throw RuntimeError(QStringLiteral("Invalid property value"));
    range.pageStep = pageStep;
    range.maximum = static_cast<qint32>(kScrollScale) - pageStep;
    range.position = std::min(range.position, range.maximum);
    const qint32 position = Checked::toInt32(Checked::divide(offset * kScrollScale, fullSpan));
    range.position = std::clamp(position, 0, range.maximum);
}

void PlotModel::clear()
{
    m_labels = PlotAxisLabels();
    m_timeTicks.clear();
    m_valueTicks.clear();
    m_steps.reset();
    m_state.secondCursorShown = false;
    PlotElements &e = m_elements;
    e.secondCursorLine.setVisible(0, false);
    e.curve.set(0, &PlotLine::x1, kParked);
    e.curve.set(0, &PlotLine::x2, kParked);
    e.markerLines.set(0, &PlotLine::x1, kParked);
    e.markerLines.set(0, &PlotLine::x2, kParked);
    e.markerCaptions.set(0, &PlotCaption::left, -e.markerCaptions[0].width);
    e.markerDots.set(0, &PlotShape::left, -e.markerDots[0].width);
    for (ElementArray<PlotLine> *lines : { &e.cursorLine, &e.timeGrid, &e.valueGrid }) {
        lines->set(0, &PlotLine::x1, kParked);
        lines->set(0, &PlotLine::x2, kParked);
    }
}

void PlotModel::prepareCurveElements()
{
    PlotElements &e = m_elements;
    for (qint32 i = 0; i < m_state.curveCount; ++i)
        e.curve.setVisible(i, false);
    // The captions and dots go with the next draw of the markers.
    for (qint32 i = 0; i < m_state.markerCount; ++i)
        e.markerLines.setVisible(i, false);
    for (qint32 i = 0; i < e.nightShades.count(); ++i)
        e.nightShades.setVisible(i, false);
    // Cursor B and the steps belong to the previous series.
    m_steps.reset();
    m_state.secondCursorShown = false;
    e.secondCursorLine.setVisible(0, false);
    const qint64 needed = 2 * static_cast<qint64>(m_series.sampleCount) - 1;
    if (m_state.curveCount < needed) {
        e.curve.reserve(static_cast<qint32>(needed));
        for (qint32 i = m_state.curveCount; i < needed; ++i) {
            e.curve.load(i);
            m_state.curveCount = i + 1;
        }
    }
}

double PlotModel::sampleTime(qint32 i) const
{
    return checkedAt(m_series.times, i);
}

double PlotModel::sampleValue(qint32 i) const
{
    return checkedAt(m_series.values, i);
}

bool PlotModel::sampleIsGap(qint32 i) const
{
    return checkedAt(m_series.gapMarkers, i) != 0;
}

void PlotModel::report(const QString &procedure) noexcept
{
    m_errorReport.errorReport(EventLogNames::kMainWindow, procedure);
}
