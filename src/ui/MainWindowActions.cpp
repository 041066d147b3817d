#include "MainWindowActions.h"

#include "BundledIcons.h"
#include "DisplayUnit.h"
#include "StartUpSettings.h"
#include "StringTable.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>

MainWindowActions::MainWindowActions(const StringTable &strings, QObject *parent)
    : QObject(parent)
{
    auto add = [this, &strings](int textId) { return new QAction(strings.text(textId), this); };
    // A toolbar button shows the picture, and the tooltip on hovering; the menu entry shows
    // the caption alone.
    auto onToolbar
        = [&strings](QAction *action, int toolTipId, const char *themeIcon, const char *picture) {
              action->setToolTip(strings.text(toolTipId));
              action->setIcon(BundledIcons::icon(QLatin1String(themeIcon), QLatin1String(picture)));
              action->setIconVisibleInMenu(false);
              return action;
          };
    auto checkable = [](QAction *action, bool checked) {
        action->setCheckable(true);
        action->setChecked(checked);
        return action;
    };

    m_open = onToolbar(add(20010), 21001, "document-open", "open");
    m_exportCsv = add(20020);
    m_exportCsvAs = new QAction(QStringLiteral("Export &As..."), this);
    m_exportGraph = new QAction(QStringLiteral("Export &Graph..."), this);
    m_printGraph = onToolbar(add(20040), 21011, "document-print", "print");
    m_printTable = add(20050);
    m_exit = add(20060);
    m_copyGraph = onToolbar(add(20110), 21021, "edit-copy", "copy");
    m_copyText = onToolbar(add(20120), 21031, "text-x-generic", "copytext");
    m_resetView = add(20210);
    m_statistics = add(20220);
    // No icon theme has a picture for it: always ours.
    m_nightFlow = new QAction(QStringLiteral("&Night Flow..."), this);
    m_nightFlow->setToolTip(QStringLiteral("Night Flow"));
    m_nightFlow->setIcon(BundledIcons::bundled(QStringLiteral("nightflow")));
    m_nightFlow->setIconVisibleInMenu(false);
    m_showToolbar = checkable(add(20230), true);
    m_showStatusBar = checkable(add(20240), true);
    m_nightShading = checkable(new QAction(QStringLiteral("Night S&hading"), this), false);
    m_grid = checkable(new QAction(QStringLiteral("&Grid"), this), false);
    m_fitValues = checkable(new QAction(QStringLiteral("Fit &Values"), this), false);
    m_interrogate = onToolbar(add(20320), 21041, "go-down", "interrogate");
    m_setLoggerClock = onToolbar(add(20330), 21051, "appointment-new", "programrtc");
    m_loggerSettings = onToolbar(add(20340), 21061, "document-properties", "reprogram");
    m_choosePort = new QAction(QStringLiteral("Choose P&ort..."), this);
    m_helpContents = add(20510);
    m_helpSearch = add(20520);
    m_about = add(20530);

    // The desktop's own keys where it has them; some schemes have none for Quit.
    auto standard = [](QAction *action, QKeySequence::StandardKey key, const QKeySequence &own) {
        const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
        action->setShortcuts(keys.isEmpty() ? QList<QKeySequence> { own } : keys);
    };
    standard(m_open, QKeySequence::Open, QKeySequence(Qt::CTRL | Qt::Key_O));
    m_exportCsv->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    standard(m_printGraph, QKeySequence::Print, QKeySequence(Qt::CTRL | Qt::Key_P));
    m_printTable->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    standard(m_copyGraph, QKeySequence::Copy, QKeySequence(Qt::CTRL | Qt::Key_C));
    m_copyText->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_interrogate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    standard(m_helpContents, QKeySequence::HelpContents, QKeySequence(Qt::Key_F1));
    standard(m_exit, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));

    // The check marks follow the model (showPort, showUnits), which keeps one of each
    // group; left to the groups, the menus would show radio marks instead of check boxes.
    m_ports = new QActionGroup(this);
    m_ports->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (int number = 1; number <= 4; ++number)
        m_portEntries[size_t(number - 1)] = add(20350 + 10 * (number - 1));
    m_portEntries[4] = new QAction(QStringLiteral("&Test"), this);
    m_portEntries[4]->setVisible(false);
    for (size_t i = 0; i < m_portEntries.size(); ++i) {
        QAction *entry = checkable(m_portEntries[i], false);
        entry->setData(i < 4 ? int(i + 1) : 0);
        m_ports->addAction(entry);
    }

    m_units = new QActionGroup(this);
    m_units->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
    for (size_t i = 0; i < DisplayUnits::kAll.size(); ++i) {
        const DisplayUnit unit = DisplayUnits::kAll[i];
        QAction *entry = checkable(add(DisplayUnits::menuCaptionId(unit)), false);
        entry->setData(int(DisplayUnits::code(unit)));
        m_units->addAction(entry);
        m_unitEntries[i] = entry;
    }
    // No data yet: no unit can be chosen.
    updateEnabled(false);
}

QAction *MainWindowActions::port(qint16 port) const
{
    return StartUpSettings::isLoggerPort(port) ? m_portEntries[size_t(port - 1)] : m_portEntries[4];
}

QAction *MainWindowActions::unit(qint16 code) const
{
    return m_unitEntries.at(size_t(code - 1));
}

qint16 MainWindowActions::code(const QAction *entry)
{
    return qint16(entry->data().toInt());
}

void MainWindowActions::showPort(qint16 port)
{
    QAction *inUse = this->port(port);
    for (QAction *entry : m_portEntries)
        entry->setChecked(entry == inUse);
}

void MainWindowActions::showPortDevice(qint16 port, const QString &device)
{
    if (StartUpSettings::isLoggerPort(port))
        this->port(port)->setStatusTip(QStringLiteral("COM%1 opens %2").arg(port).arg(device));
}

void MainWindowActions::showUnits(const Units::Change &change)
{
    for (size_t i = 0; i < m_unitEntries.size(); ++i) {
        m_unitEntries[i]->setChecked(change.entries[i].checked);
        m_unitsChoosable[i] = change.entries[i].enabled;
    }
    updateEnabled(m_commsBusy);
}

void MainWindowActions::updateEnabled(bool commsBusy)
{
    m_commsBusy = commsBusy;
    for (QAction *waiting : { m_open, m_exportCsv, m_exportCsvAs, m_exportGraph, m_printGraph,
                              m_printTable, m_statistics, m_nightFlow, m_interrogate,
                              m_setLoggerClock, m_loggerSettings, m_choosePort })
        waiting->setEnabled(!commsBusy);
    // The Test entry stays disabled whatever is asked, as hidden entries do.
    for (QAction *entry : m_portEntries)
        entry->setEnabled(!commsBusy);
    for (size_t i = 0; i < m_unitEntries.size(); ++i)
        m_unitEntries[i]->setEnabled(m_unitsChoosable[i]);
}
