#pragma once

#include "GraphView.h"
#include "ScrollBarAdapter.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class GraphPicture;
class QAbstractButton;
class QLabel;
class QScrollBar;

// The graph's side of the main window: feeds the plot's mouse and key releases, the
// four zoom buttons and the two scroll bars into the GraphView, and after every command
// brings the plot, the six axis labels and the status bar read-out up to date. A
// command that fails outside the drawing's own guards is written to the event log and
// ends; the program goes on.
class GraphController : public QObject
{
    Q_OBJECT

public:
    // The window's controls; all must be given and outlive the controller's use of them.
    struct Controls
    {
        GraphPicture *Picture1 = nullptr;
        QScrollBar *hsbTime = nullptr;
        QScrollBar *vsbFlow = nullptr;
        QAbstractButton *cmdFlowZoomIn = nullptr;
        QAbstractButton *cmdFlowZoomOut = nullptr;
        QAbstractButton *cmdTimeZoomIn = nullptr;
        QAbstractButton *cmdTimeZoomOut = nullptr;
        QLabel *lblFlowMax = nullptr;
        QLabel *lblFlowMid = nullptr;
        QLabel *lblFlowMin = nullptr;
        QLabel *lblTimeMin = nullptr;
        QLabel *lblTimeMid = nullptr;
        QLabel *lblTimeMax = nullptr;
        std::function<void(const QString &)> showStatus; // the status bar's text
    };

    // What the graph reads and where it reports, owned by the window.
    struct Data
    {
        const SampleSeries &series;
        const DistrictSettings &settings;
        const NamedFormats &formats;
        const StringTable &strings;
        ErrorReport &errorReport;
        UserPrompts &prompts;
    };

    GraphController(const Controls &controls, const Data &data, QObject *parent = nullptr);
    ~GraphController() override;

    GraphView &graph() { return *m_graph; }
    const GraphView &graph() const { return *m_graph; }
    GraphPicture &picture() { return *m_controls.Picture1; }

    // The unit values are shown in from the next drawing on.
    void setUnit(DisplayUnit unit) { m_graph->setUnit(unit); }

    // Blanks the plot, as when the window is created.
    void ResetForm();
    // A new series: the curve elements are made ready; the caller then applies the
    // unit, which ends in mnuViewReset_Click.
    void prepareCurveElements();
    // The full redraw, as after a resize of the window.
    void drawGraph();
    void mnuViewReset_Click();

    // Shows on screen what the last command left in the plot elements and texts.
    void refresh();

public slots:
    void Picture1_MouseUp(int button, int shift, double x, double y);
    void Picture1_KeyUp(int keyCode, int shift);
    void cmdFlowZoomIn_Click();
    void cmdFlowZoomOut_Click();
    void cmdTimeZoomIn_Click();
    void cmdTimeZoomOut_Click();
    void hsbTime_Change();
    void vsbFlow_Change();

private:
    template<typename Command> void run(const char *procedure, Command command);
    void setDesignSettings(QScrollBar &bar);

    Controls m_controls;
    ErrorReport &m_errorReport;
    ScrollBarAdapter m_hsbTime;
    ScrollBarAdapter m_vsbFlow;
    std::unique_ptr<GraphView> m_graph;
};
