#include "PlotWidget.h"

#include "PlotModel.h"
#include "PlotPainter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// One notch of a mouse wheel; a touchpad sends its fractions.
constexpr int kWheelStep = 120;

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

} // namespace

PlotWidget::PlotWidget(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setFocusPolicy(Qt::StrongFocus);
    // The painter covers the plot with its white ground: nothing needs clearing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PlotWidget::~PlotWidget() = default;

void PlotWidget::setModel(const PlotModel *model)
{
    m_model = model;
    update();
}

void PlotWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QRegion rest(rect());
    if (m_model) {
        // The captions and tick labels in the widget's font.
        painter.setFont(font());
        PlotPainter::paint(painter, *m_model, PlotPainter::Options());
        rest -= QRect(QPoint(0, 0), m_model->size().toSize());
    }
    // Until the model follows a new size, the strip it does not cover is blank.
    for (const QRect &strip : rest)
        painter.fillRect(strip, Qt::white);
    if (m_drag == Drag::Box) {
        QPen dotted(Qt::black, 0.0, Qt::DotLine);
        dotted.setCosmetic(true);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(m_box);
    }
}

// The right button and Shift with the left draw a box; the left alone pans; the middle
// button only clicks.
bool PlotWidget::startsBox(Qt::MouseButton button) const
{
    return button == Qt::RightButton || (button == Qt::LeftButton && m_shift);
}

void PlotWidget::press(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    event->accept();
    // A second button pressed during a press is not a gesture of its own.
    if (m_drag != Drag::None)
        return;
    m_drag = Drag::Pending;
    m_button = event->button();
    m_shift = event->modifiers().testFlag(Qt::ShiftModifier);
    m_pressedAt = m_lastAt = event->position();
}

void PlotWidget::mousePressEvent(QMouseEvent *event)
{
    press(event);
}

// The second press of a double click is a press like the first.
void PlotWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    press(event);
}

void PlotWidget::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    const QPointF at = event->position();
    if (m_drag == Drag::Pending) {
        const QPointF moved = at - m_pressedAt;
        const bool far
            = std::abs(moved.x()) >= kDragDistance || std::abs(moved.y()) >= kDragDistance;
        if (!far)
            return;
        if (startsBox(m_button))
            m_drag = Drag::Box;
        else if (m_button == Qt::LeftButton)
            m_drag = Drag::Pan;
        else
            return;
        if (m_drag == Drag::Pan)
            setCursor(Qt::ClosedHandCursor);
    }
    if (m_drag == Drag::Pan) {
        const QPointF delta = at - m_lastAt;
        m_lastAt = at;
        emit panned(delta.x(), delta.y());
    } else if (m_drag == Drag::Box) {
        m_box = QRectF(m_pressedAt, at).normalized();
        update();
    }
}

void PlotWidget::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const QPointF at = event->position();
    // A release of a button other than the one that began a drag ends nothing.
    if (m_drag != Drag::None && event->button() != m_button)
        return;
    const Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag == Drag::Pan) {
        unsetCursor();
        if (at != m_lastAt)
            emit panned(at.x() - m_lastAt.x(), at.y() - m_lastAt.y());
    } else if (drag == Drag::Box) {
        update();
        emit boxDrawn(QRectF(m_pressedAt, at).normalized());
    } else if (drag == Drag::Pending && m_button == Qt::LeftButton && m_shift) {
        emit secondCursorPlaced(at.x());
    } else {
        emit cursorPlaced(at.x());
    }
}

void PlotWidget::wheelEvent(QWheelEvent *event)
{
    event->accept();
    const unsigned long at = event->timestamp();
    const bool newGesture = !m_wheelSeen || event->phase() == Qt::ScrollBegin || at < m_lastWheelAt
        || at - m_lastWheelAt > kWheelGestureGap;
    m_wheelSeen = true;
    m_lastWheelAt = at;
    if (newGesture) {
        m_wheelRemainder = 0;
        m_wheelGestureFresh = true;
    }
    // Bounded, so that the sum cannot overflow: more steps would only pass the limits.
    m_wheelRemainder += std::clamp(event->angleDelta().y(), -kWheelStep * 64, kWheelStep * 64);
    const int steps = m_wheelRemainder / kWheelStep; // towards 0: the rest waits
    if (steps == 0)
        return;
    m_wheelRemainder -= steps * kWheelStep;
    const bool first = m_wheelGestureFresh;
    m_wheelGestureFresh = false;
    if (event->modifiers().testFlag(Qt::ControlModifier))
        emit valueZoomed(event->position().y(), steps, first);
    else
        emit timeZoomed(event->position().x(), steps, first);
}

void PlotWidget::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    switch (event->key()) {
    case Qt::Key_Home:
        emit cursorToFirst();
        break;
    case Qt::Key_End:
        emit cursorToLast();
        break;
    case Qt::Key_PageUp:
        emit paged(-1);
        break;
    case Qt::Key_PageDown:
        emit paged(1);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        emit cursorZoomed(1, !event->isAutoRepeat());
        break;
    case Qt::Key_Minus:
        emit cursorZoomed(-1, !event->isAutoRepeat());
        break;
    case Qt::Key_Escape:
        if (!event->isAutoRepeat())
            emit secondCursorRemoved();
        break;
    default:
        // Arrow keys move the cursor on release; other keys go to the window.
        if (!isArrowKey(event->key()))
            QWidget::keyPressEvent(event);
    }
}

void PlotWidget::keyReleaseEvent(QKeyEvent *event)
{
    // A held key moves the cursor once, when it is let go.
    event->accept();
    if (event->isAutoRepeat())
        return;
    const int key = event->key();
    emit cursorStepped(key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0);
}
