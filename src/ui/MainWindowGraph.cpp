#include "MainWindowGraph.h"

#include "ErrorReport.h"
#include "GraphController.h"
#include "GraphPicture.h"
#include "MainWindow.h"
#include "NeruModel.h"

MainWindowGraph::MainWindowGraph(MainWindow &main, NeruModel &model, const StringTable &strings,
                                 ErrorReport &errorReport, UserPrompts &prompts)
    : m_main(main)
    , m_model(model)
    , m_errorReport(errorReport)
{
    const GraphController::Controls controls = m_main.attachGraph(new GraphPicture);
    const District &district = m_model.file();
    m_controller = std::make_unique<GraphController>(
        controls,
        GraphController::Data { district.series(), district.settings(), m_model.intUnits(),
                                m_model.dblFlowScaleFactor(), m_formats, strings, errorReport,
                                prompts });
    // Blank, as the window is created.
    m_controller->ResetForm();

    connect(&m_main, &MainWindow::plotResized, m_controller.get(), &GraphController::drawGraph);
    connect(&m_model, &NeruModel::districtChanged, this, &MainWindowGraph::initialiseGraph);
    // A unit applied returns to the full view, redrawn with its factor, once the window has
    // laid out its caption.
    connect(&m_model, &NeruModel::unitsChanged, this, [this](const Units::Change &change) {
        if (change.applied)
            m_controller->mnuViewReset_Click();
    });
}

MainWindowGraph::~MainWindowGraph() = default;

void MainWindowGraph::initialiseGraph()
{
    // A slot may not throw back into the model's signal.
    try {
        m_controller->prepareCurveElements();
    } catch (...) {
        m_errorReport.errorReport(QStringLiteral("frmNeru"), QStringLiteral("initialiseGraph"));
    }
}
