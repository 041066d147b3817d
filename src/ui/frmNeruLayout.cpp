// The main window's layout and its View toggles.
#include "frmNeru.h"

#include "LineControl.h"
#include "MainWindowActions.h"

#include <QAction>
#include <QEvent>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

MainWindowLayout::Input frmNeru::layoutInput() const
{
    const double dpi = logicalDpi();
    MainWindowLayout::Input input;
    input.clientWidth = MainWindowLayout::pixelsToTwips(m_client->width(), dpi);
    input.clientHeight = MainWindowLayout::pixelsToTwips(m_client->height(), dpi);
    input.toolbarHeight = MainWindowLayout::pixelsToTwips(tbrToolbar->sizeHint().height(), dpi);
    input.statusBarHeight = MainWindowLayout::pixelsToTwips(staStatus->sizeHint().height(), dpi);
    // The check marks, not the bars, say whether a bar is shown.
    input.toolbarChecked = m_actions->showToolbar()->isChecked();
    input.statusBarChecked = m_actions->showStatusBar()->isChecked();
    input.flowCaptionWidth = MainWindowLayout::widthToTwips(
        lblFlow->fontMetrics().horizontalAdvance(lblFlow->text()), dpi);
    return input;
}

void frmNeru::setControls()
{
    const double dpi = logicalDpi();
    const int width = m_client->width();
    const int height = m_client->height();
    const int toolbarHeight = tbrToolbar->sizeHint().height();
    const int statusHeight = staStatus->sizeHint().height();
    tbrToolbar->setGeometry(0, 0, width, toolbarHeight);
    staStatus->setGeometry(0, height - statusHeight, width, statusHeight);

    const MainWindowLayout::Result r = MainWindowLayout::setControls(layoutInput());
    auto place = [dpi](QWidget *control, const QRect &twips) {
        control->setGeometry(MainWindowLayout::toPixels(twips, dpi));
    };
    place(Picture1, r.Picture1);
    place(hsbTime, r.hsbTime);
    place(cmdTimeZoomOut, r.cmdTimeZoomOut);
    place(cmdTimeZoomIn, r.cmdTimeZoomIn);
    place(lblFlow, r.lblFlow);
    place(vsbFlow, r.vsbFlow);
    place(cmdFlowZoomIn, r.cmdFlowZoomIn);
    place(cmdFlowZoomOut, r.cmdFlowZoomOut);

    auto draw = [dpi](LineControl *line, const QLine &twips) {
        line->setLine(MainWindowLayout::toPixels(twips, dpi));
    };
    draw(linFlowAxis, r.linFlowAxis);
    draw(linFlowMax, r.linFlowMax);
    draw(linFlowMid, r.linFlowMid);
    draw(linFlowMin, r.linFlowMin);
    place(lblFlowMax, r.lblFlowMax);
    place(lblFlowMid, r.lblFlowMid);
    place(lblFlowMin, r.lblFlowMin);
    draw(linTimeAxis, r.linTimeAxis);
    draw(linTimeMin, r.linTimeMin);
    draw(linTimeMid, r.linTimeMid);
    draw(linTimeMax, r.linTimeMax);
    place(lblTimeMin, r.lblTimeMin);
    place(lblTimeMid, r.lblTimeMid);
    place(lblTimeMax, r.lblTimeMax);
}

void frmNeru::updateMinimumSize()
{
    const double dpi = logicalDpi();
    const QSize twips = MainWindowLayout::minimumClientSize(layoutInput());
    m_client->setMinimumSize(MainWindowLayout::twipsToPixels(twips.width(), dpi),
                             MainWindowLayout::twipsToPixels(twips.height(), dpi));
}

void frmNeru::Form_Resize()
{
    if (isMinimized())
        return;
    setControls();
    emit plotResized();
}

bool frmNeru::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        Form_Resize();
    return QMainWindow::eventFilter(watched, event);
}

void frmNeru::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // A window restored from the task bar may keep its size and get no resize event.
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        Form_Resize();
}

// A click on the entry has inverted its check mark; the bar follows it.
void frmNeru::viewToolbarChecked()
{
    tbrToolbar->setVisible(m_actions->showToolbar()->isChecked());
    updateMinimumSize();
    Form_Resize();
}

void frmNeru::viewStatusBarChecked()
{
    staStatus->setVisible(m_actions->showStatusBar()->isChecked());
    updateMinimumSize();
    Form_Resize();
}

QImage frmNeru::captureGraphArea() const
{
    int top = 0;
    int height = m_client->height();
    if (m_actions->showToolbar()->isChecked()) {
        height -= tbrToolbar->height();
        top = tbrToolbar->height();
    }
    if (m_actions->showStatusBar()->isChecked())
        height -= staStatus->height();
    return captureWindowArea(*m_client, QRect(0, top, m_client->width(), qMax(height, 0)));
}

// The band is drawn into the picture rather than read off the screen, so a window that is
// covered or partly off the screen still gives the whole band.
QImage frmNeru::captureWindowArea(const QWidget &window, const QRect &area)
{
    const qreal ratio = window.devicePixelRatioF();
    QImage picture(area.size() * ratio, QImage::Format_RGB32);
    if (picture.isNull())
        return picture;
    picture.setDevicePixelRatio(ratio);
    picture.fill(window.palette().window().color());
    const_cast<QWidget &>(window).render(&picture, QPoint(), QRegion(area),
                                         QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return picture;
}
