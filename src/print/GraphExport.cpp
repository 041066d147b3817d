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

// The figure's text and spacing in device pixels. They grow with the figure: about 10
// points on an A4 page or a screen-sized picture.
struct Style
{
    Style(const QSizeF &area, QPaintDevice *device)
        : fontPixels(std::max(6.0, std::min(area.height() / 60.0, area.width() / 80.0)))
        , font(fontOf(fontPixels, false))
        , headingFont(fontOf(1.4 * fontPixels, true))
        , metrics(font, device)
        , headingHeight(QFontMetricsF(headingFont, device).height())
        , line(metrics.height())
        , gap(0.3 * fontPixels)
        , margin(2.0 * fontPixels)
        , tick(0.5 * fontPixels)
    { }

    static QFont fontOf(double pixels, bool bold)
    {
        QFont font;
        font.setPixelSize(qRound(pixels));
        font.setBold(bold);
        return font;
    }

    double fontPixels;
    QFont font;
    QFont headingFont;
    QFontMetricsF metrics;
    double headingHeight;
    double line;
    double gap;
    double margin;
    double tick; // an axis tick's length, outside the frame
};

// The heading's lines and the value caption from the top margin down; returns where the
// plot may start.
double drawHeading(QPainter &painter, const Style &style, double width,
                   const GraphExport::Figure &figure)
{
    double y = style.margin;
    const auto lineOf = [&](const QString &text, double height) {
        painter.drawText(QRectF(style.margin, y, width - 2.0 * style.margin, height),
                         Qt::AlignLeft | Qt::AlignTop, text);
        y += height;
    };
    for (qsizetype k = 0; k < figure.heading.size(); ++k) {
        painter.setFont(k == 0 ? style.headingFont : style.font);
        lineOf(figure.heading[k], k == 0 ? style.headingHeight : style.line);
    }
    painter.setFont(style.font);
    y += style.line;
    lineOf(figure.valueCaption, style.line);
    // The top value label stands half a line above the plot's top edge.
    return y + style.line / 2.0;
}

// The frame around the plot at `frame`; off the grid, the three labels and ticks of each axis
// outside it as on screen.
void drawAxes(QPainter &painter, const Style &style, const QRectF &frame, const PlotModel &plot)
{
    painter.setFont(style.font);
    painter.setPen(QPen(Qt::black, std::max(1.0, style.fontPixels / 12.0)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(frame);
    if (plot.grid())
        return;
    const PlotAxisLabels &labels = plot.axisLabels();
    const PlotState &state = plot.state();
    const double bottom = plot.yOf(state.viewMin);
    const std::pair<double, const QString *> values[] = {
        { 0.0, &labels.valueTop },
        { (bottom + plot.yOf(state.viewMax)) / 2.0, &labels.valueMiddle },
        { bottom, &labels.valueBottom },
    };
    const double textRight = frame.left() - style.tick - style.gap;
    for (const auto &[y, text] : values) {
        const double at = frame.top() + y;
        painter.drawLine(QLineF(frame.left() - style.tick, at, frame.left(), at));
        painter.drawText(QRectF(0.0, at - style.line / 2.0, textRight, style.line),
                         Qt::AlignRight | Qt::AlignVCenter, *text);
    }
    const std::pair<double, const QString *> times[] = {
        { frame.left(), &labels.timeStart },
        { frame.center().x(), &labels.timeMiddle },
        { frame.right(), &labels.timeEnd },
    };
    const double textTop = frame.bottom() + style.tick + style.gap;
    for (const auto &[x, text] : times) {
        painter.drawLine(QLineF(x, frame.bottom(), x, frame.bottom() + style.tick));
        const double width = style.metrics.horizontalAdvance(*text) + style.line;
        painter.drawText(QRectF(x - width / 2.0, textTop, width, style.line),
                         Qt::AlignHCenter | Qt::AlignTop, *text);
    }
}

} // namespace

QStringList GraphExport::heading(const QString &district, const QString &title,
                                 const QString &comments1, const QString &comments2)
{
    QStringList lines { (QStringLiteral("District ") + district.trimmed()).trimmed() };
    for (const QString &text : { title, comments1, comments2 }) {
        if (!text.trimmed().isEmpty())
            lines.append(text.trimmed());
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
    const Style style(area, painter.device());
    painter.fillRect(QRectF(QPointF(0, 0), area), Qt::white);
    painter.setPen(Qt::black);
    const double top = drawHeading(painter, style, area.width(), figure);

    // Off the grid the axis labels take room outside the frame; the grid labels its lines
    // inside it.
    QRectF frame(QPointF(style.margin, top),
                 QPointF(area.width() - style.margin, area.height() - style.margin));
    if (!view.grid()) {
        const PlotAxisLabels &labels = view.axisLabels();
        const QFontMetricsF &m = style.metrics;
        const double valueWidth = std::max({ m.horizontalAdvance(labels.valueTop),
                                             m.horizontalAdvance(labels.valueMiddle),
                                             m.horizontalAdvance(labels.valueBottom) });
        frame.setLeft(style.margin
                      + std::max(valueWidth + style.gap + style.tick,
                                 m.horizontalAdvance(labels.timeStart) / 2.0));
        frame.setRight(frame.right() - m.horizontalAdvance(labels.timeEnd) / 2.0);
        frame.setBottom(frame.bottom() - style.tick - style.gap - style.line);
    }

    // The window's view drawn afresh at the frame's size, so the curve is as sharp as the
    // figure.
    PlotModel plot(view);
    plot.setTickLabelSize(PlotPainter::tickLabelSize(style.metrics));
    plot.resize(frame.size());
    painter.save();
    painter.translate(frame.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), frame.size()));
    painter.setFont(style.font);
    PlotPainter::paint(painter, plot, PlotPainter::Options { false });
    painter.restore();
    drawAxes(painter, style, frame, plot);
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
