#include "CaptureRoutines.h"

#include "PrintingSurface.h"

#include <QImage>
#include <QPointF>
#include <QRectF>

#include <algorithm>
#include <cmath>

namespace {

// A fixed-pitch character is 0.6 em wide; a point is 1/72 inch, in hundredths of a mm.
constexpr double kCharacterWidthPerPoint = 0.6 * 2540.0 / 72.0;
constexpr qint32 kNightFlowTop = 1500;
constexpr double kNightFlowChartHeight = 9000.0;

} // namespace

void CaptureRoutines::getPrinterOffsets(const PrintingSurface &printer)
{
    const QPointF offset = printer.physicalOffset();
    printerOffsetX = static_cast<qint32>(offset.x());
    printerOffsetY = static_cast<qint32>(offset.y());
}

void CaptureRoutines::printLineAt(PrintingSurface &printer, const QString &lineText, qint16 left,
                                  qint16 top, qint16 fontSize, const QString &fontName)
{
    if (!fontName.isEmpty())
        printer.setFontName(fontName);
    if (fontSize > 0)
        printer.setFontSize(fontSize);
    if (top > 0)
        printer.setCurrentY(top - printerOffsetY);
    printer.setCurrentX(left - printerOffsetX);
    printer.printLine(lineText);
}

void CaptureRoutines::printPictureInMargins(PrintingSurface &printer, const QImage &picture,
                                            qint32 &margin)
{
    if (picture.isNull())
        return;
    printer.setOrientation(picture.height() >= picture.width() ? QPageLayout::Portrait
                                                               : QPageLayout::Landscape);
    getPrinterOffsets(printer);
    const double pictureRatio = double(picture.width()) / picture.height();
    // The margin is kept on every side of the sheet, so the picture sits in its middle.
    const QSizeF page = printer.paperSize();
    const double availableWidth = page.width() - 2.0 * margin;
    const double availableHeight = page.height() - 2.0 * margin;
    if (availableWidth <= 0.0 || availableHeight <= 0.0)
        return;
    const double pageRatio = availableWidth / availableHeight;
    QSizeF printed;
    if (pictureRatio >= pageRatio)
        printed = { availableWidth, availableWidth / pictureRatio };
    else
        printed = { availableHeight * pictureRatio, availableHeight };
    printer.paintPicture(
        picture, QRectF(QPointF(margin - printerOffsetX, margin - printerOffsetY), printed));
}

bool CaptureRoutines::printTable(PrintingSurface &printer, const QStringList &lines)
{
    getPrinterOffsets(printer);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (k == 0)
            printLineAt(printer, lines.at(k), kMargin, 2100, 10, QStringLiteral("Courier New"));
        else
            printLineAt(printer, lines.at(k), kMargin, 0, 0, QString());
    }
    return printer.endDoc();
}

bool CaptureRoutines::printGraph(PrintingSurface &printer, const QImage &graph,
                                 const QString &caption, const QString &printed)
{
    qint32 margin = kMargin;
    printPictureInMargins(printer, graph, margin);
    getPrinterOffsets(printer);
    printLineAt(printer, caption, kMargin, 1000, 10, QStringLiteral("Arial"));
    printLineAt(printer, printed, kMargin, 20000, 0, QString());
    return printer.endDoc();
}

bool CaptureRoutines::printNightFlow(PrintingSurface &printer, const QImage &chart,
                                     const QStringList &lines)
{
    printer.setOrientation(QPageLayout::Landscape);
    getPrinterOffsets(printer);
    const double width = printer.paperSize().width() - 2.0 * kMargin;
    double below = kNightFlowTop;
    if (!chart.isNull() && width > 0.0) {
        QSizeF printed(width, width * chart.height() / chart.width());
        if (printed.height() > kNightFlowChartHeight)
            printed = QSizeF(kNightFlowChartHeight * chart.width() / chart.height(),
                             kNightFlowChartHeight);
        printer.paintPicture(
            chart,
            QRectF(QPointF(kMargin - printerOffsetX, kNightFlowTop - printerOffsetY), printed));
        below += printed.height() + 500.0;
    }
    qsizetype longest = 1;
    for (const QString &line : lines)
        longest = std::max(longest, line.size());
    const int points = std::clamp(
        static_cast<int>(std::floor(width / (longest * kCharacterWidthPerPoint))), 6, 10);
    for (qsizetype k = 0; k < lines.size(); ++k) {
        if (k == 0)
            printLineAt(printer, lines.at(k), kMargin, qint16(below), qint16(points),
                        QStringLiteral("Courier New"));
        else
            printLineAt(printer, lines.at(k), kMargin, 0, 0, QString());
    }
    return printer.endDoc();
}
