#pragma once

#include "Units.h"

#include <QObject>

#include <array>

class QAction;
class QActionGroup;
class StringTable;

// Every command of the main window as one QAction, shared by its menu entry and its toolbar
// button: caption and tooltip from the string table, picture, check mark and enabled state.
// The ports and the units are groups whose entries carry their number in data().
// Which commands can be used is decided in one place, updateEnabled. The common commands
// have the desktop's usual shortcuts, which the menus show.
class MainWindowActions : public QObject
{
    Q_OBJECT

public:
    explicit MainWindowActions(const StringTable &strings, QObject *parent = nullptr);

    QAction *open() const { return m_open; }
    QAction *exportCsv() const { return m_exportCsv; }
    QAction *exportCsvAs() const { return m_exportCsvAs; }
    QAction *exportGraph() const { return m_exportGraph; }
    QAction *printGraph() const { return m_printGraph; }
    QAction *printTable() const { return m_printTable; }
    QAction *exit() const { return m_exit; }
    QAction *copyGraph() const { return m_copyGraph; }
    QAction *copyText() const { return m_copyText; }
    QAction *resetView() const { return m_resetView; }
    QAction *statistics() const { return m_statistics; }
    QAction *nightFlow() const { return m_nightFlow; }
    QAction *showToolbar() const { return m_showToolbar; }
    QAction *showStatusBar() const { return m_showStatusBar; }
    QAction *nightShading() const { return m_nightShading; }
    QAction *grid() const { return m_grid; }
    QAction *fitValues() const { return m_fitValues; }
    QAction *interrogate() const { return m_interrogate; }
    QAction *setLoggerClock() const { return m_setLoggerClock; }
    QAction *loggerSettings() const { return m_loggerSettings; }
    QAction *choosePort() const { return m_choosePort; }
    QAction *helpContents() const { return m_helpContents; }
    QAction *helpSearch() const { return m_helpSearch; }
    QAction *about() const { return m_about; }

    // COM1 to COM4, then the Test entry (port 0), which is never shown: with it a download
    // reads a file.
    QActionGroup *ports() const { return m_ports; }
    // Codes 1 to 7: l/s, m3/h, gals/h, Bar, PSI, Metre Head, Feet Head.
    QActionGroup *units() const { return m_units; }
    // The entry of a port: COM1 to COM4, the Test entry for any other port.
    QAction *port(qint16 port) const;
    // The entry of unit code 1 to 7.
    QAction *unit(qint16 code) const;
    // The port or unit code that an entry of either group carries.
    static qint16 code(const QAction *entry);

    // Checks the entry of the port in use.
    void showPort(qint16 port);
    // The status tip of a port's entry (COM1 to COM4) names the device the port opens.
    void showPortDevice(qint16 port, const QString &device);
    // The Units entries' check marks, and which of them can be chosen.
    void showUnits(const Units::Change &change);

    // The one place that decides which commands can be used. While a Comms command runs
    // (`commsBusy`), those that would start another exchange, open a modal dialog or a
    // message, or change the district wait; the view stays live. Only the units of the
    // quantity in force can be chosen.
    void updateEnabled(bool commsBusy);

private:
    QAction *m_open = nullptr;
    QAction *m_exportCsv = nullptr;
    QAction *m_exportCsvAs = nullptr;
    QAction *m_exportGraph = nullptr;
    QAction *m_printGraph = nullptr;
    QAction *m_printTable = nullptr;
    QAction *m_exit = nullptr;
    QAction *m_copyGraph = nullptr;
    QAction *m_copyText = nullptr;
    QAction *m_resetView = nullptr;
    QAction *m_statistics = nullptr;
    QAction *m_nightFlow = nullptr;
    QAction *m_showToolbar = nullptr;
    QAction *m_showStatusBar = nullptr;
    QAction *m_nightShading = nullptr;
    QAction *m_grid = nullptr;
    QAction *m_fitValues = nullptr;
    QAction *m_interrogate = nullptr;
    QAction *m_setLoggerClock = nullptr;
    QAction *m_loggerSettings = nullptr;
    QAction *m_choosePort = nullptr;
    QAction *m_helpContents = nullptr;
    QAction *m_helpSearch = nullptr;
    QAction *m_about = nullptr;
    QActionGroup *m_ports = nullptr;
    QActionGroup *m_units = nullptr;
    std::array<QAction *, 5> m_portEntries {}; // COM1 to COM4, Test
    std::array<QAction *, 7> m_unitEntries {};
    std::array<bool, 7> m_unitsChoosable {};
    bool m_commsBusy = false;
};
