#pragma once

#include "GraphExport.h"
#include "NamedFormats.h"

#include <QObject>

#include <memory>

class ErrorReport;
class PlotController;
class NeruModel;
class StringTable;
class UserPrompts;
class MainWindow;

// The graph in the main window: puts the plot widget in the place of the plot area,
// connects the plot's controls and the redraw after a resize, starts blank, shows every new
// series of the model (initialiseGraph), returns to the full view for a unit applied, and
// follows View > Night Shading, Grid and Fit Values. File > Export Graph writes a figure
// of what it shows.
class MainWindowGraph : public QObject
{
    Q_OBJECT

public:
    MainWindowGraph(MainWindow &main, NeruModel &model, const StringTable &strings,
                    ErrorReport &errorReport, UserPrompts &prompts);
    ~MainWindowGraph() override;

    // Makes the curve ready for the new series; the unit the model applies next resets the
    // view and draws it.
    void initialiseGraph();

    // File > Export Graph: asks for the file (its extension picks PNG, SVG or PDF), then
    // the figure's size in a dialog, and writes the figure of the view on show once the
    // dialog is accepted. A failure is told with the file and the reason.
    void exportGraph();

    PlotController &controller() { return *m_controller; }

private:
    // "<data file>-graph.png" in the folder of the last file.
    QString proposedGraphName() const;
    void writeGraph(const QString &path, GraphExport::Format format, const QSizeF &size);

    MainWindow &m_main;
    NeruModel &m_model;
    const StringTable &m_strings;
    ErrorReport &m_errorReport;
    UserPrompts &m_prompts;
    NamedFormats m_formats;
    std::unique_ptr<PlotController> m_controller;
};
