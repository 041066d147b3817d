#include "MainWindowGraph.h"

#include "ErrorReport.h"
#include "EventLogNames.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "NeruModel.h"
#include "PlotController.h"
#include "PlotWidget.h"

#include <QAction>

MainWindowGraph::MainWindowGraph(MainWindow &main, NeruModel &model, const StringTable &strings,
                                 ErrorReport &errorReport, UserPrompts &prompts)
    : m_main(main)
    , m_model(model)
    , m_errorReport(errorReport)
{
    const PlotController::Controls controls = m_main.attachGraph(new PlotWidget);
    const District &district = m_model.file();
    m_controller = std::make_unique<PlotController>(
        controls,
        PlotController::Data { district.series(), district.settings(), m_formats, strings,
                               errorReport, prompts });
    // The unit comes before the unit's captions, whose change resets the view.
    m_controller->setUnit(m_model.unit());
    connect(&m_model, &NeruModel::unitChanged, m_controller.get(), &PlotController::setUnit);
    // Night shading as the settings file left it; the entry, the model and the plot follow one
    // another from then on.
    m_controller->model().setNightWindow(m_model.nightWindow());
    m_controller->model().setNightShading(m_model.nightShading());
    QAction *shading = m_main.actions().nightShading();
    shading->setChecked(m_model.nightShading());
    connect(shading, &QAction::toggled, &m_model, &NeruModel::setNightShading);
    connect(&m_model, &NeruModel::nightShadingChanged, shading, &QAction::setChecked);
    connect(&m_model, &NeruModel::nightShadingChanged, m_controller.get(),
            &PlotController::showNightShading);
    connect(&m_model, &NeruModel::nightWindowChanged, m_controller.get(),
            &PlotController::showNightWindow);
    // Blank, as the window is created.
    m_controller->clear();

    connect(&m_main, &MainWindow::plotResized, m_controller.get(), &PlotController::resizePlot);
    connect(&m_model, &NeruModel::districtChanged, this, &MainWindowGraph::initialiseGraph);
    // A unit applied returns to the full view, redrawn with its factor, once the window has
    // laid out its caption.
    connect(&m_model, &NeruModel::unitsChanged, this, [this](const Units::Change &change) {
        if (change.applied)
            m_controller->resetView();
    });
}

MainWindowGraph::~MainWindowGraph() = default;

void MainWindowGraph::initialiseGraph()
{
    // A slot may not throw back into the model's signal.
    try {
        m_controller->prepareCurveElements();
    } catch (...) {
        m_errorReport.errorReport(EventLogNames::kMainWindow, EventLogNames::kStartGraph);
    }
}
