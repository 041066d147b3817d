#pragma once

#include "ErrorReport.h"
#include "FileProcessing.h"
#include "General.h"
#include "MessageBoxPrompts.h"
#include "StartUpSettings.h"
#include "StringTable.h"

#include <functional>
#include <memory>

class MainWindowGraph;
class frmNeru;
class frmSplash;

// The running program: owns the string table, the settings of the run, the data and the
// windows, and hands each window what it needs. Start-up goes through the splash
// window, which shows the main window; closing the main window ends the program.
class Program
{
public:
    // `prompts` answers the program's messages (message boxes when null); `quit` ends
    // the program (the application's event loop).
    Program(UserPrompts *prompts, std::function<void()> quit);
    ~Program();

    // Opens the splash window: it reads the settings and shows the port message. A
    // non-empty `dataFile` is opened once the main window is up.
    void start(const QString &currentDir, const QString &dataFile = QString());

    frmSplash &splash() { return *m_splash; }
    // Null until the splash has handed over.
    frmNeru *mainWindow() { return m_main.get(); }
    StartUpSettings &startUp() { return m_startUp; }
    FileProcessing &file() { return m_file; }
    const StringTable &strings() const { return m_strings; }

    // Called when the main window has been created and wired, before its Form_Load.
    std::function<void(frmNeru &)> mainWindowCreated;

private:
    void showMainWindow();
    // Connects the main window to the subsystems behind its commands, its graph and
    // its statistics dialog.
    void wire(frmNeru &main);
    void showAbout();
    void mainWindowClosed();

    StringTable m_strings;
    ErrorReport m_errorReport;
    const General m_general;
    StartUpSettings m_startUp;
    FileProcessing m_file;
    MessageBoxPrompts m_messageBoxes;
    UserPrompts &m_prompts;
    std::function<void()> m_quit;
    QString m_startFile;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<frmNeru> m_main;
    // The main window's graph; goes before the window it is wired to.
    std::unique_ptr<MainWindowGraph> m_graph;
};
