// The main window's start and end, the Comms commands' hold on it and the display units.
#include "frmNeru.h"

#include "MainWindowActions.h"
#include "NeruModel.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QStatusBar>
#include <QStatusTipEvent>

void frmNeru::Form_Load()
{
    // No file named and no data yet: no unit can be chosen.
    m_model.resetForNewWindow();
    m_actions->showPort(m_model.startUp().intCOMPort);
    showTitle();
    updateMinimumSize();
}

void frmNeru::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_model.writeSettings();
}

void frmNeru::closeEvent(QCloseEvent *event)
{
    // The link must not go while it waits for the logger: the command stops first (a
    // download after the block in progress) and the window closes when it has ended.
    if (m_model.commsBusy()) {
        event->ignore();
        m_closeWhenIdle = true;
        m_model.requestStop();
        return;
    }
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

void frmNeru::setCommsBusy(bool busy)
{
    m_actions->updateEnabled(busy);
    if (!busy && m_closeWhenIdle) {
        m_closeWhenIdle = false;
        // Once the command has returned all the way out.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
    }
}

void frmNeru::showUnits(const Units::Change &change)
{
    m_actions->showUnits(change);
    if (!change.applied)
        return;
    lblFlow->setText(change.lblFlowCaption);
    // A longer caption may need a wider box and a wider window.
    updateMinimumSize();
    setControls();
}
