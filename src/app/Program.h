#pragma once

#include "ErrorReport.h"
#include "General.h"
#include "MessageBoxPrompts.h"
#include "NeruModel.h"
#include "StringTable.h"

#include <QObject>

#include <functional>
#include <memory>

class MainWindowGraph;
class frmNeru;
class frmSplash;
class frmSaveDistrict;
class frmStats;

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

    frmSplash &splash() { return *m_splash; }
    // Null until the splash has handed over.
    frmNeru *mainWindow() { return m_main.get(); }
    MainWindowGraph *graph() { return m_graph.get(); }
    // The statistics and Save District dialogs, made with the main window.
    frmStats *stats() { return m_stats.get(); }
    frmSaveDistrict *saveDistrict() { return m_saveDistrict.get(); }

    // Cuts a download into district files, asking for each in the Save District dialog,
    // and shows the last district.
    void saveDownload(const QByteArray &bytDownload, qint32 lngDownloadLength);
    NeruModel &model() { return m_model; }
    const StringTable &strings() const { return m_strings; }

private:
    void showMainWindow();
    // The main window's commands, one group each. A command nobody carries out yet
    // (Print, Copy, the logger's three) stays disabled.
    void wireFiles(frmNeru &main);
    void wireView(frmNeru &main);
    void wireHelp(frmNeru &main);
    void mainWindowClosed();

    StringTable m_strings;
    ErrorReport m_errorReport;
    const General m_general;
    MessageBoxPrompts m_messageBoxes;
    UserPrompts &m_prompts;
    NeruModel m_model;
    std::function<void()> m_quit;
    QString m_startFile;
    std::unique_ptr<frmSplash> m_splash;
    std::unique_ptr<frmNeru> m_main;
    // The main window's graph; goes before the window it is wired to.
    std::unique_ptr<MainWindowGraph> m_graph;
    std::unique_ptr<frmStats> m_stats;
    std::unique_ptr<frmSaveDistrict> m_saveDistrict;
};
