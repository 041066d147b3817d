#include "MainWindowGraph.h"

#include "ErrorReport.h"
#include "PlotController.h"
#include "PlotWidget.h"
#include "NeruModel.h"
#include "frmNeru.h"

#include <QToolButton>

MainWindowGraph::MainWindowGraph(frmNeru &main, NeruModel &model, const StringTable &strings,
                                 ErrorReport &errorReport, UserPrompts &prompts)
    : m_main(main)
    , m_model(model)
    , m_errorReport(errorReport)
{
    auto *picture = new GraphPicture; // the window takes it over
    m_main.setPicture1(picture);

    GraphController::Controls c;
    c.Picture1 = picture;
    c.hsbTime = m_main.hsbTime;
    c.vsbFlow = m_main.vsbFlow;
    c.cmdFlowZoomIn = m_main.cmdFlowZoomIn;
    c.cmdFlowZoomOut = m_main.cmdFlowZoomOut;
    c.cmdTimeZoomIn = m_main.cmdTimeZoomIn;
    c.cmdTimeZoomOut = m_main.cmdTimeZoomOut;
    c.lblFlowMax = m_main.lblFlowMax;
    c.lblFlowMid = m_main.lblFlowMid;
    c.lblFlowMin = m_main.lblFlowMin;
    c.lblTimeMin = m_main.lblTimeMin;
    c.lblTimeMid = m_main.lblTimeMid;
    c.lblTimeMax = m_main.lblTimeMax;
    c.showStatus = [this](const QString &text) { m_main.setStatusText(text); };
    const FileProcessing &file = m_model.file();
    m_controller = std::make_unique<GraphController>(
        c,
        GraphController::Data { file.series(), file.settings(), m_formats, strings, errorReport,
                                prompts });
    // The unit comes before the unit's captions, whose change resets the view.
    m_controller->setUnit(m_model.unit());
    connect(&m_model, &NeruModel::unitChanged, m_controller.get(), &GraphController::setUnit);
    // Blank, as the window is created.
    m_controller->ResetForm();

    connect(&m_main, &frmNeru::plotResized, m_controller.get(), &GraphController::resizePlot);
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
