#pragma once

#include "NamedFormats.h"

#include <QString>

#include <memory>

class ErrorReport;
class FileProcessing;
class GraphController;
class StartUpSettings;
class StringTable;
class UserPrompts;
class frmNeru;

// The graph in the main window: puts the plot widget in the place of Picture1, connects
// the plot's controls, the View > Reset command, the redraw after a resize and the
// blanking at creation, and shows a newly decoded series (initialiseGraph). It also
// opens a download file the way File > Open does once its dialog has returned, which
// is how a file named on the command line is shown.
class MainWindowGraph
{
public:
    MainWindowGraph(frmNeru &main, FileProcessing &file, StartUpSettings &startUp,
                    const StringTable &strings, ErrorReport &errorReport, UserPrompts &prompts);
    ~MainWindowGraph();

    // Names the file in the caption, makes the curve ready for the series and applies
    // its unit, which resets the view and draws the graph.
    void initialiseGraph();

    // Reads `path` (made absolute) into the image and, for a file of version 4 or later,
    // decodes and shows it. Failures go to the event log under mnuFileOpen_Click.
    void openDataFile(const QString &path);

    GraphController &controller() { return *m_controller; }

private:
    frmNeru &m_main;
    FileProcessing &m_file;
    StartUpSettings &m_startUp;
    const StringTable &m_strings;
    ErrorReport &m_errorReport;
    UserPrompts &m_prompts;
    NamedFormats m_formats;
    std::unique_ptr<GraphController> m_controller;
};
