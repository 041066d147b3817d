#pragma once

#include "MainWindowLayout.h"
#include "Units.h"

#include <QMainWindow>
#include <QStringList>

#include <array>

class General;
class LineControl;
class QImage;
class NeruModel;
class QAction;
class QFrame;
class QLabel;
class QMenu;
class QScrollBar;
class QStatusBar;
class QToolBar;
class QToolButton;
class StringTable;

// The main window: menus, toolbar, status bar and the plot area with its axes, scroll
// bars and zoom buttons. It shows the model and follows its signals; the commands that
// other parts of the program carry out leave it as signals.
class frmNeru : public QMainWindow
{
    Q_OBJECT

public:
    frmNeru(const StringTable &strings, const General &general, NeruModel &model,
            QWidget *parent = nullptr);
    ~frmNeru() override;

    // Enables or disables a command's menu entry and its toolbar button, if it has one.
    // Commands start disabled; the program enables those whose signal it connects.
    void setCommandEnabled(QAction *entry, bool enabled);

    // Creation of the window's state; run once, before the window is first shown.
    void Form_Load();
    // Saves the settings; run when the window closes.
    void Form_Unload();

    void setControls();
    void Form_Resize();

    // The unit in force, as the model holds it.
    qint16 intUnits() const;
    double dblFlowScaleFactor() const;

    // Replaces the plot area by another widget (the graph's own), which takes its place
    // and size.
    void setPicture1(QWidget *picture);
    // The client area: the window below its menu bar, toolbar and status bar included.
    QWidget *clientArea() const { return m_client; }
    // A picture of the graph band, between the toolbar and the status bar where their View
    // entries are checked, as the window shows it, at the screen's pixel density.
    QImage captureGraphArea() const;
    // A picture of `area` (pixels) of a widget, rendered with its children.
    static QImage captureWindowArea(const QWidget &window, const QRect &area);
    void setStatusText(const QString &text);
    QString statusText() const;

    // Menu and toolbar handlers.
    void mnuFileOpen_Click();
    void mnuFileExport_Click();
    void mnuFilePrintGraph_Click();
    void mnuFilePrintTable_Click();
    void mnuFileExit_Click();
    void mnuEditCopyGraph_Click();
    void mnuEditCopyText_Click();
    void mnuViewReset_Click();
    void mnuViewStats_Click();
    void mnuViewToolbar_Click();
    void mnuViewStatusBar_Click();
    void mnuToolsCommsInterrogate_Click();
    void mnuToolsCommsProgramRTC_Click();
    void mnuToolsCommsReprogramNERU_Click();
    void mnuToolsCommsCOM1_Click();
    void mnuToolsCommsCOM2_Click();
    void mnuToolsCommsCOM3_Click();
    void mnuToolsCommsCOM4_Click();
    void mnuToolsCommsTest_Click();
    void mnuToolsUnitsLitres_Click();
    void mnuToolsUnitsMetres3_Click();
    void mnuToolsUnitsGals_Click();
    void mnuToolsUnitsBar_Click();
    void mnuToolsUnitsPSI_Click();
    void mnuToolsUnitsMetre_Click();
    void mnuToolsUnitsFeet_Click();
    void mnuHelpContents_Click();
    void mnuHelpSearch_Click();
    void mnuHelpAbout_Click();
    void tbrToolbar_ButtonClick(QAction *button);

    // The check mark of the port's entry (the hidden Test entry for any port but 1 to 4).
    void SetCOMPort(qint16 port);
    // Each port entry's status tip names the device it opens (COM1 to COM4, in order).
    void showPortDevices(const QStringList &devices);
    // While a Comms command runs (the model's busyChanged), the commands that would start
    // another exchange, open a modal dialog or a message, or change the district are
    // disabled; the view stays live.
    void setCommsBusy(bool busy);
    // The Units entries' check marks and states, and for a unit applied its caption and
    // the return to the full view.
    void showUnits(const Units::Change &change);

signals:
    void openRequested();
    void exportRequested();
    void printGraphRequested();
    void printTableRequested();
    void copyGraphRequested();
    void copyTextRequested();
    void viewResetRequested();
    // View > Stats with samples to show.
    void statsRequested();
    void interrogateRequested();
    void programRTCRequested();
    void reprogramNERURequested();
    void helpContentsRequested();
    void helpSearchRequested();
    void aboutRequested();
    // The plot area has been laid out afresh and wants its graph redrawn.
    void plotResized();
    // The window has been closed and its settings saved.
    void unloaded();

public:
    // Menus (the QMenu) and their entries (the QAction) in menu order.
    QMenu *mnuFileMenu = nullptr;
    QAction *mnuFile = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *mnuFileSep2 = nullptr;
    QAction *mnuFileExport = nullptr;
    QAction *mnuFileSep3 = nullptr;
    QMenu *mnuFilePrintMenu = nullptr;
    QAction *mnuFilePrint = nullptr;
    QAction *mnuFilePrintGraph = nullptr;
    QAction *mnuFilePrintTable = nullptr;
    QAction *mnuFileSep4 = nullptr;
    QAction *mnuFileExit = nullptr;
    QMenu *mnuEditMenu = nullptr;
    QAction *mnuEdit = nullptr;
    QAction *mnuEditCopyGraph = nullptr;
    QAction *mnuEditCopyText = nullptr;
    QMenu *mnuViewMenu = nullptr;
    QAction *mnuView = nullptr;
    QAction *mnuViewReset = nullptr;
    QAction *mnuViewStats = nullptr;
    QAction *mnuViewToolbar = nullptr;
    QAction *mnuViewStatusBar = nullptr;
    QMenu *mnuToolsMenu = nullptr;
    QAction *mnuTools = nullptr;
    QMenu *mnuToolsCommsMenu = nullptr;
    QAction *mnuToolsComms = nullptr;
    QAction *mnuToolsCommsInterrogate = nullptr;
    QAction *mnuToolsCommsProgramRTC = nullptr;
    QAction *mnuToolsCommsReprogramNERU = nullptr;
    QAction *mnuToolsCommsCOM1 = nullptr;
    QAction *mnuToolsCommsCOM2 = nullptr;
    QAction *mnuToolsCommsCOM3 = nullptr;
    QAction *mnuToolsCommsCOM4 = nullptr;
    QAction *mnuToolsCommsTest = nullptr;
    QMenu *mnuToolsUnitsMenu = nullptr;
    QAction *mnuToolsUnits = nullptr;
    // Code 1 to 7: l/s, m3/h, gals/h, Bar, PSI, Metre Head, Feet Head.
    std::array<QAction *, 7> mnuToolsUnitsEntries {};
    QMenu *mnuHelpMenu = nullptr;
    QAction *mnuHelp = nullptr;
    QAction *mnuHelpContents = nullptr;
    QAction *mnuHelpSearch = nullptr;
    QAction *mnuHelpSep1 = nullptr;
    QAction *mnuHelpAbout = nullptr;

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

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createToolbar();
    void createPlotArea();
    QAction *addEntry(QMenu *menu, const char *name, int tag);
    QMenu *addMenu(QWidget *owner, const char *name, int tag, QAction *&entry);
    QAction *addSeparator(QMenu *menu, const char *name);
    QAction *addButton(const char *key, int tag, const char *themeIcon, const char *picture);
    void connectEntry(QAction *entry, void (frmNeru::*handler)());
    void viewToolbarChecked();
    void viewStatusBarChecked();
    void updateMinimumSize();
    MainWindowLayout::Input layoutInput() const;
    void disableCommands();
    void applyEnabled(QAction *entry);
    bool waitsForComms(const QAction *entry) const;
    // COM1 to COM4, in order.
    std::array<QAction *, 4> portEntries() const;
    void unitsEntry_Click(qint16 code);
    void comPortEntry_Click(qint16 port);
    double logicalDpi() const;

    const StringTable &m_strings;
    const General &m_general;
    NeruModel &m_model;
    QWidget *m_client = nullptr;
    bool m_unloaded = false;
    bool m_commsBusy = false;
};
