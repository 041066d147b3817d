#include "PlotController.h"

#include "ErrorReport.h"
#include "PlotWidget.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

#include <stdexcept>

namespace {

const QString kModule = QStringLiteral("frmNeru");

template<typename Pointer> Pointer &required(Pointer *pointer, const char *name)
{
    if (!pointer)
        throw std::invalid_argument(std::string("GraphController: no control ") + name);
    return *pointer;
}

// The bar shows the range as the graph left it; that is no move of the user's.
void showRange(QScrollBar &bar, const ScrollRange &range)
{
    const QSignalBlocker quiet(bar);
    bar.setPageStep(range.pageStep);
    bar.setMaximum(range.maximum);
    bar.setValue(range.position);
}

} // namespace

GraphController::GraphController(const Controls &controls, const Data &data, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_errorReport(data.errorReport)
{
    GraphPicture &picture = required(controls.Picture1, "Picture1");
    required(controls.hsbTime, "hsbTime");
    required(controls.vsbFlow, "vsbFlow");
    for (QAbstractButton *button : { controls.cmdFlowZoomIn, controls.cmdFlowZoomOut,
                                     controls.cmdTimeZoomIn, controls.cmdTimeZoomOut })
        required(button, "zoom button");
    for (QLabel *label : { controls.lblFlowMax, controls.lblFlowMid, controls.lblFlowMin,
                           controls.lblTimeMin, controls.lblTimeMid, controls.lblTimeMax })
        required(label, "axis label");

    setDesignSettings(*controls.hsbTime);
    setDesignSettings(*controls.vsbFlow);
    m_graph = std::make_unique<GraphView>(GraphView::Links { data.series, data.settings,
                                                             data.formats, data.strings,
                                                             data.errorReport, data.prompts },
                                          QSizeF(picture.size()));

    connect(&picture, &GraphPicture::cursorPlaced, this, &GraphController::placeCursorAt);
    connect(&picture, &GraphPicture::cursorStepped, this, &GraphController::stepCursor);
    connect(controls.cmdFlowZoomIn, &QAbstractButton::clicked, this, &GraphController::zoomValueIn);
    connect(controls.cmdFlowZoomOut, &QAbstractButton::clicked, this,
            &GraphController::zoomValueOut);
    connect(controls.cmdTimeZoomIn, &QAbstractButton::clicked, this, &GraphController::zoomTimeIn);
    connect(controls.cmdTimeZoomOut, &QAbstractButton::clicked, this,
            &GraphController::zoomTimeOut);
    connect(controls.hsbTime, &QScrollBar::valueChanged, this, &GraphController::scrollTimeTo);
    connect(controls.vsbFlow, &QScrollBar::valueChanged, this, &GraphController::scrollValueTo);
    refresh();
}

GraphController::~GraphController() = default;

// Before any data the thumb fills the trough and there is nothing to scroll. The value
// changes only on a click or when the thumb is let go, not while it is dragged.
void GraphController::setDesignSettings(QScrollBar &bar)
{
    bar.setMinimum(0);
    bar.setMaximum(0);
    bar.setSingleStep(1);
    bar.setPageStep(10000);
    bar.setValue(0);
    bar.setTracking(false);
}

template<typename Request> void GraphController::run(const char *procedure, Request request)
{
    try {
        request();
    } catch (...) {
        m_errorReport.errorReport(kModule, QString::fromLatin1(procedure));
    }
    refresh();
}

void GraphController::refresh()
{
    m_controls.Picture1->sync(m_graph->elements());
    showRange(*m_controls.hsbTime, m_graph->state().timeScroll);
    showRange(*m_controls.vsbFlow, m_graph->state().valueScroll);
    const GraphAxisLabels &labels = m_graph->axisLabels();
    m_controls.lblFlowMax->setText(labels.lblFlowMax);
    m_controls.lblFlowMid->setText(labels.lblFlowMid);
    m_controls.lblFlowMin->setText(labels.lblFlowMin);
    m_controls.lblTimeMin->setText(labels.lblTimeMin);
    m_controls.lblTimeMid->setText(labels.lblTimeMid);
    m_controls.lblTimeMax->setText(labels.lblTimeMax);
    if (m_controls.showStatus)
        m_controls.showStatus(m_graph->statusText());
}

void GraphController::ResetForm()
{
    m_graph->ResetForm();
    refresh();
}

// No guard of its own: a failure here belongs to the command that loads the data.
void GraphController::prepareCurveElements()
{
    m_graph->prepareCurveElements();
    refresh();
}

// The names under which a failure is logged are those of the controls that made the
// request, as the event log has always written them.
void GraphController::resizePlot()
{
    run("drawGraph", [this] { m_graph->resize(QSizeF(m_controls.Picture1->size())); });
}

void GraphController::resetView()
{
    run("mnuViewReset_Click", [this] { m_graph->resetView(); });
}

void GraphController::placeCursorAt(double x)
{
    run("Picture1_MouseUp", [=] { m_graph->placeCursor(m_graph->timeAt(x)); });
}

void GraphController::stepCursor(int intervals)
{
    run("Picture1_KeyUp", [=] { m_graph->stepCursor(intervals); });
}

void GraphController::zoomValueIn()
{
    run("cmdFlowZoomIn_Click", [this] { m_graph->zoomValueIn(); });
}

void GraphController::zoomValueOut()
{
    run("cmdFlowZoomOut_Click", [this] { m_graph->zoomValueOut(); });
}

void GraphController::zoomTimeIn()
{
    run("cmdTimeZoomIn_Click", [this] { m_graph->zoomTimeIn(); });
}

void GraphController::zoomTimeOut()
{
    run("cmdTimeZoomOut_Click", [this] { m_graph->zoomTimeOut(); });
}

void GraphController::scrollTimeTo(int position)
{
    run("hsbTime_Change", [=] { m_graph->scrollTimeTo(position); });
}

void GraphController::scrollValueTo(int position)
{
    run("vsbFlow_Change", [=] { m_graph->scrollValueTo(position); });
}
