// The main window's start and end, its menu and toolbar commands, the COM port and the
// display units.
#include "frmNeru.h"

#include "ErrorReport.h"
#include "FileProcessing.h"
#include "General.h"
#include "SettingsStore.h"
#include "StartUpSettings.h"
#include "StringTable.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QToolBar>

namespace {

struct CommandEntry
{
    frmNeru::Command command;
    QAction *frmNeru::*entry;
    const char *key; // toolbar button, or nullptr
    void (frmNeru::*click)();
};

// In the order in which a toolbar button's key is looked up.
constexpr CommandEntry kCommandEntries[] = {
    { frmNeru::Command::FileOpen, &frmNeru::mnuFileOpen, "Open", &frmNeru::mnuFileOpen_Click },
    { frmNeru::Command::FileExport, &frmNeru::mnuFileExport, nullptr,
      &frmNeru::mnuFileExport_Click },
    { frmNeru::Command::FilePrintGraph, &frmNeru::mnuFilePrintGraph, "Print",
      &frmNeru::mnuFilePrintGraph_Click },
    { frmNeru::Command::FilePrintTable, &frmNeru::mnuFilePrintTable, nullptr,
      &frmNeru::mnuFilePrintTable_Click },
    { frmNeru::Command::EditCopyGraph, &frmNeru::mnuEditCopyGraph, "Copy",
      &frmNeru::mnuEditCopyGraph_Click },
    { frmNeru::Command::EditCopyText, &frmNeru::mnuEditCopyText, "CopyText",
      &frmNeru::mnuEditCopyText_Click },
    { frmNeru::Command::ViewReset, &frmNeru::mnuViewReset, nullptr, &frmNeru::mnuViewReset_Click },
    { frmNeru::Command::ToolsCommsInterrogate, &frmNeru::mnuToolsCommsInterrogate, "Interrogate",
      &frmNeru::mnuToolsCommsInterrogate_Click },
    { frmNeru::Command::ToolsCommsProgramRTC, &frmNeru::mnuToolsCommsProgramRTC, "ProgramRTC",
      &frmNeru::mnuToolsCommsProgramRTC_Click },
    { frmNeru::Command::ToolsCommsReprogramNERU, &frmNeru::mnuToolsCommsReprogramNERU,
      "ReprogramNERU", &frmNeru::mnuToolsCommsReprogramNERU_Click },
};

} // namespace

void frmNeru::Form_Load()
{
    m_file.setDataFile(QString());
    SetCOMPort(m_startUp.intCOMPort);
    // No data yet: no unit can be chosen.
    SetUnits(0);
    m_general.localiseForm(*this);
    m_texts.load(m_strings);
    setWindowTitle(m_texts.text(50030) + m_texts.text(50040));
    if (hooks.ResetForm)
        hooks.ResetForm();
    mnuToolsCommsTest->setVisible(false);
    m_units.dblFlowScaleFactor = 1.0;
    updateMinimumSize();
}

void frmNeru::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    SettingsStore store(m_startUp.strAppName);
    if (!m_startUp.writeSettings(store))
        m_errorReport.logInformation(QStringLiteral("The settings could not be saved in ")
                                     + store.fileName());
}

void frmNeru::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
    if (hooks.unloaded)
        hooks.unloaded();
}

void frmNeru::setCommand(Command command, std::function<void()> handler)
{
    if (handler)
        m_commands[command] = std::move(handler);
    else
        m_commands.erase(command);
    updateCommandStates();
}

bool frmNeru::hasCommand(Command command) const
{
    return m_commands.count(command) != 0;
}

void frmNeru::updateCommandStates()
{
    for (const CommandEntry &c : kCommandEntries) {
        const bool connected = hasCommand(c.command);
        (this->*c.entry)->setEnabled(connected);
        if (!c.key)
            continue;
        for (QAction *button : tbrToolbar->actions()) {
            if (button->property("key").toString() == QLatin1String(c.key))
                button->setEnabled(connected);
        }
    }
}

void frmNeru::runCommand(Command command)
{
    const auto it = m_commands.find(command);
    if (it != m_commands.end())
        it->second();
}

void frmNeru::mnuFileOpen_Click()
{
    runCommand(Command::FileOpen);
}
void frmNeru::mnuFileExport_Click()
{
    runCommand(Command::FileExport);
}
void frmNeru::mnuFilePrintGraph_Click()
{
    runCommand(Command::FilePrintGraph);
}
void frmNeru::mnuFilePrintTable_Click()
{
    runCommand(Command::FilePrintTable);
}
void frmNeru::mnuEditCopyGraph_Click()
{
    runCommand(Command::EditCopyGraph);
}
void frmNeru::mnuEditCopyText_Click()
{
    runCommand(Command::EditCopyText);
}
void frmNeru::mnuViewReset_Click()
{
    runCommand(Command::ViewReset);
}
void frmNeru::mnuToolsCommsInterrogate_Click()
{
    runCommand(Command::ToolsCommsInterrogate);
}
void frmNeru::mnuToolsCommsProgramRTC_Click()
{
    runCommand(Command::ToolsCommsProgramRTC);
}
void frmNeru::mnuToolsCommsReprogramNERU_Click()
{
    runCommand(Command::ToolsCommsReprogramNERU);
}

void frmNeru::mnuFileExit_Click()
{
    close();
}

void frmNeru::mnuViewStats_Click()
{
    if (m_file.series().lngNumSamples > 0 && hooks.showStats)
        hooks.showStats();
}

void frmNeru::mnuHelpAbout_Click()
{
    if (hooks.showAbout)
        hooks.showAbout();
}

void frmNeru::tbrToolbar_ButtonClick(QAction *button)
{
    if (!button)
        return;
    // Keys are compared case-sensitively; a separator has none.
    const QString key = button->property("key").toString();
    for (const CommandEntry &c : kCommandEntries) {
        if (c.key && key == QLatin1String(c.key)) {
            (this->*c.click)();
            return;
        }
    }
}

void frmNeru::SetCOMPort(qint16 port)
{
    const std::array<QAction *, 4> ports
        = { mnuToolsCommsCOM1, mnuToolsCommsCOM2, mnuToolsCommsCOM3, mnuToolsCommsCOM4 };
    for (QAction *entry : ports)
        entry->setChecked(false);
    mnuToolsCommsTest->setChecked(false);
    if (StartUpSettings::isLoggerPort(port))
        ports[static_cast<size_t>(port - 1)]->setChecked(true);
    else
        mnuToolsCommsTest->setChecked(true);
}

void frmNeru::comPortEntry_Click(qint16 port)
{
    // Stored only when the window closes.
    m_startUp.intCOMPort = port;
    SetCOMPort(m_startUp.intCOMPort);
}

void frmNeru::mnuToolsCommsCOM1_Click()
{
    comPortEntry_Click(1);
}
void frmNeru::mnuToolsCommsCOM2_Click()
{
    comPortEntry_Click(2);
}
void frmNeru::mnuToolsCommsCOM3_Click()
{
    comPortEntry_Click(3);
}
void frmNeru::mnuToolsCommsCOM4_Click()
{
    comPortEntry_Click(4);
}
void frmNeru::mnuToolsCommsTest_Click()
{
    comPortEntry_Click(0);
}

void frmNeru::SetUnits(qint16 code)
{
    const Units::Change change = m_units.SetUnits(code, m_texts);
    for (size_t i = 0; i < mnuToolsUnitsEntries.size(); ++i) {
        mnuToolsUnitsEntries[i]->setChecked(change.entries[i].checked);
        mnuToolsUnitsEntries[i]->setEnabled(change.entries[i].enabled);
    }
    if (!change.applied)
        return;
    lblFlow->setText(change.lblFlowCaption);
    if (hooks.setStatsUnits)
        hooks.setStatsUnits(change.unitText);
    // Back to the full view, redrawn with the new factor.
    mnuViewReset_Click();
    if (hooks.statsSetup)
        hooks.statsSetup();
}

void frmNeru::unitsEntry_Click(qint16 code)
{
    m_units.intUnits = code;
    SetUnits(m_units.intUnits);
}

void frmNeru::mnuToolsUnitsLitres_Click()
{
    unitsEntry_Click(1);
}
void frmNeru::mnuToolsUnitsMetres3_Click()
{
    unitsEntry_Click(2);
}
void frmNeru::mnuToolsUnitsGals_Click()
{
    unitsEntry_Click(3);
}
void frmNeru::mnuToolsUnitsBar_Click()
{
    unitsEntry_Click(4);
}
void frmNeru::mnuToolsUnitsPSI_Click()
{
    unitsEntry_Click(5);
}
void frmNeru::mnuToolsUnitsMetre_Click()
{
    unitsEntry_Click(6);
}
void frmNeru::mnuToolsUnitsFeet_Click()
{
    unitsEntry_Click(7);
}
