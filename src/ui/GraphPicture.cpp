#include "GraphPicture.h"

#include "PlotElements.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

constexpr double kTwipsPerInch = 1440.0;

// Stacking from the bottom up: grid, curve, reference lines, their captions and dots,
// and the cursor on top of everything.
constexpr qreal kGridZ = -1.0;
constexpr qreal kCurveZ = 0.0;
constexpr qreal kRefLineZ = 1.0;
constexpr qreal kRefMarkZ = 2.0;
constexpr qreal kCursorZ = 3.0;

QColor toColor(quint32 rgb)
{
    return QColor(QRgb(rgb));
}

// One device pixel wide whatever the scale and the screen's density. Width 0 rather
// than 1: an item with a pen of width 0 finds its bounds without stroking its outline,
// which is most of the cost of painting thousands of segments.
QPen cosmeticPen(quint32 rgb)
{
    QPen pen(toColor(rgb), 0.0);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

GraphPicture::GraphPicture(QWidget *parent)
    : QGraphicsView(parent)
    , m_scene(new QGraphicsScene(this))
{
    setObjectName(QStringLiteral("Picture1"));
    // Most items move on every draw: an index would cost more than it saves.
    m_scene->setItemIndexMethod(QGraphicsScene::NoIndex);
    setScene(m_scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTransformationAnchor(QGraphicsView::NoAnchor);
    setResizeAnchor(QGraphicsView::NoAnchor);
    setInteractive(false);
    setDragMode(QGraphicsView::NoDrag);
    setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    setOptimizationFlags(QGraphicsView::DontSavePainterState
                         | QGraphicsView::DontAdjustForAntialiasing);
    setRenderHint(QPainter::Antialiasing, false);
    setBackgroundBrush(Qt::white);
    setFocusPolicy(Qt::StrongFocus);
    fitSceneToWidget();
}

GraphPicture::~GraphPicture() = default;

double GraphPicture::twipsPerPixelX() const
{
    return m_twipsPerPixelX;
}

double GraphPicture::twipsPerPixelY() const
{
    return m_twipsPerPixelY;
}

double GraphPicture::plotWidth() const
{
    return width() * m_twipsPerPixelX;
}

double GraphPicture::plotHeight() const
{
    return height() * m_twipsPerPixelY;
}

void GraphPicture::fitSceneToWidget()
{
    const int dpiX = logicalDpiX() > 0 ? logicalDpiX() : 96;
    const int dpiY = logicalDpiY() > 0 ? logicalDpiY() : 96;
    m_twipsPerPixelX = kTwipsPerInch / dpiX;
    m_twipsPerPixelY = kTwipsPerInch / dpiY;
    setTransform(QTransform::fromScale(1.0 / m_twipsPerPixelX, 1.0 / m_twipsPerPixelY));
    // The view shows exactly the plot; what lies outside it is clipped away.
    setSceneRect(0.0, 0.0, plotWidth(), plotHeight());
}

void GraphPicture::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    fitSceneToWidget();
}

void GraphPicture::showEvent(QShowEvent *event)
{
    QGraphicsView::showEvent(event);
    fitSceneToWidget(); // the screen, and with it the resolution, is known now
}

QGraphicsLineItem *GraphPicture::newLine(qreal z)
{
    auto *item = new QGraphicsLineItem; // owned by the scene from the next line on
    m_scene->addItem(item);
    item->setZValue(z);
    // The default pen is one twip wide, a faint fraction of a pixel.
    item->setPen(cosmeticPen(PlotColour::Black));
    return item;
}

void GraphPicture::syncLines(ElementArray<PlotLine> &lines, std::vector<QGraphicsLineItem *> &items,
                             qreal z)
{
    for (const qint32 index : lines.takeChanges()) {
        const auto i = static_cast<size_t>(index);
        while (items.size() <= i)
            items.push_back(newLine(z));
        const PlotLine &line = lines[index];
        QGraphicsLineItem *item = items[i];
        item->setLine(QLineF(line.x1, line.y1, line.x2, line.y2));
        if (item->pen().color() != toColor(line.colour))
            item->setPen(cosmeticPen(line.colour));
        item->setVisible(line.visible);
    }
}

void GraphPicture::syncCaptions(PlotElements &elements)
{
    for (const qint32 index : elements.lblRef.takeChanges()) {
        const auto i = static_cast<size_t>(index);
        while (m_lblRef.size() <= i) {
            auto *item = new QGraphicsSimpleTextItem;
            m_scene->addItem(item);
            item->setZValue(kRefMarkZ);
            // The text keeps its size in pixels; only its position is in twips.
            item->setFlag(QGraphicsItem::ItemIgnoresTransformations);
            item->setFont(font());
            m_lblRef.push_back(item);
        }
        const PlotCaption &caption = elements.lblRef[index];
        QGraphicsSimpleTextItem *item = m_lblRef[i];
        item->setPos(caption.left, caption.top);
        item->setText(caption.caption);
        if (item->brush().color() != toColor(caption.colour))
            item->setBrush(toColor(caption.colour));
        item->setVisible(caption.visible);
    }
}

void GraphPicture::syncShapes(PlotElements &elements)
{
    for (const qint32 index : elements.shpRef.takeChanges()) {
        const auto i = static_cast<size_t>(index);
        while (m_shpRef.size() <= i) {
            auto *item = new QGraphicsEllipseItem;
            m_scene->addItem(item);
            item->setZValue(kRefMarkZ);
            item->setPen(cosmeticPen(PlotColour::Black));
            item->setBrush(toColor(PlotColour::Black));
            m_shpRef.push_back(item);
        }
        const PlotShape &shape = elements.shpRef[index];
        QGraphicsEllipseItem *item = m_shpRef[i];
        item->setRect(0.0, 0.0, shape.width, shape.height);
        item->setPos(shape.left, shape.top);
        if (item->brush().color() != toColor(shape.colour)) {
            item->setPen(cosmeticPen(shape.colour));
            item->setBrush(toColor(shape.colour));
        }
        item->setVisible(shape.visible);
    }
}

void GraphPicture::sync(PlotElements &elements)
{
    syncLines(elements.linXGrid, m_linXGrid, kGridZ);
    syncLines(elements.LinYGrid, m_LinYGrid, kGridZ);
    syncLines(elements.LinBar, m_LinBar, kCurveZ);
    syncLines(elements.linRef, m_linRef, kRefLineZ);
    syncCaptions(elements);
    syncShapes(elements);
    syncLines(elements.linCursor, m_linCursor, kCursorZ);
}

int GraphPicture::keyCode(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    default:
        return 0;
    }
}

int GraphPicture::buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int GraphPicture::shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

// The plot neither scrolls nor drags: a click only places the cursor, on release.
void GraphPicture::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void GraphPicture::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void GraphPicture::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void GraphPicture::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const QPointF at = event->position();
    emit mouseUp(buttonCode(event->button()), shiftCode(event->modifiers()),
                 at.x() * m_twipsPerPixelX, at.y() * m_twipsPerPixelY);
}

void GraphPicture::wheelEvent(QWheelEvent *event)
{
    event->ignore(); // the view itself has nothing to scroll
}

void GraphPicture::keyPressEvent(QKeyEvent *event)
{
    // Arrow keys move the cursor on release; they must not scroll the view.
    if (keyCode(event->key()) != 0) {
        event->accept();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void GraphPicture::keyReleaseEvent(QKeyEvent *event)
{
    // A held key moves the cursor once, when it is let go.
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    event->accept();
    emit keyUp(keyCode(event->key()), shiftCode(event->modifiers()));
}
