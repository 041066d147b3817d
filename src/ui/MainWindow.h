#pragma once

#include "MainWindowLayout.h"
#include "PlotController.h"
#include "Units.h"

#include <QMainWindow>

class PlotWidget;
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
    void initialise();

    // Puts the graph's picture in the place of the plot area, at its size, and hands back
    // the controls around it for the graph to drive.
    PlotController::Controls attachGraph(PlotWidget *plot);
    // A picture of the graph band, between the toolbar and the status bar where their View
    // entries are checked, as the window shows it, at the screen's pixel density.
    QImage captureGraphArea() const;
    // A picture of `area` (pixels) of a widget, rendered with its children.
    static QImage captureWindowArea(const QWidget &window, const QRect &area);
    // "NERU Program: " and the file of the district shown.
    void showTitle();
    void setStatusText(const QString &text);
    QString statusText() const;

    // The Units entries' check marks and states, and for a unit applied its caption.
    void showUnits(const Units::Change &change);

signals:
    // The plot area has been laid out afresh and wants its graph redrawn.
    void plotResized();
    // The window has been closed and its settings saved.
    void unloaded();
    // A file of File > Recent Files was chosen.
    void recentFileChosen(const QString &path);
    // Files were dropped on the window (never while a Comms command runs). Emitted inside
    // the drop: a receiver that asks the user anything should take it queued, so that the
    // program the files came from is not kept waiting.
    void filesDropped(const QStringList &paths);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // Saves the settings, once; run when the window closes.
    void saveSettings();
    // Places the controls for the client area's size.
    void placeControls();
    // Places the controls and has the graph redrawn, unless the window is minimised.
    void updateLayout();
    void createMenus();
    // Lists the recent files afresh, as the menu opens.
    void fillRecentMenu();
    void createToolbar();
    void createPlotArea();
    QMenu *addMenu(QWidget *owner, int titleId);
    void showBars();
    void updateMinimumSize();
    MainWindowLayout::Input layoutInput() const;
    double logicalDpi() const;

    const StringTable &m_strings;
    NeruModel &m_model;
    MainWindowActions *m_actions = nullptr;
    QWidget *m_client = nullptr;
    bool m_settingsSaved = false;

    QMenu *m_recentMenu = nullptr;
    QToolBar *m_toolbar = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_statusText = nullptr;

    // Plot area and its surroundings, placed by placeControls.
    QWidget *m_plot = nullptr;
    QScrollBar *m_timeScrollBar = nullptr;
    QScrollBar *m_valueScrollBar = nullptr;
    QToolButton *m_timeZoomOut = nullptr;
    QToolButton *m_timeZoomIn = nullptr;
    QToolButton *m_valueZoomIn = nullptr;
    QToolButton *m_valueZoomOut = nullptr;
    QLabel *m_valueCaption = nullptr;
    QLabel *m_valueMaxLabel = nullptr;
    QLabel *m_valueMidLabel = nullptr;
    QLabel *m_valueMinLabel = nullptr;
    QLabel *m_timeMinLabel = nullptr;
    QLabel *m_timeMidLabel = nullptr;
    QLabel *m_timeMaxLabel = nullptr;
    LineControl *m_valueAxis = nullptr;
    LineControl *m_valueMaxTick = nullptr;
    LineControl *m_valueMidTick = nullptr;
    LineControl *m_valueMinTick = nullptr;
    LineControl *m_timeAxis = nullptr;
    LineControl *m_timeMinTick = nullptr;
    LineControl *m_timeMidTick = nullptr;
    LineControl *m_timeMaxTick = nullptr;
};
