// The main window's start and end, its menu and toolbar commands, the COM port and the
// display units.
#include "frmNeru.h"

#include "General.h"
#include "NeruModel.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>

namespace {

// The enabled state the program asked for, apart from a Comms command under way.
constexpr const char *kWantedProperty = "wanted";

struct CommandEntry
{
    QAction *frmNeru::*entry;
    const char *key; // toolbar button, or nullptr
    void (frmNeru::*click)();
};

// The commands that other parts of the program carry out, in the order in which a
// toolbar button's key is looked up.
constexpr CommandEntry kCommandEntries[] = {
    { &frmNeru::mnuFileOpen, "Open", &frmNeru::mnuFileOpen_Click },
    { &frmNeru::mnuFileExport, nullptr, &frmNeru::mnuFileExport_Click },
    { &frmNeru::mnuFilePrintGraph, "Print", &frmNeru::mnuFilePrintGraph_Click },
    { &frmNeru::mnuFilePrintTable, nullptr, &frmNeru::mnuFilePrintTable_Click },
    { &frmNeru::mnuEditCopyGraph, "Copy", &frmNeru::mnuEditCopyGraph_Click },
    { &frmNeru::mnuEditCopyText, "CopyText", &frmNeru::mnuEditCopyText_Click },
    { &frmNeru::mnuViewReset, nullptr, &frmNeru::mnuViewReset_Click },
    { &frmNeru::mnuToolsCommsInterrogate, "Interrogate", &frmNeru::mnuToolsCommsInterrogate_Click },
    { &frmNeru::mnuToolsCommsProgramRTC, "ProgramRTC", &frmNeru::mnuToolsCommsProgramRTC_Click },
    { &frmNeru::mnuToolsCommsReprogramNERU, "ReprogramNERU",
      &frmNeru::mnuToolsCommsReprogramNERU_Click },
    { &frmNeru::mnuHelpContents, nullptr, &frmNeru::mnuHelpContents_Click },
    { &frmNeru::mnuHelpSearch, nullptr, &frmNeru::mnuHelpSearch_Click },
};

// The entries that wait while a Comms command runs: those that would start another
// exchange, open a modal dialog or a message, or change the district.
constexpr QAction *frmNeru::*kWaitForComms[] = {
    &frmNeru::mnuFileOpen,
    &frmNeru::mnuFileExport,
    &frmNeru::mnuFilePrintGraph,
    &frmNeru::mnuFilePrintTable,
    &frmNeru::mnuViewStats,
    &frmNeru::mnuToolsCommsInterrogate,
    &frmNeru::mnuToolsCommsProgramRTC,
    &frmNeru::mnuToolsCommsReprogramNERU,
    &frmNeru::mnuToolsCommsCOM1,
    &frmNeru::mnuToolsCommsCOM2,
    &frmNeru::mnuToolsCommsCOM3,
    &frmNeru::mnuToolsCommsCOM4,
    &frmNeru::mnuToolsCommsTest,
};

} // namespace

void frmNeru::Form_Load()
{
    // No file named and no data yet: no unit can be chosen.
    m_model.resetForNewWindow();
    SetCOMPort(m_model.startUp().intCOMPort);
    m_general.localiseForm(*this);
    setWindowTitle(m_model.texts().text(50030) + m_model.texts().text(50040));
    mnuToolsCommsTest->setVisible(false);
    updateMinimumSize();
}

void frmNeru::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_model.writeSettings();
}

// A Comms command under way is stopped by the program, which ends once it has.
void frmNeru::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
    emit unloaded();
}

bool frmNeru::event(QEvent *event)
{
    // The status bar lives in the client area, so status tips are shown here.
    if (event->type() == QEvent::StatusTip) {
        staStatus->showMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

bool frmNeru::waitsForComms(const QAction *entry) const
{
    for (QAction *frmNeru::*waiting : kWaitForComms) {
        if (this->*waiting == entry)
            return true;
    }
    return false;
}

void frmNeru::setCommsBusy(bool busy)
{
    m_commsBusy = busy;
    for (QAction *frmNeru::*waiting : kWaitForComms)
        applyEnabled(this->*waiting);
}

void frmNeru::disableCommands()
{
    for (const CommandEntry &c : kCommandEntries)
        setCommandEnabled(this->*c.entry, false);
}

void frmNeru::setCommandEnabled(QAction *entry, bool enabled)
{
    entry->setProperty(kWantedProperty, enabled);
    applyEnabled(entry);
}

// An entry is enabled when the program wants it (entries it never set are) and no Comms
// command holds it back.
void frmNeru::applyEnabled(QAction *entry)
{
    const QVariant wanted = entry->property(kWantedProperty);
    const bool enabled
        = (!wanted.isValid() || wanted.toBool()) && !(m_commsBusy && waitsForComms(entry));
    entry->setEnabled(enabled);
    for (const CommandEntry &c : kCommandEntries) {
        if (this->*c.entry != entry || !c.key)
            continue;
        for (QAction *button : tbrToolbar->actions()) {
            if (button->property("key").toString() == QLatin1String(c.key))
                button->setEnabled(enabled);
        }
    }
}

void frmNeru::mnuFileOpen_Click()
{
    emit openRequested();
}
void frmNeru::mnuFileExport_Click()
{
    emit exportRequested();
}
void frmNeru::mnuFilePrintGraph_Click()
{
    emit printGraphRequested();
}
void frmNeru::mnuFilePrintTable_Click()
{
    emit printTableRequested();
}
void frmNeru::mnuEditCopyGraph_Click()
{
    emit copyGraphRequested();
}
void frmNeru::mnuEditCopyText_Click()
{
    emit copyTextRequested();
}
void frmNeru::mnuViewReset_Click()
{
    emit viewResetRequested();
}
void frmNeru::mnuToolsCommsInterrogate_Click()
{
    emit interrogateRequested();
}
void frmNeru::mnuToolsCommsProgramRTC_Click()
{
    emit programRTCRequested();
}
void frmNeru::mnuToolsCommsReprogramNERU_Click()
{
    emit reprogramNERURequested();
}

void frmNeru::mnuFileExit_Click()
{
    close();
}

void frmNeru::mnuViewStats_Click()
{
    if (m_model.file().series().lngNumSamples > 0)
        emit statsRequested();
}

void frmNeru::mnuHelpContents_Click()
{
    emit helpContentsRequested();
}

void frmNeru::mnuHelpSearch_Click()
{
    emit helpSearchRequested();
}

void frmNeru::mnuHelpAbout_Click()
{
    emit aboutRequested();
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

std::array<QAction *, 4> frmNeru::portEntries() const
{
    return { mnuToolsCommsCOM1, mnuToolsCommsCOM2, mnuToolsCommsCOM3, mnuToolsCommsCOM4 };
}

void frmNeru::SetCOMPort(qint16 port)
{
    const std::array<QAction *, 4> ports = portEntries();
    for (QAction *entry : ports)
        entry->setChecked(false);
    mnuToolsCommsTest->setChecked(false);
    if (StartUpSettings::isLoggerPort(port))
        ports[static_cast<size_t>(port - 1)]->setChecked(true);
    else
        mnuToolsCommsTest->setChecked(true);
}

void frmNeru::showPortDevices(const QStringList &devices)
{
    const std::array<QAction *, 4> ports = portEntries();
    for (size_t i = 0; i < ports.size() && i < size_t(devices.size()); ++i)
        ports[i]->setStatusTip(
            QStringLiteral("COM%1 opens %2").arg(i + 1).arg(devices[qsizetype(i)]));
}

void frmNeru::comPortEntry_Click(qint16 port)
{
    m_model.setCOMPort(port);
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

void frmNeru::showUnits(const Units::Change &change)
{
    for (size_t i = 0; i < mnuToolsUnitsEntries.size(); ++i) {
        mnuToolsUnitsEntries[i]->setChecked(change.entries[i].checked);
        mnuToolsUnitsEntries[i]->setEnabled(change.entries[i].enabled);
    }
    if (!change.applied)
        return;
    lblFlow->setText(change.lblFlowCaption);
    // A longer caption may need a wider box and a wider window.
    updateMinimumSize();
    setControls();
    // Back to the full view, redrawn with the new factor.
    mnuViewReset_Click();
}

void frmNeru::unitsEntry_Click(qint16 code)
{
    m_model.SetUnits(code);
}

qint16 frmNeru::intUnits() const
{
    return m_model.intUnits();
}

double frmNeru::dblFlowScaleFactor() const
{
    return m_model.dblFlowScaleFactor();
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
