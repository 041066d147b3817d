#include "Program.h"

#include "MainWindowGraph.h"
#include "frmNeru.h"
#include "frmSplash.h"

#include <QTimer>

#include <utility>

Program::Program(UserPrompts *prompts, std::function<void()> quit)
    : m_general(m_strings)
    , m_file(m_errorReport)
    , m_prompts(prompts ? *prompts : m_messageBoxes)
    , m_quit(std::move(quit))
{
    m_splash = std::make_unique<frmSplash>(m_strings, m_general, m_startUp, m_prompts);
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
        m_main = std::make_unique<frmNeru>(m_strings, m_general, m_startUp, m_file, m_errorReport);
        wire(*m_main);
        if (mainWindowCreated)
            mainWindowCreated(*m_main);
        m_main->Form_Load();
    }
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
    if (!m_startFile.isEmpty() && m_main->hooks.openDataFile) {
        const QString path = std::exchange(m_startFile, QString());
        m_main->hooks.openDataFile(path);
    }
}

void Program::wire(frmNeru &main)
{
    main.hooks.showAbout = [this] { showAbout(); };
    main.hooks.unloaded = [this] { mainWindowClosed(); };
    m_graph = std::make_unique<MainWindowGraph>(main, m_file, m_startUp, m_strings, m_errorReport,
                                                m_prompts);
}

void Program::showAbout()
{
    m_splash->showAbout();
}

void Program::mainWindowClosed()
{
    // Hidden windows do not keep the program alive, nor does the splash of an About.
    m_splash->tmrSplash->stop();
    m_splash->hide();
    if (m_quit)
        m_quit();
}
