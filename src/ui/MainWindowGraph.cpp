#include "MainWindowGraph.h"

#include "ApplicationName.h"
#include "ErrorReport.h"
#include "EventLogNames.h"
#include "GraphExportDialog.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "NeruModel.h"
#include "PlotController.h"
#include "PlotWidget.h"
#include "UserPrompts.h"

#include <QAction>
#include <QFileInfo>

MainWindowGraph::MainWindowGraph(MainWindow &main, NeruModel &model, const StringTable &strings,
                                 ErrorReport &errorReport, UserPrompts &prompts)
    : m_main(main)
    , m_model(model)
    , m_strings(strings)
    , m_errorReport(errorReport)
    , m_prompts(prompts)
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
    // The View check entries as the settings file left them, before the first drawing; the
    // entry, the model and the plot follow one another from then on.
    PlotModel &plot = m_controller->model();
    plot.setNightWindow(m_model.nightWindow());
    plot.setNightShading(m_model.nightShading());
    plot.setGrid(m_model.grid());
    plot.setFitValues(m_model.fitValues());
    const auto follow
        = [this](QAction *entry, bool on, void (NeruModel::*set)(bool),
                 void (NeruModel::*changed)(bool), void (PlotController::*show)(bool)) {
              entry->setChecked(on);
              connect(entry, &QAction::toggled, &m_model, set);
              connect(&m_model, changed, entry, &QAction::setChecked);
              connect(&m_model, changed, m_controller.get(), show);
          };
    const MainWindowActions &actions = m_main.actions();
    follow(actions.nightShading(), m_model.nightShading(), &NeruModel::setNightShading,
           &NeruModel::nightShadingChanged, &PlotController::showNightShading);
    follow(actions.grid(), m_model.grid(), &NeruModel::setGrid, &NeruModel::gridChanged,
           &PlotController::showGrid);
    follow(actions.fitValues(), m_model.fitValues(), &NeruModel::setFitValues,
           &NeruModel::fitValuesChanged, &PlotController::fitValues);
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

QString MainWindowGraph::proposedGraphName() const
{
    const QString data = QFileInfo(m_model.file().image().path()).completeBaseName();
    return m_model.startUp().defaultFolder
        + (data.isEmpty() ? QStringLiteral("graph") : data + QStringLiteral("-graph"))
        + QStringLiteral(".png");
}

void MainWindowGraph::exportGraph()
{
    if (m_model.file().series().sampleCount <= 0) {
        m_prompts.message(QStringLiteral("There are no readings to draw."),
                          ApplicationName::title());
        return;
    }
    // A name typed without an extension is a picture, as proposed.
    const QString path = m_prompts.saveFileNameWithExtension(
        proposedGraphName(),
        QStringLiteral("PNG picture (*.png);;SVG drawing (*.svg);;PDF document (*.pdf)"),
        QStringLiteral("png"));
    if (path.isEmpty())
        return;
    const std::optional<GraphExport::Format> format = GraphExport::formatOf(path);
    if (!format) {
        m_prompts.message(GraphExport::formatRefusal(path), ApplicationName::title());
        return;
    }
    // Window-modal on the event loop, not a nested one: the figure is written on OK.
    auto *dialog = new GraphExportDialog(*format, QFileInfo(path).fileName(), &m_main);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this,
            [this, dialog, path, format] { writeGraph(path, *format, dialog->figureSize()); });
    dialog->open();
}

void MainWindowGraph::writeGraph(const QString &path, GraphExport::Format format,
                                 const QSizeF &size)
{
    const DistrictImage::HeaderTexts texts = m_model.file().image().headerTexts();
    const GraphExport::Figure figure {
        GraphExport::heading(texts.district, texts.title, texts.comments1, texts.comments2),
        Units::changeTo(m_model.unit(), m_strings).valueAxisCaption
    };
    QString failure;
    if (!GraphExport::save(path, format, size, m_controller->model(), figure, failure)) {
        m_prompts.message(failure, ApplicationName::title());
        return;
    }
    m_main.setStatusText(QStringLiteral("Graph written to ") + path);
}
