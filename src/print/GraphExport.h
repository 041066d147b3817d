#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>

class PlotModel;
class QPainter;

// File > Export Graph and the batch tool's graph command: a figure of the plot as the
// window shows it (its view, unit, grid, night shading and markers, no cursors, scroll
// bars or buttons) with a heading and the axis labels, drawn afresh at the chosen size as
// PNG, SVG or PDF. PNG and SVG are sized in pixels, PDF in millimetres.
class GraphExport
{
public:
    enum class Format { Png, Svg, Pdf };

    // What the figure says around the plot.
    struct Figure
    {
        // "District 10452", then the title and the comment lines that are not empty.
        QStringList heading;
        QString valueCaption; // "Flow (l/s)"
    };

    // The heading of a district's texts: its number, title and comment lines.
    static QStringList heading(const QString &district, const QString &title,
                               const QString &comments1, const QString &comments2);

    // The format a file name's extension names (.png, .svg or .pdf in any case); none for
    // anything else.
    static std::optional<Format> formatOf(const QString &fileName);
    // Why a file name names no format: what to write instead.
    static QString formatRefusal(const QString &fileName);
    // "px" or "mm": how the size of a figure in `format` is counted.
    static QString sizeUnit(Format format);
    // 1600 x 900 pixels, or an A4 page on its side (297 x 210 mm) for PDF.
    static QSizeF defaultSize(Format format);
    // The smallest and largest width or height in the format's unit: room for the heading
    // and the labels, and a picture that fits in memory.
    static double minimumSide(Format format);
    static double maximumSide(Format format);
    // Empty when `size` can be drawn; else what is wrong with it.
    static QString sizeRefusal(Format format, const QSizeF &size);

    // The file's bytes: a figure of `view` at `size`. `view` is left as it is; a copy is
    // drawn at the figure's plot size.
    static QByteArray render(Format format, const QSizeF &size, const PlotModel &view,
                             const Figure &figure);
    // Renders and writes the figure to `path` whole: a failed write leaves an old file as
    // it was. False when it was not written; `failure` then names the file and the reason.
    static bool save(const QString &path, Format format, const QSizeF &size, const PlotModel &view,
                     const Figure &figure, QString &failure);

    // Draws the figure on `painter` over `area` (device pixels).
    static void paint(QPainter &painter, const QSizeF &area, const PlotModel &view,
                      const Figure &figure);
};
