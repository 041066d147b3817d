#pragma once

#include "PlotExtent.h"

#include <QGraphicsView>

#include <vector>

class PlotElements;
class QGraphicsEllipseItem;
class QGraphicsLineItem;
class QGraphicsSimpleTextItem;
template<typename Element> class ElementArray;
struct PlotLine;

// The plot area Picture1: a retained scene whose coordinates are twips, shown at the
// screen's logical resolution. It holds one scene item per plot element, created when
// the element first appears and never deleted, and follows the elements' changes on
// sync(). Lines are cosmetic: one device pixel wide at any scale. Mouse and key
// releases are passed on in twips and in the key codes the graph expects.
class GraphPicture : public QGraphicsView, public PlotExtent
{
    Q_OBJECT

public:
    explicit GraphPicture(QWidget *parent = nullptr);
    ~GraphPicture() override;

    // Outer size in twips (the widget has no frame, so that is the drawing area).
    double plotWidth() const override;
    double plotHeight() const override;
    double twipsPerPixelX() const;
    double twipsPerPixelY() const;

    // Brings the scene up to date with the elements changed since the last sync.
    void sync(PlotElements &elements);

    // Scene items per element array, for inspection.
    qsizetype curveItemCount() const { return static_cast<qsizetype>(m_LinBar.size()); }
    qsizetype refItemCount() const { return static_cast<qsizetype>(m_linRef.size()); }

    // Key codes of the arrow keys as the graph expects them; 0 for other keys.
    static int keyCode(int qtKey);
    // Mouse buttons (1 left, 2 right, 4 middle) and shift state (1 shift, 2 ctrl, 4 alt).
    static int buttonCode(Qt::MouseButton button);
    static int shiftCode(Qt::KeyboardModifiers modifiers);

signals:
    void mouseUp(int button, int shift, double x, double y);
    void keyUp(int keyCode, int shift);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
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

    QGraphicsScene *m_scene;
    std::vector<QGraphicsLineItem *> m_LinBar;
    std::vector<QGraphicsLineItem *> m_linRef;
    std::vector<QGraphicsSimpleTextItem *> m_lblRef;
    std::vector<QGraphicsEllipseItem *> m_shpRef;
    std::vector<QGraphicsLineItem *> m_linCursor;
    std::vector<QGraphicsLineItem *> m_linXGrid;
    std::vector<QGraphicsLineItem *> m_LinYGrid;
    double m_twipsPerPixelX = 15.0;
    double m_twipsPerPixelY = 15.0;
};
