#include "Program.h"

#include "GraphController.h"
#include "MainWindowGraph.h"
#include "frmNeru.h"
#include "frmSplash.h"

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
        wireHelp(*m_main);
        m_main->Form_Load();
    }
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
    // As File > Open does once its dialog has returned.
    if (!m_startFile.isEmpty())
        m_model.openDataFile(std::exchange(m_startFile, QString()));
}

// Exit closes the window, which ends the program.
void Program::wireFiles(frmNeru &main)
{
    connect(&main, &frmNeru::openRequested, &m_model, &NeruModel::mnuFileOpen_Click);
    connect(&main, &frmNeru::exportRequested, &m_model, &NeruModel::mnuFileExport_Click);
    main.setCommandEnabled(main.mnuFileOpen, true);
    main.setCommandEnabled(main.mnuFileExport, true);
    connect(&main, &frmNeru::unloaded, this, &Program::mainWindowClosed);
}

// View > Stats waits for the statistics dialog.
void Program::wireView(frmNeru &main)
{
    connect(&main, &frmNeru::viewResetRequested, &m_graph->controller(),
            &GraphController::mnuViewReset_Click);
    main.setCommandEnabled(main.mnuViewReset, true);
}

void Program::wireHelp(frmNeru &main)
{
    connect(&main, &frmNeru::aboutRequested, m_splash.get(), &frmSplash::showAbout);
}

void Program::mainWindowClosed()
{
    // Hidden windows do not keep the program alive, nor does the splash of an About.
    m_splash->tmrSplash->stop();
    m_splash->hide();
    if (m_quit)
        m_quit();
}
