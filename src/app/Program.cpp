#include "Program.h"

#include "GraphController.h"
#include "MainWindowGraph.h"
#include "PortDevices.h"
#include "ReportCommands.h"
#include "SaveDistrictDialogPrompt.h"
#include "frmDownloading.h"
#include "frmHelp.h"
#include "frmNeru.h"
#include "frmReprogram.h"
#include "frmSaveDistrict.h"
#include "frmSplash.h"
#include "frmStats.h"

#include <QMenu>
#include <QTimer>

#include <utility>

Program::Program(UserPrompts *prompts, std::function<void()> quit)
    : m_general(m_strings)
    , m_prompts(prompts ? *prompts : m_messageBoxes)
    , m_model(m_strings, m_errorReport, m_prompts)
    , m_quit(std::move(quit))
{
    m_splash = std::make_unique<frmSplash>(m_strings, m_general, m_model.startUp(), m_prompts);
    m_splash->showMainWindow = [this] { showMainWindow(); };
}

Program::~Program() = default;

void Program::start(const QString &currentDir, const QString &dataFile)
{
    m_startFile = dataFile;
    m_splash->Form_Load();
    m_splash->readSettings(currentDir);
    m_splash->show();
}

void Program::showMainWindow()
{
    if (!m_main) {
        m_main = std::make_unique<frmNeru>(m_strings, m_general, m_model);
        m_graph = std::make_unique<MainWindowGraph>(*m_main, m_model, m_strings, m_errorReport,
                                                    m_prompts);
        wireFiles(*m_main);
        wireView(*m_main);
        wireReports(*m_main);
        wireComms(*m_main);
        wireHelp(*m_main);
        m_main->Form_Load();
    }
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
    // As File > Open does once its dialog has returned.
    if (!m_startFile.isEmpty()) {
        SaveDistrictDialogPrompt prompt(*m_saveDistrict, m_prompts);
        m_model.openFile(std::exchange(m_startFile, QString()), prompt);
    }
}

// Exit closes the window, which ends the program.
void Program::wireFiles(frmNeru &main)
{
    connect(&main, &frmNeru::openRequested, this, &Program::fileOpen);
    connect(&main, &frmNeru::exportRequested, &m_model, &NeruModel::mnuFileExport_Click);
    main.setCommandEnabled(main.mnuFileOpen, true);
    main.setCommandEnabled(main.mnuFileExport, true);
    m_saveDistrict = std::make_unique<frmSaveDistrict>(m_strings, m_general, m_prompts, &main);
    connect(&main, &frmNeru::unloaded, this, &Program::mainWindowClosed);
}

// The statistics follow every new district and unit; View > Stats waits for the dialog.
void Program::wireView(frmNeru &main)
{
    m_stats = std::make_unique<frmStats>(m_strings, m_general, m_model, m_prompts, &main);
    connect(&m_model, &NeruModel::unitsChanged, m_stats.get(), &frmStats::showUnits);
    connect(&main, &frmNeru::statsRequested, m_stats.get(), &frmStats::exec);
    main.setCommandEnabled(main.mnuViewStats, true);
    connect(&main, &frmNeru::viewResetRequested, &m_graph->controller(),
            &GraphController::mnuViewReset_Click);
    main.setCommandEnabled(main.mnuViewReset, true);
}

// Copy Graph and Copy Text stay live during a Comms command; the Print entries wait, as
// their messages and dialogs would.
void Program::wireReports(frmNeru &main)
{
    m_reports = std::make_unique<ReportCommands>(main, *m_stats, m_model, m_prompts);
    connect(&main, &frmNeru::copyTextRequested, m_reports.get(),
            &ReportCommands::mnuEditCopyText_Click);
    connect(&main, &frmNeru::printTableRequested, m_reports.get(),
            &ReportCommands::mnuFilePrintTable_Click);
    connect(&main, &frmNeru::copyGraphRequested, m_reports.get(),
            &ReportCommands::mnuEditCopyGraph_Click);
    connect(&main, &frmNeru::printGraphRequested, m_reports.get(),
            &ReportCommands::mnuFilePrintGraph_Click);
    for (QAction *entry : { main.mnuEditCopyText, main.mnuEditCopyGraph, main.mnuFilePrintTable,
                            main.mnuFilePrintGraph })
        main.setCommandEnabled(entry, true);
}

// One Comms command at a time: while one runs, the window holds back the commands that
// would get in its way. The download window follows the download and stops it.
void Program::wireComms(frmNeru &main)
{
    m_downloading = std::make_unique<frmDownloading>(m_general, &main);
    m_model.attachLink();
    m_reprogram = std::make_unique<frmReprogram>(m_general, m_model, m_prompts, &main);
    connect(&m_model, &NeruModel::statusMessage, &main, &frmNeru::setStatusText);
    connect(&m_model.link()->session(), &LoggerSession::progress, m_downloading.get(),
            &frmDownloading::showProgress);
    connect(&m_model, &NeruModel::downloadEnded, m_downloading.get(), &QWidget::hide);
    connect(m_downloading.get(), &frmDownloading::cancelRequested, &m_model,
            &NeruModel::requestStop);
    connect(&m_model, &NeruModel::stopRequested, m_downloading.get(),
            &frmDownloading::showStopping);
    connect(&m_model, &NeruModel::loggerSettingsRead, m_reprogram.get(), &frmReprogram::exec);
    connect(&main, &frmNeru::interrogateRequested, this, &Program::interrogate);
    connect(&main, &frmNeru::programRTCRequested, &m_model,
            &NeruModel::mnuToolsCommsProgramRTC_Click);
    connect(&main, &frmNeru::reprogramNERURequested, this, &Program::reprogramNERU);
    for (QAction *entry : { main.mnuToolsCommsInterrogate, main.mnuToolsCommsProgramRTC,
                            main.mnuToolsCommsReprogramNERU })
        main.setCommandEnabled(entry, true);
    // The settings file may have been edited since the menu was last open.
    const auto showDevices = [this, &main] {
        QStringList devices;
        for (qint16 port = PortDevices::kFirstPort; port <= PortDevices::kLastPort; ++port)
            devices.append(m_model.link()->devices().devicePath(port));
        main.showPortDevices(devices);
    };
    showDevices();
    connect(main.mnuToolsCommsMenu, &QMenu::aboutToShow, this, showDevices);
}

// The guide's window stays open beside the main window while the user works.
void Program::wireHelp(frmNeru &main)
{
    m_help = std::make_unique<frmHelp>(&main);
    connect(&main, &frmNeru::helpContentsRequested, m_help.get(), &frmHelp::showContents);
    connect(&main, &frmNeru::helpSearchRequested, m_help.get(), &frmHelp::showSearch);
    main.setCommandEnabled(main.mnuHelpContents, true);
    main.setCommandEnabled(main.mnuHelpSearch, true);
    connect(&main, &frmNeru::aboutRequested, m_splash.get(), &frmSplash::showAbout);
}

// One prompt per command: the names it proposes follow the files of this cut only.
void Program::fileOpen()
{
    SaveDistrictDialogPrompt prompt(*m_saveDistrict, m_prompts);
    m_model.mnuFileOpen_Click(prompt);
}

void Program::interrogate()
{
    m_model.mnuToolsCommsInterrogate_Click(
        std::make_unique<SaveDistrictDialogPrompt>(*m_saveDistrict, m_prompts));
}

void Program::reprogramNERU()
{
    m_model.readLoggerSettings();
}

void Program::mainWindowClosed()
{
    // Hidden windows do not keep the program alive, nor does the splash of an About.
    m_splash->tmrSplash->stop();
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
