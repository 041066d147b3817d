#include "PlotPainter.h"

#include "PlotModel.h"

#include <QFontMetricsF>
#include <QPainter>

// A first cut: the ground and the curve's segments one by one.
void PlotPainter::paint(QPainter &painter, const PlotModel &model, const Options &)
{
    painter.fillRect(QRectF(QPointF(0, 0), model.size()), Qt::white);
    const PlotElements &e = model.elements();
    for (qint32 i = 0; i < e.curve.count(); ++i) {
        const PlotLine &line = e.curve[i];
        if (!line.visible)
            continue;
        painter.setPen(QPen(QColor(QRgb(line.colour)), 0.0));
        painter.drawLine(QLineF(line.x1, line.y1, line.x2, line.y2));
    }
}

QSizeF PlotPainter::tickLabelSize(const QFontMetricsF &metrics)
{
    return QSizeF(metrics.horizontalAdvance(QStringLiteral("00/00/0000")), metrics.height());
}
