#include "GraphExport.h"

#include "ApplicationName.h"
#include "PlotModel.h"
#include "PlotPainter.h"
#include "WholeFile.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>

namespace {

// A PDF page is laid out in dots of this many to the inch.
constexpr int kPdfResolution = 300;

// The places of the figure's parts, in device pixels.
struct Layout
{
    double fontPixels = 0.0;
    double margin = 0.0;
    double tick = 0.0; // length of an axis tick, outside the plot
    QRectF plot;
};

QString headingLine(const QString &text)
{
    return text.trimmed();
}

} // namespace

QStringList GraphExport::heading(const QString &district, const QString &title,
                                 const QString &comments1, const QString &comments2)
{
    QStringList lines { (QStringLiteral("District ") + headingLine(district)).trimmed() };
    for (const QString &text : { title, comments1, comments2 }) {
        if (!headingLine(text).isEmpty())
            lines.append(headingLine(text));
    }
    return lines;
}

std::optional<GraphExport::Format> GraphExport::formatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return Format::Png;
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return std::nullopt;
}

QString GraphExport::formatRefusal(const QString &fileName)
{
    return fileName
        + QStringLiteral(": a graph is written as PNG, SVG or PDF: name the file with .png, .svg "
                         "or .pdf at its end");
}

QString GraphExport::sizeUnit(Format format)
{
    return format == Format::Pdf ? QStringLiteral("mm") : QStringLiteral("px");
}

QSizeF GraphExport::defaultSize(Format format)
{
    return format == Format::Pdf ? QSizeF(297.0, 210.0) : QSizeF(1600.0, 900.0);
}

double GraphExport::minimumSide(Format format)
{
    return format == Format::Pdf ? 50.0 : 200.0;
}

double GraphExport::maximumSide(Format format)
{
    return format == Format::Pdf ? 1000.0 : 8000.0;
}

QString GraphExport::sizeRefusal(Format format, const QSizeF &size)
{
    const double low = minimumSide(format);
    const double high = maximumSide(format);
    for (const double side : { size.width(), size.height() }) {
        if (!(side >= low && side <= high))
            return QStringLiteral("the width and the height are from %1 to %2 %3")
                .arg(low)
                .arg(high)
                .arg(sizeUnit(format));
    }
    return QString();
}

void GraphExport::paint(QPainter &painter, const QSizeF &area, const PlotModel &view,
                        const Figure &figure)
{
    // The text grows with the figure, about 10 points on a page or a screen-sized picture.
    Layout l;
    l.fontPixels = std::max(6.0, std::min(area.height() / 60.0, area.width() / 80.0));
    l.margin = 2.0 * l.fontPixels;
    l.tick = 0.5 * l.fontPixels;
    QFont font;
    font.setPixelSize(qRound(l.fontPixels));
    QFont headingFont = font;
    headingFont.setPixelSize(qRound(1.4 * l.fontPixels));
    headingFont.setBold(true);
    const QFontMetricsF metrics(font, painter.device());
    const QFontMetricsF headingMetrics(headingFont, painter.device());
    const double line = metrics.height();
    const double gap = 0.3 * l.fontPixels;

    painter.fillRect(QRectF(QPointF(0, 0), area), Qt::white);
    painter.setPen(Qt::black);
    double y = l.margin;
    for (qsizetype k = 0; k < figure.heading.size(); ++k) {
        const bool first = k == 0;
        painter.setFont(first ? headingFont : font);
        const double height = first ? headingMetrics.height() : line;
        painter.drawText(QRectF(l.margin, y, area.width() - 2.0 * l.margin, height),
                         Qt::AlignLeft | Qt::AlignTop, figure.heading[k]);
        y += height;
    }
    painter.setFont(font);
    y += line;
    painter.drawText(QRectF(l.margin, y, area.width() - 2.0 * l.margin, line),
                     Qt::AlignLeft | Qt::AlignTop, figure.valueCaption);
    // The top value label stands half a line above the plot's top edge.
    y += 1.5 * line;

    // Off the grid, the three labels of each axis stand outside the plot as on screen;
    // the grid labels its lines inside it.
    const bool outside = !view.grid();
    const PlotAxisLabels &labels = view.axisLabels();
    double left = l.margin;
    double right = area.width() - l.margin;
    double bottom = area.height() - l.margin;
    if (outside) {
        const double valueWidth = std::max({ metrics.horizontalAdvance(labels.valueTop),
                                             metrics.horizontalAdvance(labels.valueMiddle),
                                             metrics.horizontalAdvance(labels.valueBottom) });
        left = std::max(l.margin + valueWidth + gap + l.tick,
                        l.margin + metrics.horizontalAdvance(labels.timeStart) / 2.0);
        right -= metrics.horizontalAdvance(labels.timeEnd) / 2.0;
        bottom -= l.tick + gap + line;
    }
    l.plot = QRectF(QPointF(left, y), QPointF(right, bottom));

    // The window's view drawn afresh at the plot's size, so the curve is as sharp as the
    // figure.
    PlotModel plot(view);
    plot.setTickLabelSize(PlotPainter::tickLabelSize(metrics));
    plot.resize(l.plot.size());
    painter.save();
    painter.translate(l.plot.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), l.plot.size()));
    PlotPainter::paint(painter, plot, PlotPainter::Options { false });
    painter.restore();

    painter.setFont(font);
    painter.setPen(QPen(Qt::black, std::max(1.0, l.fontPixels / 12.0)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(l.plot);
    if (!outside)
        return;
    const PlotAxisLabels &shown = plot.axisLabels();
    const PlotState &state = plot.state();
    const double values[] = { 0.0, (plot.yOf(state.viewMin) + plot.yOf(state.viewMax)) / 2.0,
                              plot.yOf(state.viewMin) };
    const QString *valueTexts[] = { &shown.valueTop, &shown.valueMiddle, &shown.valueBottom };
    for (int k = 0; k < 3; ++k) {
        const double at = l.plot.top() + values[k];
        painter.drawLine(QLineF(l.plot.left() - l.tick, at, l.plot.left(), at));
        painter.drawText(
            QRectF(l.margin, at - line / 2.0, l.plot.left() - l.tick - gap - l.margin, line),
            Qt::AlignRight | Qt::AlignVCenter, *valueTexts[k]);
    }
    const double times[] = { l.plot.left(), l.plot.center().x(), l.plot.right() };
    const QString *timeTexts[] = { &shown.timeStart, &shown.timeMiddle, &shown.timeEnd };
    for (int k = 0; k < 3; ++k) {
        painter.drawLine(QLineF(times[k], l.plot.bottom(), times[k], l.plot.bottom() + l.tick));
        const double width = metrics.horizontalAdvance(*timeTexts[k]) + line;
        painter.drawText(
            QRectF(times[k] - width / 2.0, l.plot.bottom() + l.tick + gap, width, line),
            Qt::AlignHCenter | Qt::AlignTop, *timeTexts[k]);
    }
}

QByteArray GraphExport::render(Format format, const QSizeF &size, const PlotModel &view,
                               const Figure &figure)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const QString title = figure.heading.value(0);
    switch (format) {
    case Format::Png: {
        QImage image(size.toSize(), QImage::Format_RGB32);
        // Too large for the memory left: nothing to write.
        if (image.isNull())
            return QByteArray();
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter, QSizeF(image.size()), view, figure);
        painter.end();
        image.save(&buffer, "PNG");
        break;
    }
    case Format::Svg: {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), size));
        // A pixel of the figure is a CSS pixel, as a browser or a drawing program counts it.
        svg.setResolution(96);
        svg.setTitle(title);
        svg.setDescription(figure.heading.join(u'\n'));
        QPainter painter(&svg);
        paint(painter, size, view, figure);
        painter.end();
        break;
    }
    case Format::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kPdfResolution);
        // Exactly the size asked for, not the nearest paper size standing upright.
        pdf.setPageLayout(
            QPageLayout(QPageSize(size, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        pdf.setTitle(title);
        pdf.setCreator(ApplicationName::title());
        QPainter painter(&pdf);
        paint(painter, QSizeF(pdf.width(), pdf.height()), view, figure);
        painter.end();
        break;
    }
    }
    return buffer.data();
}

bool GraphExport::save(const QString &path, Format format, const QSizeF &size,
                       const PlotModel &view, const Figure &figure, QString &failure)
{
    const QByteArray bytes = render(format, size, view, figure);
    QString reason = bytes.isEmpty() ? QStringLiteral("the figure could not be drawn at this size")
                                     : QString();
    if (reason.isEmpty() && WholeFile::write(path, bytes, reason))
        return true;
    failure = path + QStringLiteral(": ") + reason;
    return false;
}
