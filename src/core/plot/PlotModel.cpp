#include "PlotModel.h"

#include "Checked.h"
#include "ErrorReport.h"
#include "SampleSeries.h"
#include "StringTable.h"

#include <algorithm>

namespace {

const QString kModule = QStringLiteral("frmNeru");

// Where parked elements lie: wholly left of the plot, still visible.
constexpr double kParked = -10.0;

// The value 0 of a full view stands this many grid steps (3 1/3 pixels) above the
// plot's bottom edge.
constexpr double kBottomMarginSteps = 50.0;

} // namespace

GraphView::GraphView(const Links &links, const QSizeF &size)
    : m_series(links.series)
    , m_settings(links.settings)
    , m_formats(links.formats)
    , m_errorReport(links.errorReport)
    , m_prompts(links.prompts)
    , m_size(size)
    , m_strFlow(links.strings.text(40000))
    , m_strPress(links.strings.text(40050))
    , m_strMagnificationLimit(links.strings.text(40100))
    , m_strFitting(links.strings.text(40110))
    , m_strStep(links.strings.text(40120))
    , m_strNotAvailable(links.strings.text(40130))
{
    ResetForm();
    m_state.lngBarCount = m_elements.LinBar.count();
    m_state.lngRefCount = m_elements.linRef.count();
    for (qint32 i = 1; i < PlotElements::kGridLines; ++i) {
        m_elements.linXGrid.load(i);
        m_elements.LinYGrid.load(i);
    }
}

double GraphView::onGrid(double steps)
{
    return Checked::toInt32(steps) / kGridStepsPerPixel;
}

double GraphView::xOf(double time) const
{
    const double steps = m_size.width() * kGridStepsPerPixel;
    return onGrid(Checked::divide((time - m_state.dteViewStart) * steps,
                                  m_state.dteViewEnd - m_state.dteViewStart));
}

double GraphView::yOf(double value) const
{
    const double steps = m_size.height() * kGridStepsPerPixel - kBottomMarginSteps;
    return onGrid(Checked::divide(steps * (m_state.dblViewMax - value),
                                  m_state.dblViewMax - m_state.dblViewMin));
}

double GraphView::timeAt(double x) const
{
    const GraphViewState &v = m_state;
    return Checked::divide((v.dteViewEnd - v.dteViewStart) * x, m_size.width()) + v.dteViewStart;
}

void GraphView::setScrollBars()
{
    GraphViewState &v = m_state;
    try {
        setScrollRange(v.timeScroll, v.dteViewEnd - v.dteViewStart, v.dteFullEnd - v.dteFullStart,
                       v.dteViewStart - v.dteFullStart);
        // The value bar counts downwards from the top of the full range.
        setScrollRange(v.valueScroll, v.dblViewMax - v.dblViewMin, v.dblFullMax - v.dblFullMin,
                       v.dblFullMax - v.dblViewMax);
    } catch (...) {
        report("setScrollBars");
    }
}

// Field by field, so that a failure leaves what was set before it, as a bar would.
void GraphView::setScrollRange(ScrollRange &range, double visibleSpan, double fullSpan,
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

void GraphView::ResetForm()
{
    m_labels = GraphAxisLabels();
    PlotElements &e = m_elements;
    e.LinBar.set(0, &PlotLine::x1, kParked);
    e.LinBar.set(0, &PlotLine::x2, kParked);
    e.linRef.set(0, &PlotLine::x1, kParked);
    e.linRef.set(0, &PlotLine::x2, kParked);
    e.lblRef.set(0, &PlotCaption::left, -e.lblRef[0].width);
    e.shpRef.set(0, &PlotShape::left, -e.shpRef[0].width);
    for (ElementArray<PlotLine> *lines : { &e.linCursor, &e.linXGrid, &e.LinYGrid }) {
        lines->set(0, &PlotLine::x1, kParked);
        lines->set(0, &PlotLine::x2, kParked);
    }
}

void GraphView::prepareCurveElements()
{
    PlotElements &e = m_elements;
    for (qint32 i = 0; i < m_state.lngBarCount; ++i)
        e.LinBar.setVisible(i, false);
    // The captions and dots go with the next draw of the markers.
    for (qint32 i = 0; i < m_state.lngRefCount; ++i)
        e.linRef.setVisible(i, false);
    const qint64 needed = 2 * static_cast<qint64>(m_series.lngNumSamples) - 1;
    if (m_state.lngBarCount < needed) {
        e.LinBar.reserve(static_cast<qint32>(needed));
        for (qint32 i = m_state.lngBarCount; i < needed; ++i) {
            e.LinBar.load(i);
            m_state.lngBarCount = i + 1;
        }
    }
}

double GraphView::sampleTime(qint32 i) const
{
    return checkedAt(m_series.dteTime, i);
}

double GraphView::sampleValue(qint32 i) const
{
    return checkedAt(m_series.dblValue, i);
}

bool GraphView::sampleIsGap(qint32 i) const
{
    return checkedAt(m_series.blnGap, i) != 0;
}

void GraphView::report(const char *procedure) noexcept
{
    m_errorReport.errorReport(kModule, QString::fromLatin1(procedure));
}
