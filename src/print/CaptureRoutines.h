#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class PrintingSurface;
class QImage;

// Printing of the reports: lines placed on the paper, a picture fitted inside margins,
// and the two printed reports built on them. Positions are hundredths of a millimetre
// from the paper's top-left corner; the printer's unprintable strips are taken off
// before the printing surface is told.
class CaptureRoutines
{
public:
    // The margin around a printed picture, and the left edge of every printed line.
    static constexpr qint32 kMargin = 2000;

    // Reads the printer's unprintable strips into printerOffsetX and printerOffsetY.
    void getPrinterOffsets(const PrintingSurface &printer);

    // Prints one line at `left`; at `top` when above 0, else below the line before. The
    // font name and size change only when given (not empty, above 0).
    void printLineAt(PrintingSurface &printer, const QString &lineText, qint16 left, qint16 top,
                     qint16 fontSize, const QString &fontName);

    // Prints the picture as large as fits inside `margin` from all four edges of the sheet,
    // keeping its
    // shape, on a page turned to the picture's shape (portrait when it is at least as
    // tall as wide).
    void printPictureInMargins(PrintingSurface &printer, const QImage &picture, qint32 &margin);

    // The printed text report: its first line 21 mm from the top in Courier New 10 pt, the
    // others below it in the same font, onto further pages as needed; then the job is
    // sent. False when the printer failed.
    bool printTable(PrintingSurface &printer, const QStringList &lines);

    // The printed graph: the picture inside 20 mm margins, `caption` 10 mm from the top
    // and `printed` 200 mm from the top, in Arial 10 pt, on one page; then the job is sent.
    bool printGraph(PrintingSurface &printer, const QImage &graph, const QString &caption,
                    const QString &printed);

    // The night-flow report on landscape pages: the chart across the first page below a
    // 15 mm top margin, at most 90 mm high, then `lines` (the heading, the table in aligned
    // columns and the sentences) in Courier New, as large as lets the longest line fit
    // between the margins up to 10 pt, onto further pages as needed; then the job is sent.
    bool printNightFlow(PrintingSurface &printer, const QImage &chart, const QStringList &lines);

    qint32 printerOffsetX = 0;
    qint32 printerOffsetY = 0;
};
