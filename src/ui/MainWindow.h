#pragma once

#include "GraphController.h"
#include "MainWindowLayout.h"
#include "Units.h"

#include <QMainWindow>

class GraphPicture;
class LineControl;
class MainWindowActions;
class NeruModel;
class QImage;
class QLabel;
class QMenu;
class QScrollBar;
class QStatusBar;
class QToolBar;
class QToolButton;
class StringTable;

// The main window: menus, toolbar, status bar and the plot area with its axes, scroll
// bars and zoom buttons. It shows the model and follows its signals; its commands are the
// actions of MainWindowActions, which the program connects to whoever carries them out.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(const StringTable &strings, NeruModel &model, QWidget *parent = nullptr);
    ~MainWindow() override;

    MainWindowActions &actions() const { return *m_actions; }

    // Creation of the window's state; run once, before the window is first shown.
    void Form_Load();
    // Saves the settings; run when the window closes.
    void Form_Unload();

    void setControls();
    void Form_Resize();

    // Puts the graph's picture in the place of the plot area, at its size, and hands back
    // the controls around it for the graph to drive.
    GraphController::Controls attachGraph(GraphPicture *picture);
    // A picture of the graph band, between the toolbar and the status bar where their View
    // entries are checked, as the window shows it, at the screen's pixel density.
    QImage captureGraphArea() const;
    // A picture of `area` (pixels) of a widget, rendered with its children.
    static QImage captureWindowArea(const QWidget &window, const QRect &area);
    // "NERU Program: " and the file of the district shown.
    void showTitle();
    void setStatusText(const QString &text);
    QString statusText() const;

    // While a Comms command runs, the commands that would get in its way wait (see
    // MainWindowActions::updateEnabled). A close asked for meanwhile stops the command and
    // happens when it has ended.
    void setCommsBusy(bool busy);
    // The Units entries' check marks and states, and for a unit applied its caption.
    void showUnits(const Units::Change &change);

signals:
    // The plot area has been laid out afresh and wants its graph redrawn.
    void plotResized();
    // The window has been closed and its settings saved.
    void unloaded();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createToolbar();
    void createPlotArea();
    QMenu *addMenu(QWidget *owner, int titleId);
    void viewToolbarChecked();
    void viewStatusBarChecked();
    void updateMinimumSize();
    MainWindowLayout::Input layoutInput() const;
    double logicalDpi() const;

    const StringTable &m_strings;
    NeruModel &m_model;
    MainWindowActions *m_actions = nullptr;
    QWidget *m_client = nullptr;
    bool m_unloaded = false;
    bool m_closeWhenIdle = false;

    QToolBar *tbrToolbar = nullptr;
    QStatusBar *staStatus = nullptr;
    QLabel *staStatusPanel = nullptr;

    // Plot area and its surroundings, placed by setControls.
    QWidget *Picture1 = nullptr;
    QScrollBar *hsbTime = nullptr;
    QScrollBar *vsbFlow = nullptr;
    QToolButton *cmdTimeZoomOut = nullptr;
    QToolButton *cmdTimeZoomIn = nullptr;
    QToolButton *cmdFlowZoomIn = nullptr;
    QToolButton *cmdFlowZoomOut = nullptr;
    QLabel *lblFlow = nullptr;
    QLabel *lblFlowMax = nullptr;
    QLabel *lblFlowMid = nullptr;
    QLabel *lblFlowMin = nullptr;
    QLabel *lblTimeMin = nullptr;
    QLabel *lblTimeMid = nullptr;
    QLabel *lblTimeMax = nullptr;
    LineControl *linFlowAxis = nullptr;
    LineControl *linFlowMax = nullptr;
    LineControl *linFlowMid = nullptr;
    LineControl *linFlowMin = nullptr;
    LineControl *linTimeAxis = nullptr;
    LineControl *linTimeMin = nullptr;
    LineControl *linTimeMid = nullptr;
    LineControl *linTimeMax = nullptr;
};
