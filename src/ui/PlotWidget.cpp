#include "PlotWidget.h"

#include "PlotElements.h"

#include <QGraphicsEllipseItem>
#include <QGraphicsLineItem>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// Stacking from the bottom up: night shades, grid, curve, reference lines, their
// captions and dots, and the cursor on top of everything.
constexpr qreal kNightShadeZ = -2.0;
constexpr qreal kGridZ = -1.0;
constexpr qreal kCurveZ = 0.0;
constexpr qreal kMarkerLineZ = 1.0;
constexpr qreal kMarkerZ = 2.0;
constexpr qreal kCursorZ = 3.0;

QColor toColor(quint32 rgb)
{
    return QColor(QRgb(rgb));
}

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
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

PlotWidget::PlotWidget(QWidget *parent)
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

PlotWidget::~PlotWidget() = default;

// The view shows exactly the plot; what lies outside it is clipped away.
void PlotWidget::fitSceneToWidget()
{
    setSceneRect(0.0, 0.0, width(), height());
}

void PlotWidget::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    fitSceneToWidget();
}

QGraphicsLineItem *PlotWidget::newLine(qreal z)
{
    auto *item = new QGraphicsLineItem; // owned by the scene from the next line on
    m_scene->addItem(item);
    item->setZValue(z);
    item->setPen(cosmeticPen(PlotColour::Black));
    return item;
}

void PlotWidget::syncLines(ElementArray<PlotLine> &lines, std::vector<QGraphicsLineItem *> &items,
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

void PlotWidget::syncCaptions(PlotElements &elements)
{
    for (const qint32 index : elements.markerCaptions.takeChanges()) {
        const auto i = static_cast<size_t>(index);
        while (m_markerCaptions.size() <= i) {
            auto *item = new QGraphicsSimpleTextItem;
            m_scene->addItem(item);
            item->setZValue(kMarkerZ);
            item->setFont(font());
            m_markerCaptions.push_back(item);
        }
        const PlotCaption &caption = elements.markerCaptions[index];
        QGraphicsSimpleTextItem *item = m_markerCaptions[i];
        item->setPos(caption.left, caption.top);
        item->setText(caption.caption);
        if (item->brush().color() != toColor(caption.colour))
            item->setBrush(toColor(caption.colour));
        item->setVisible(caption.visible);
    }
}

void PlotWidget::syncShapes(PlotElements &elements)
{
    for (const qint32 index : elements.markerDots.takeChanges()) {
        const auto i = static_cast<size_t>(index);
        while (m_markerDots.size() <= i) {
            auto *item = new QGraphicsEllipseItem;
            m_scene->addItem(item);
            item->setZValue(kMarkerZ);
            item->setPen(cosmeticPen(PlotColour::Black));
            item->setBrush(toColor(PlotColour::Black));
            m_markerDots.push_back(item);
        }
        const PlotShape &shape = elements.markerDots[index];
        QGraphicsEllipseItem *item = m_markerDots[i];
        item->setRect(0.0, 0.0, shape.width, shape.height);
        item->setPos(shape.left, shape.top);
        if (item->brush().color() != toColor(shape.colour)) {
            item->setPen(cosmeticPen(shape.colour));
            item->setBrush(toColor(shape.colour));
        }
        item->setVisible(shape.visible);
    }
}

// A shade gets its item when it is first shown, so a plot never shaded has none.
void PlotWidget::syncBands(ElementArray<PlotBand> &bands, std::vector<QGraphicsRectItem *> &items)
{
    for (const qint32 index : bands.takeChanges()) {
        const PlotBand &band = bands[index];
        const auto i = static_cast<size_t>(index);
        if (items.size() <= i && !band.visible)
            continue;
        while (items.size() <= i) {
            auto *item = new QGraphicsRectItem;
            m_scene->addItem(item);
            item->setZValue(kNightShadeZ);
            item->setPen(Qt::NoPen);
            items.push_back(item);
        }
        QGraphicsRectItem *item = items[i];
        item->setRect(band.left, band.top, band.width, band.height);
        if (item->brush().color() != toColor(band.colour))
            item->setBrush(toColor(band.colour));
        item->setVisible(band.visible);
    }
}

void PlotWidget::sync(PlotElements &elements)
{
    syncBands(elements.nightShades, m_nightShades);
    syncLines(elements.timeGrid, m_timeGrid, kGridZ);
    syncLines(elements.valueGrid, m_valueGrid, kGridZ);
    syncLines(elements.curve, m_curve, kCurveZ);
    syncLines(elements.markerLines, m_markerLines, kMarkerLineZ);
    syncCaptions(elements);
    syncShapes(elements);
    syncLines(elements.cursorLine, m_cursorLine, kCursorZ);
}

// The plot neither scrolls nor drags: a click only places the cursor, on release.
void PlotWidget::mousePressEvent(QMouseEvent *event)
{
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void PlotWidget::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
}

void PlotWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void PlotWidget::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    emit cursorPlaced(event->position().x());
}

void PlotWidget::wheelEvent(QWheelEvent *event)
{
    event->ignore(); // the view itself has nothing to scroll
}

void PlotWidget::keyPressEvent(QKeyEvent *event)
{
    // Arrow keys move the cursor on release; they must not scroll the view.
    if (isArrowKey(event->key())) {
        event->accept();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void PlotWidget::keyReleaseEvent(QKeyEvent *event)
{
    // A held key moves the cursor once, when it is let go.
    if (event->isAutoRepeat()) {
        event->accept();
        return;
    }
    event->accept();
    const int key = event->key();
    emit cursorStepped(key == Qt::Key_Left ? -1 : key == Qt::Key_Right ? 1 : 0);
}
