#include "Program.h"

#include "DownloadWindow.h"
#include "HelpWindow.h"
#include "LoggerSettingsDialog.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MainWindowGraph.h"
#include "NightFlowDialog.h"
#include "PlotController.h"
#include "PortDevices.h"
#include "ReportCommands.h"
#include "SaveDistrictDialog.h"
#include "SaveDistrictDialogPrompt.h"
#include "SplashWindow.h"
#include "StatisticsDialog.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QTimer>

#include <utility>

Program::Program(UserPrompts *prompts, std::function<void()> quit)
    : m_general(m_strings)
    , m_prompts(prompts ? *prompts : m_messageBoxes)
    , m_model(m_strings, m_errorReport, m_prompts)
    , m_quit(std::move(quit))
{
    m_splash = std::make_unique<SplashWindow>(m_strings, m_general, m_model.startUp(), m_prompts);
    m_splash->showMainWindow = [this] { showMainWindow(); };
}

Program::~Program() = default;

void Program::start(const QString &currentDir, const QString &dataFile)
{
    m_startFile = dataFile;
    m_splash->buildContents();
    m_splash->readSettings(currentDir);
    m_splash->show();
}

void Program::showMainWindow()
{
    if (!m_main) {
        m_main = std::make_unique<MainWindow>(m_strings, m_model);
        m_graph = std::make_unique<MainWindowGraph>(*m_main, m_model, m_strings, m_errorReport,
                                                    m_prompts);
        wireFiles(*m_main);
        wireView(*m_main);
        wireReports(*m_main);
        wireComms(*m_main);
        wireHelp(*m_main);
        m_main->initialise();
    }
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
    // As File > Open does once its dialog has returned.
    if (!m_startFile.isEmpty())
        openPath(std::exchange(m_startFile, QString()));
}

// Exit closes the window, which ends the program.
void Program::wireFiles(MainWindow &main)
{
    MainWindowActions &actions = main.actions();
    m_saveDistrict = std::make_unique<SaveDistrictDialog>(m_strings, m_general, m_prompts, &main);
    connect(actions.open(), &QAction::triggered, this, &Program::openFile);
    connect(&main, &MainWindow::recentFileChosen, this, &Program::openPath);
    connect(&main, &MainWindow::filesDropped, this, &Program::openDropped, Qt::QueuedConnection);
    connect(actions.exportCsv(), &QAction::triggered, &m_model, &NeruModel::exportCsv);
    connect(actions.exportCsvAs(), &QAction::triggered, &m_model, &NeruModel::exportCsvAs);
    connect(actions.exportGraph(), &QAction::triggered, m_graph.get(),
            &MainWindowGraph::exportGraph);
    connect(&main, &MainWindow::unloaded, this, &Program::mainWindowClosed);
}

// The statistics follow every new district and unit; View > Stats waits for the dialog.
// The night-flow dialog follows the model itself and stays open beside the main window.
void Program::wireView(MainWindow &main)
{
    MainWindowActions &actions = main.actions();
    m_stats = std::make_unique<StatisticsDialog>(m_strings, m_general, m_model, m_prompts, &main);
    connect(&m_model, &NeruModel::unitsChanged, m_stats.get(), &StatisticsDialog::showUnits);
    connect(actions.statistics(), &QAction::triggered, this, &Program::showStatistics);
    m_nightFlow = std::make_unique<NightFlowDialog>(m_strings, m_model, m_prompts, &main);
    connect(actions.nightFlow(), &QAction::triggered, this, &Program::showNightFlow);
    connect(actions.resetView(), &QAction::triggered, &m_graph->controller(),
            &PlotController::resetView);
    connect(actions.units(), &QActionGroup::triggered, this,
            [this](QAction *unit) { m_model.setUnitCode(MainWindowActions::code(unit)); });
}

// Copy Graph and Copy Text stay live during a Comms command; the Print entries wait, as
// their messages and dialogs would.
void Program::wireReports(MainWindow &main)
{
    MainWindowActions &actions = main.actions();
    m_reports = std::make_unique<ReportCommands>(main, m_model, m_prompts);
    connect(actions.copyText(), &QAction::triggered, m_reports.get(), &ReportCommands::copyText);
    connect(actions.printTable(), &QAction::triggered, m_reports.get(),
            &ReportCommands::printTable);
    connect(actions.copyGraph(), &QAction::triggered, m_reports.get(), &ReportCommands::copyGraph);
    connect(actions.printGraph(), &QAction::triggered, m_reports.get(),
            &ReportCommands::printGraph);
}

// One Comms command at a time: while one runs, the window holds back the commands that
// would get in its way. The download window follows the download and stops it.
void Program::wireComms(MainWindow &main)
{
    MainWindowActions &actions = main.actions();
    m_downloading = std::make_unique<DownloadWindow>(m_general, &main);
    m_model.attachLink();
    m_reprogram = std::make_unique<LoggerSettingsDialog>(m_general, m_model, m_prompts, &main);
    connect(&m_model, &NeruModel::statusMessage, &main, &MainWindow::setStatusText);
    connect(&m_model.link()->session(), &LoggerSession::progress, m_downloading.get(),
            &DownloadWindow::showProgress);
    connect(&m_model, &NeruModel::downloadEnded, m_downloading.get(), &QWidget::hide);
    connect(m_downloading.get(), &DownloadWindow::cancelRequested, &m_model,
            &NeruModel::requestStop);
    connect(&m_model, &NeruModel::stopRequested, m_downloading.get(),
            &DownloadWindow::showStopping);
    connect(&m_model, &NeruModel::loggerSettingsRead, m_reprogram.get(),
            &LoggerSettingsDialog::exec);
    connect(actions.interrogate(), &QAction::triggered, this, &Program::interrogate);
    connect(actions.setLoggerClock(), &QAction::triggered, &m_model, &NeruModel::setLoggerClock);
    connect(actions.loggerSettings(), &QAction::triggered, this, &Program::showLoggerSettings);
    connect(actions.choosePort(), &QAction::triggered, this, &Program::choosePort);
    connect(actions.ports(), &QActionGroup::triggered, this,
            [this](QAction *port) { m_model.setLoggerPort(MainWindowActions::code(port)); });
    // The settings file may have been edited since the entry was last shown.
    connect(actions.ports(), &QActionGroup::hovered, this, [this, &actions](QAction *port) {
        const qint16 number = MainWindowActions::code(port);
        actions.showPortDevice(number, m_model.link()->devices().devicePath(number));
    });
}

// The guide's window stays open beside the main window while the user works.
void Program::wireHelp(MainWindow &main)
{
    MainWindowActions &actions = main.actions();
    m_help = std::make_unique<HelpWindow>(&main);
    connect(actions.helpContents(), &QAction::triggered, m_help.get(), &HelpWindow::showContents);
    connect(actions.helpSearch(), &QAction::triggered, m_help.get(), &HelpWindow::showSearch);
    connect(actions.about(), &QAction::triggered, m_splash.get(), &SplashWindow::showAbout);
}

// Without samples there is nothing to show.
void Program::showStatistics()
{
    if (m_model.file().series().sampleCount > 0)
        m_stats->exec();
}

// Without samples there is nothing to analyse either.
void Program::showNightFlow()
{
    if (m_model.file().series().sampleCount <= 0)
        return;
    m_nightFlow->show();
    m_nightFlow->raise();
    m_nightFlow->activateWindow();
}

// One prompt per command: the names it proposes follow the files of this cut only.
void Program::openFile()
{
    SaveDistrictDialogPrompt prompt(*m_saveDistrict, m_prompts);
    m_model.openChosenFile(prompt);
}

void Program::openPath(const QString &path)
{
    SaveDistrictDialogPrompt prompt(*m_saveDistrict, m_prompts);
    m_model.openFile(path, prompt);
}

void Program::openDropped(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    openPath(paths.first());
    // After the opening, whose read-out would cover it.
    if (paths.size() > 1)
        m_main->setStatusText(
            QStringLiteral("%1 files were dropped; only the first, %2, was tried.")
                .arg(paths.size())
                .arg(QFileInfo(paths.first()).fileName()));
}

void Program::interrogate()
{
    m_model.interrogate(std::make_unique<SaveDistrictDialogPrompt>(*m_saveDistrict, m_prompts));
}

void Program::showLoggerSettings()
{
    m_model.readLoggerSettings();
}

// Window-modal on the event loop, not a nested one: the port is stored on OK.
void Program::choosePort()
{
    auto *dialog = new ChoosePortDialog(m_portLister, m_model.startUp().loggerPort, m_main.get());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        m_model.setPortDevice(dialog->chosenPort(), dialog->chosenDevice());
    });
    dialog->open();
}

void Program::mainWindowClosed()
{
    // Hidden windows do not keep the program alive, nor does the splash of an About.
    m_splash->handOverTimer->stop();
    m_splash->hide();
    if (!m_quit)
        return;
    // A download ends after the block in progress and keeps what came.
    if (m_model.isBusy()) {
        m_model.requestStop();
        connect(
            &m_model, &NeruModel::busyChanged, this,
            [this](bool busy) {
                if (!busy)
                    m_quit();
            },
            Qt::SingleShotConnection);
        return;
    }
    m_quit();
}
