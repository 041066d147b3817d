#include "GraphController.h"

#include "ErrorReport.h"
#include "GraphPicture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QScrollBar>

#include <stdexcept>

namespace {

const QString kModule = QStringLiteral("frmNeru");

template<typename Pointer> Pointer &required(Pointer *pointer, const char *name)
{
    if (!pointer)
        throw std::invalid_argument(std::string("GraphController: no control ") + name);
    return *pointer;
}

} // namespace

GraphController::GraphController(const Controls &controls, const Data &data, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_errorReport(data.errorReport)
    , m_hsbTime(required(controls.hsbTime, "hsbTime"))
    , m_vsbFlow(required(controls.vsbFlow, "vsbFlow"))
{
    GraphPicture &picture = required(controls.Picture1, "Picture1");
    for (QAbstractButton *button : { controls.cmdFlowZoomIn, controls.cmdFlowZoomOut,
                                     controls.cmdTimeZoomIn, controls.cmdTimeZoomOut })
        required(button, "zoom button");
    for (QLabel *label : { controls.lblFlowMax, controls.lblFlowMid, controls.lblFlowMin,
                           controls.lblTimeMin, controls.lblTimeMid, controls.lblTimeMax })
        required(label, "axis label");

    setDesignSettings(*controls.hsbTime);
    setDesignSettings(*controls.vsbFlow);
    m_graph = std::make_unique<GraphView>(
        GraphView::Links { data.series, data.settings, data.formats, data.strings, data.errorReport,
                           picture, m_hsbTime, m_vsbFlow, data.prompts });

    connect(&picture, &GraphPicture::mouseUp, this, &GraphController::Picture1_MouseUp);
    connect(&picture, &GraphPicture::keyUp, this, &GraphController::Picture1_KeyUp);
    connect(controls.cmdFlowZoomIn, &QAbstractButton::clicked, this,
            &GraphController::cmdFlowZoomIn_Click);
    connect(controls.cmdFlowZoomOut, &QAbstractButton::clicked, this,
            &GraphController::cmdFlowZoomOut_Click);
    connect(controls.cmdTimeZoomIn, &QAbstractButton::clicked, this,
            &GraphController::cmdTimeZoomIn_Click);
    connect(controls.cmdTimeZoomOut, &QAbstractButton::clicked, this,
            &GraphController::cmdTimeZoomOut_Click);
    connect(controls.hsbTime, &QScrollBar::valueChanged, this, &GraphController::hsbTime_Change);
    connect(controls.vsbFlow, &QScrollBar::valueChanged, this, &GraphController::vsbFlow_Change);
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

template<typename Command> void GraphController::run(const char *procedure, Command command)
{
    try {
        command();
    } catch (...) {
        m_errorReport.errorReport(kModule, QString::fromLatin1(procedure));
    }
    refresh();
}

void GraphController::refresh()
{
    m_controls.Picture1->sync(m_graph->elements());
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

void GraphController::drawGraph()
{
    run("drawGraph", [this] { m_graph->drawGraph(); });
}

void GraphController::mnuViewReset_Click()
{
    run("mnuViewReset_Click", [this] { m_graph->mnuViewReset_Click(); });
}

void GraphController::Picture1_MouseUp(int button, int shift, double x, double y)
{
    run("Picture1_MouseUp", [=] { m_graph->Picture1_MouseUp(button, shift, x, y); });
}

void GraphController::Picture1_KeyUp(int keyCode, int shift)
{
    run("Picture1_KeyUp", [=] { m_graph->Picture1_KeyUp(keyCode, shift); });
}

void GraphController::cmdFlowZoomIn_Click()
{
    run("cmdFlowZoomIn_Click", [this] { m_graph->cmdFlowZoomIn_Click(); });
}

void GraphController::cmdFlowZoomOut_Click()
{
    run("cmdFlowZoomOut_Click", [this] { m_graph->cmdFlowZoomOut_Click(); });
}

void GraphController::cmdTimeZoomIn_Click()
{
    run("cmdTimeZoomIn_Click", [this] { m_graph->cmdTimeZoomIn_Click(); });
}

void GraphController::cmdTimeZoomOut_Click()
{
    run("cmdTimeZoomOut_Click", [this] { m_graph->cmdTimeZoomOut_Click(); });
}

// The bars' own changes while the graph sets them are no commands: nothing to show.
void GraphController::hsbTime_Change()
{
    if (m_graph->state().blnSettingScrollBars)
        return;
    run("hsbTime_Change", [this] { m_graph->hsbTime_Change(); });
}

void GraphController::vsbFlow_Change()
{
    if (m_graph->state().blnSettingScrollBars)
        return;
    run("vsbFlow_Change", [this] { m_graph->vsbFlow_Change(); });
}
