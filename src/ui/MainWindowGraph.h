#pragma once

#include "NamedFormats.h"

#include <QObject>

#include <memory>

class ErrorReport;
class PlotController;
class NeruModel;
class StringTable;
class UserPrompts;
class frmNeru;

// The graph in the main window: puts the plot widget in the place of Picture1, connects
// the plot's controls and the redraw after a resize, starts blank, and shows every new
// series of the model (initialiseGraph).
class MainWindowGraph : public QObject
{
    Q_OBJECT

public:
    MainWindowGraph(frmNeru &main, NeruModel &model, const StringTable &strings,
                    ErrorReport &errorReport, UserPrompts &prompts);
    ~MainWindowGraph() override;

    // Names the file in the caption and makes the curve ready for the new series; the
    // unit the model applies next resets the view and draws it.
    void initialiseGraph();

    PlotController &controller() { return *m_controller; }

private:
    frmNeru &m_main;
    NeruModel &m_model;
    ErrorReport &m_errorReport;
    NamedFormats m_formats;
    std::unique_ptr<PlotController> m_controller;
};
