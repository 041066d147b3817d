#pragma once

#include <QGraphicsView>

#include <vector>

class PlotElements;
class QGraphicsEllipseItem;
class QGraphicsLineItem;
class QGraphicsRectItem;
class QGraphicsSimpleTextItem;
template<typename Element> class ElementArray;
struct PlotBand;
struct PlotLine;

// The plot area: a retained scene whose coordinates are the widget's pixels. It holds one
// scene item per plot element, created when the element first appears and never deleted,
// and follows the elements' changes on sync(). Lines are cosmetic: one device pixel wide
// at any scale. A click places the cursor where it is let go; the left and right arrow
// keys step it, and any other key only brings it back into the window.
class PlotWidget : public QGraphicsView
{
    Q_OBJECT

public:
    explicit PlotWidget(QWidget *parent = nullptr);
    ~PlotWidget() override;

    // Brings the scene up to date with the elements changed since the last sync.
    void sync(PlotElements &elements);

    // Scene items of the curve, for the benchmark's check that a series was drawn.
    qsizetype curveItemCount() const { return static_cast<qsizetype>(m_curve.size()); }

signals:
    // Any mouse button let go `x` pixels from the left edge.
    void cursorPlaced(double x);
    // A key let go: -1 for the left arrow, 1 for the right one, 0 for any other key.
    void cursorStepped(int intervals);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void fitSceneToWidget();
    QGraphicsLineItem *newLine(qreal z);
    void syncLines(ElementArray<PlotLine> &lines, std::vector<QGraphicsLineItem *> &items, qreal z);
    void syncCaptions(PlotElements &elements);
    void syncShapes(PlotElements &elements);
    void syncBands(ElementArray<PlotBand> &bands, std::vector<QGraphicsRectItem *> &items);

    QGraphicsScene *m_scene;
    std::vector<QGraphicsLineItem *> m_curve;
    std::vector<QGraphicsLineItem *> m_markerLines;
    std::vector<QGraphicsSimpleTextItem *> m_markerCaptions;
    std::vector<QGraphicsEllipseItem *> m_markerDots;
    std::vector<QGraphicsLineItem *> m_cursorLine;
    std::vector<QGraphicsLineItem *> m_timeGrid;
    std::vector<QGraphicsLineItem *> m_valueGrid;
    std::vector<QGraphicsRectItem *> m_nightShades;
};
