#pragma once

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
// shades the nights while View > Night Shading is checked.
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

    PlotController &controller() { return *m_controller; }

private:
    MainWindow &m_main;
    NeruModel &m_model;
    ErrorReport &m_errorReport;
    NamedFormats m_formats;
    std::unique_ptr<PlotController> m_controller;
};
