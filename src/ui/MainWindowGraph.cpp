#include "MainWindowGraph.h"

#include "ErrorReport.h"
#include "NeruModel.h"
#include "PlotController.h"
#include "PlotWidget.h"
#include "frmNeru.h"

#include <QToolButton>

MainWindowGraph::MainWindowGraph(frmNeru &main, NeruModel &model, const StringTable &strings,
                                 ErrorReport &errorReport, UserPrompts &prompts)
    : m_main(main)
    , m_model(model)
    , m_errorReport(errorReport)
{
    auto *plot = new PlotWidget; // the window takes it over
    m_main.setPicture1(plot);

    PlotController::Controls c;
    c.plot = plot;
    c.timeBar = m_main.hsbTime;
    c.valueBar = m_main.vsbFlow;
    c.zoomValueInButton = m_main.cmdFlowZoomIn;
    c.zoomValueOutButton = m_main.cmdFlowZoomOut;
    c.zoomTimeInButton = m_main.cmdTimeZoomIn;
    c.zoomTimeOutButton = m_main.cmdTimeZoomOut;
    c.valueTopLabel = m_main.lblFlowMax;
    c.valueMiddleLabel = m_main.lblFlowMid;
    c.valueBottomLabel = m_main.lblFlowMin;
    c.timeStartLabel = m_main.lblTimeMin;
    c.timeMiddleLabel = m_main.lblTimeMid;
    c.timeEndLabel = m_main.lblTimeMax;
    c.showStatus = [this](const QString &text) { m_main.setStatusText(text); };
    const FileProcessing &file = m_model.file();
    m_controller = std::make_unique<PlotController>(
        c,
        PlotController::Data { file.series(), file.settings(), m_formats, strings, errorReport,
                               prompts });
    // The unit comes before the unit's captions, whose change resets the view.
    m_controller->setUnit(m_model.unit());
    connect(&m_model, &NeruModel::unitChanged, m_controller.get(), &PlotController::setUnit);
    // Blank, as the window is created.
    m_controller->clear();

    connect(&m_main, &frmNeru::plotResized, m_controller.get(), &PlotController::resizePlot);
    connect(&m_model, &NeruModel::districtChanged, this, &MainWindowGraph::initialiseGraph);
}

MainWindowGraph::~MainWindowGraph() = default;

void MainWindowGraph::initialiseGraph()
{
    // A slot may not throw back into the model's signal.
    try {
        // A district that went into no file (its Save District dialog was closed) is unnamed.
        const QString file = m_model.file().strDataFile();
        m_main.setWindowTitle(m_model.texts().text(50030)
                              + (file.isEmpty() ? m_model.texts().text(50040) : file));
        m_controller->prepareCurveElements();
    } catch (...) {
        m_errorReport.errorReport(QStringLiteral("frmNeru"), QStringLiteral("initialiseGraph"));
    }
}
