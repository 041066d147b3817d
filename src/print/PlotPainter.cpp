#include "PlotPainter.h"

#include "CurvePath.h"
#include "PlotModel.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

// A tick label stands this far from the plot's left edge, and its white backing reaches
// this far beyond its text on every side, in pixels.
constexpr double kLabelIndent = 3.0;
constexpr double kBackingMargin = 1.0;

QColor toColour(quint32 rgb)
{
    return QColor(QRgb(rgb));
}

// One device pixel wide at any scale and on any device, so that an exported figure draws
// hairlines too. Lines are never smoothed: the curve's steps fall on whole pixels.
QPen linePen(quint32 rgb, bool dashed = false)
{
    QPen pen(toColour(rgb), 0.0, dashed ? Qt::DashLine : Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

// Sets the pen only when it changes: most lines of an array share one.
void usePen(QPainter &painter, quint32 rgb, bool dashed = false)
{
    const QPen &pen = painter.pen();
    const Qt::PenStyle style = dashed ? Qt::DashLine : Qt::SolidLine;
    if (pen.color() != toColour(rgb) || pen.style() != style || pen.widthF() != 0.0)
        painter.setPen(linePen(rgb, dashed));
}

void drawLines(QPainter &painter, const ElementArray<PlotLine> &lines)
{
    for (qint32 i = 0; i < lines.count(); ++i) {
        const PlotLine &line = lines[i];
        if (!line.visible)
            continue;
        usePen(painter, line.colour, line.dashed);
        painter.drawLine(QLineF(line.x1, line.y1, line.x2, line.y2));
    }
}

void drawCurve(QPainter &painter, const ElementArray<PlotLine> &curve)
{
    for (const CurvePath::Run &run : CurvePath::of(curve, curve.count())) {
        usePen(painter, run.colour);
        painter.drawPolyline(run.points.data(), static_cast<int>(run.points.size()));
    }
}

void drawMarkers(QPainter &painter, const PlotElements &e)
{
    drawLines(painter, e.markerLines);
    for (qint32 i = 0; i < e.markerCaptions.count(); ++i) {
        const PlotCaption &caption = e.markerCaptions[i];
        if (!caption.visible)
            continue;
        painter.setPen(toColour(caption.colour));
        painter.drawText(QRectF(caption.left, caption.top, caption.width, caption.height),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, caption.caption);
    }
    for (qint32 i = 0; i < e.markerDots.count(); ++i) {
        const PlotShape &dot = e.markerDots[i];
        if (!dot.visible)
            continue;
        painter.setPen(linePen(dot.colour));
        painter.setBrush(toColour(dot.colour));
        painter.drawEllipse(QRectF(dot.left, dot.top, dot.width, dot.height));
    }
    painter.setBrush(Qt::NoBrush);
}

// A label on a white backing, so that it reads over the curve and the grid, moved inside
// the plot where its line stands near an edge.
void drawLabel(QPainter &painter, const QFontMetricsF &metrics, const QSizeF &plot,
               const QPointF &topLeft, const QString &text)
{
    const QSizeF size(metrics.horizontalAdvance(text), metrics.height());
    const double left
        = std::max(kLabelIndent, std::min(topLeft.x(), plot.width() - size.width() - kLabelIndent));
    const double top = std::max(0.0, std::min(topLeft.y(), plot.height() - size.height()));
    const QRectF box(QPointF(left, top), size);
    painter.fillRect(box.adjusted(-kBackingMargin, -kBackingMargin, kBackingMargin, kBackingMargin),
                     Qt::white);
    painter.drawText(QPointF(box.left(), box.top() + metrics.ascent()), text);
}

// Values along the left edge, each centred on its line; times along the bottom edge, each
// centred on its line one text line up, with the date of a day's first line under it.
void drawTickLabels(QPainter &painter, const PlotModel &model)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double line = metrics.height();
    const double bottom = model.size().height();
    painter.setPen(Qt::black);
    for (const PlotTick &tick : model.valueTicks())
        drawLabel(painter, metrics, model.size(), QPointF(kLabelIndent, tick.position - line / 2.0),
                  tick.text);
    for (const PlotTick &tick : model.timeTicks()) {
        const double timeLeft = tick.position - metrics.horizontalAdvance(tick.text) / 2.0;
        drawLabel(painter, metrics, model.size(), QPointF(timeLeft, bottom - 2.0 * line),
                  tick.text);
        if (tick.dateText.isEmpty())
            continue;
        const double dateLeft = tick.position - metrics.horizontalAdvance(tick.dateText) / 2.0;
        drawLabel(painter, metrics, model.size(), QPointF(dateLeft, bottom - line), tick.dateText);
    }
}

void drawCursor(QPainter &painter, const ElementArray<PlotLine> &cursor)
{
    const PlotLine &line = cursor[0];
    if (!line.visible)
        return;
    usePen(painter, line.colour, line.dashed);
    painter.drawLine(QLineF(line.x1, line.y1, line.x2, line.y2));
}

} // namespace

void PlotPainter::paint(QPainter &painter, const PlotModel &model, const Options &options)
{
    const PlotElements &e = model.elements();
    const QRectF area(QPointF(0.0, 0.0), model.size());
    painter.save();
    // Risers are not cut to the value window and parked elements lie left of the plot:
    // nothing may reach past the plot's edges onto what surrounds it.
    painter.setClipRect(area, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, Qt::white);
    for (qint32 i = 0; i < e.nightShades.count(); ++i) {
        const PlotBand &band = e.nightShades[i];
        if (band.visible)
            painter.fillRect(QRectF(band.left, band.top, band.width, band.height),
                             toColour(band.colour));
    }
    drawLines(painter, e.timeGrid);
    drawLines(painter, e.valueGrid);
    drawCurve(painter, e.curve);
    drawMarkers(painter, e);
    if (model.grid())
        drawTickLabels(painter, model);
    if (options.cursors) {
        drawCursor(painter, e.cursorLine);
        drawCursor(painter, e.secondCursorLine);
    }
    painter.restore();
}

QSizeF PlotPainter::tickLabelSize(const QFontMetricsF &metrics)
{
    const double date = metrics.horizontalAdvance(QStringLiteral("00/00/0000"));
    const double time = metrics.horizontalAdvance(QStringLiteral("00:00:00"));
    return QSizeF(std::max(date, time), metrics.height());
}
