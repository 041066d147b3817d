#include "Program.h"

#include "frmNeru.h"
#include "frmSplash.h"

#include <QTimer>

Program::Program(UserPrompts *prompts, std::function<void()> quit)
    : m_general(m_strings), m_file(m_errorReport),
      m_prompts(prompts ? *prompts : m_messageBoxes), m_quit(std::move(quit))
{
    m_splash = std::make_unique<frmSplash>(m_strings, m_general, m_startUp, m_prompts);
    m_splash->showMainWindow = [this] { showMainWindow(); };
}

Program::~Program() = default;

void Program::start(const QString &currentDir)
{
    m_splash->Form_Load();
    m_splash->readSettings(currentDir);
    m_splash->show();
}

void Program::showMainWindow()
{
    if (!m_main) {
        m_main = std::make_unique<frmNeru>(m_strings, m_general, m_startUp, m_file,
                                           m_errorReport);
        m_main->hooks.showAbout = [this] { showAbout(); };
        m_main->hooks.unloaded = [this] { mainWindowClosed(); };
        m_main->Form_Load();
    }
    m_main->show();
    m_main->raise();
    m_main->activateWindow();
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
