#include "GraphView.h"

#include "Checked.h"
#include "ErrorReport.h"
#include "PlotExtent.h"
#include "SampleSeries.h"
#include "ScrollBarControl.h"
#include "StringTable.h"

namespace {

const QString kModule = QStringLiteral("frmNeru");

// Where parked elements lie: wholly left of the plot, still visible.
constexpr double kParked = -100.0;

} // namespace

GraphView::GraphView(const Links &links)
    : m_series(links.series)
    , m_settings(links.settings)
    , m_formats(links.formats)
    , m_errorReport(links.errorReport)
    , m_picture(links.picture)
    , m_hsbTime(links.hsbTime)
    , m_vsbFlow(links.vsbFlow)
    , m_prompts(links.prompts)
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

qint32 GraphView::xToPictureCoords(double t) const
{
    const double w = m_picture.plotWidth();
    const double x = Checked::divide((t - m_state.dteViewStart) * w,
                                     m_state.dteViewEnd - m_state.dteViewStart);
    return Checked::toInt32(x);
}

qint32 GraphView::yToPictureCoords(double v) const
{
    const double h = m_picture.plotHeight();
    const double y = Checked::divide((h - 50.0) * (m_state.dblViewMax - v),
                                     m_state.dblViewMax - m_state.dblViewMin);
    return Checked::toInt32(y);
}

void GraphView::setScrollBars()
{
    m_state.blnSettingScrollBars = true;
    try {
        setScrollBar(m_hsbTime, m_state.dteViewEnd - m_state.dteViewStart,
                     m_state.dteFullEnd - m_state.dteFullStart,
                     m_state.dteViewStart - m_state.dteFullStart);
        // The value bar counts downwards from the top of the full range.
        setScrollBar(m_vsbFlow, m_state.dblViewMax - m_state.dblViewMin,
                     m_state.dblFullMax - m_state.dblFullMin,
                     m_state.dblFullMax - m_state.dblViewMax);
    } catch (...) {
        report("setScrollBars");
    }
    m_state.blnSettingScrollBars = false;
}

void GraphView::setScrollBar(ScrollBarControl &bar, double visibleSpan, double fullSpan,
                             double offset)
{
    if (!(fullSpan >= visibleSpan)) {
        bar.setMaximum(0);
        return;
    }
    const qint16 largeChange
        = Checked::toInt16(Checked::divide(visibleSpan * kScrollScale, fullSpan));
    // A bar takes a large step of 1 or more only; a window zoomed to less than
    // 1/20000 of the range gets here.
    if (largeChange < 1)
        throw RuntimeError(QStringLiteral("Invalid property value"));
    bar.setLargeChange(largeChange);
    bar.setMaximum(static_cast<qint32>(kScrollScale) - bar.largeChange());
    const qint32 position = Checked::toInt32(Checked::divide(offset * kScrollScale, fullSpan));
    if (position < bar.minimum())
        bar.setValue(bar.minimum());
    else if (position > bar.maximum())
        bar.setValue(bar.maximum());
    else
        bar.setValue(position);
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
