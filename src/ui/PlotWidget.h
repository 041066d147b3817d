#pragma once

#include <QPointF>
#include <QRectF>
#include <QWidget>

class PlotModel;

// The plot area: paints the graph's model with the one painter of the plot, and turns the
// mouse and the keys into requests, in pixels of the plot. A press and release that moves
// less than 4 pixels is a click and places the cursor where it is let go (Shift and the
// left button: cursor B); a left drag pans; a right drag, or Shift and a left drag, draws
// a box to zoom to. The wheel zooms time about the pointer, with Ctrl the values. The left
// and right arrow keys step the cursor on release, and the release of any other key
// brings it back into the window; Home and End, Page Up and Page Down, + and − and Esc
// act when pressed.
class PlotWidget : public QWidget
{
    Q_OBJECT

public:
    // A press that moves this many pixels or more along either axis is a drag.
    static constexpr int kDragDistance = 4;
    // A wheel event this long after the one before it starts a new gesture.
    static constexpr unsigned long kWheelGestureGap = 500; // milliseconds

    explicit PlotWidget(QWidget *parent = nullptr);
    ~PlotWidget() override;

    // The model painted from now on; none paints a blank plot. It must outlive its use here.
    void setModel(const PlotModel *model);

signals:
    // A click let go `x` pixels from the left edge: any button but the left with Shift.
    void cursorPlaced(double x);
    // A key let go: -1 for the left arrow, 1 for the right one, 0 for any other key.
    void cursorStepped(int intervals);
    // Shift and a left click `x` pixels from the left edge; Esc.
    void secondCursorPlaced(double x);
    void secondCursorRemoved();
    // A left drag moved (dx, dy) pixels since the last report.
    void panned(double dx, double dy);
    // A box drawn with the right button (or Shift and the left), in pixels, on release.
    void boxDrawn(const QRectF &box);
    // `steps` zoom steps (positive: in) about the pointer's time at `x` or, with Ctrl, its
    // value at `y`. `newGesture` on the first steps of a wheel gesture.
    void timeZoomed(double x, int steps, bool newGesture);
    void valueZoomed(double y, int steps, bool newGesture);
    // + or −: one zoom step of time about the cursor; `newGesture` unless the key repeats.
    void cursorZoomed(int steps, bool newGesture);
    // Home and End.
    void cursorToFirst();
    void cursorToLast();
    // Page Up (-1) and Page Down (1).
    void paged(int pages);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    enum class Drag { None, Pending, Pan, Box };

    void press(QMouseEvent *event);
    bool startsBox(Qt::MouseButton button) const;

    const PlotModel *m_model = nullptr;
    // The press that is under way: its button, whether Shift was held, where it started and
    // where the pointer was last reported.
    Drag m_drag = Drag::None;
    Qt::MouseButton m_button = Qt::NoButton;
    bool m_shift = false;
    QPointF m_pressedAt;
    QPointF m_lastAt;
    QRectF m_box; // the box being drawn, while m_drag is Box
    // The wheel's part of a step not yet taken, and the gesture it belongs to.
    int m_wheelRemainder = 0;
    bool m_wheelSeen = false;
    bool m_wheelGestureFresh = false;
    unsigned long m_lastWheelAt = 0;
};
