#pragma once

#include "ChoosePortDialog.h"
#include "ErrorReport.h"
#include "General.h"
#include "MessageBoxPrompts.h"
#include "NeruModel.h"
#include "StringTable.h"

#include <QObject>

#include <functional>
#include <memory>
#include <utility>

class MainWindowGraph;
class ReportCommands;
class DownloadWindow;
class HelpWindow;
class MainWindow;
class LoggerSettingsDialog;
class NightFlowDialog;
class SplashWindow;
class SaveDistrictDialog;
class StatisticsDialog;

// The running program: owns the string table, the error report, the model and the
// windows, and wires the main window's commands to whoever carries them out. Start-up
// goes through the splash window, which shows the main window; closing the main window
// ends the program.
class Program : public QObject
{
    Q_OBJECT

public:
    // `prompts` answers the program's messages (message boxes when null); `quit` ends
    // the program (the application's event loop).
    Program(UserPrompts *prompts, std::function<void()> quit);
    ~Program() override;

    // Opens the splash window: it reads the settings and shows the port message. A
    // non-empty `dataFile` is opened once the main window is up.
    void start(const QString &currentDir, const QString &dataFile = QString());

    SplashWindow &splash() { return *m_splash; }
    // Null until the splash has handed over.
    MainWindow *mainWindow() { return m_main.get(); }
    MainWindowGraph *graph() { return m_graph.get(); }
    // The statistics and Save District dialogs, made with the main window.
    StatisticsDialog *stats() { return m_stats.get(); }
    SaveDistrictDialog *saveDistrict() { return m_saveDistrict.get(); }
    // View > Night Flow's dialog, made with the main window.
    NightFlowDialog *nightFlow() { return m_nightFlow.get(); }

    // The download window and the logger-settings dialog, made with the main window.
    DownloadWindow *downloading() { return m_downloading.get(); }
    LoggerSettingsDialog *reprogram() { return m_reprogram.get(); }
    // Copy and Print, made with the main window.
    ReportCommands *reports() { return m_reports.get(); }
    // The user guide's window, made with the main window.
    HelpWindow *help() { return m_help.get(); }
    NeruModel &model() { return m_model; }
    const StringTable &strings() const { return m_strings; }
    // For tests and screenshots: what Choose Port lists in place of the system's serial
    // ports (a pseudo-terminal, which the system does not list as one).
    void setPortLister(ChoosePortDialog::Lister lister) { m_portLister = std::move(lister); }

private:
    void showMainWindow();
    // The main window's commands, one group each.
    void wireFiles(MainWindow &main);
    void wireView(MainWindow &main);
    void wireReports(MainWindow &main);
    void wireComms(MainWindow &main);
    void wireHelp(MainWindow &main);
    // The commands that cut a download, each through the Save District dialog.
    void openFile();
    // Opens `path` as File > Open opens the file it asks for.
    void openPath(const QString &path);
    // The first of the files dropped on the main window; the status bar names it when
    // there were more.
    void openDropped(const QStringList &paths);
    void interrogate();
    void showStatistics();
    void showNightFlow();
    // Reads the logger's settings; the logger-settings dialog shows them once read.
    void showLoggerSettings();
    // Tools > Comms > Choose Port: the serial ports the system detects, one to choose.
    void choosePort();
    // Stops a Comms command under way, and ends the program once none is.
    void mainWindowClosed();

    StringTable m_strings;
    ErrorReport m_errorReport;
    const General m_general;
    MessageBoxPrompts m_messageBoxes;
    UserPrompts &m_prompts;
    NeruModel m_model;
    std::function<void()> m_quit;
    QString m_startFile;
    ChoosePortDialog::Lister m_portLister = [] { return DetectedPorts::list(); };
    std::unique_ptr<SplashWindow> m_splash;
    std::unique_ptr<MainWindow> m_main;
    // The main window's graph; goes before the window it is wired to.
    std::unique_ptr<MainWindowGraph> m_graph;
    std::unique_ptr<StatisticsDialog> m_stats;
    std::unique_ptr<NightFlowDialog> m_nightFlow;
    std::unique_ptr<SaveDistrictDialog> m_saveDistrict;
    std::unique_ptr<DownloadWindow> m_downloading;
    std::unique_ptr<LoggerSettingsDialog> m_reprogram;
    std::unique_ptr<ReportCommands> m_reports;
    std::unique_ptr<HelpWindow> m_help;
};
