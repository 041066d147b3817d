#pragma once

#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <QSizeF>
#include <QString>

class QImage;
class QPagedPaintDevice;
class QPdfWriter;
class QPointF;
class QRectF;

// The pages of a printer or of a PDF file, as the printing code uses them: a font, a
// current position, lines of text and pictures. Positions and sizes are in hundredths of
// a millimetre from the top-left corner of the printable area, where the device's own
// coordinates start. A line that follows the one before and does not fit goes to the top
// of a new page; a line placed at a height is printed there.
class PrintingSurface
{
public:
    explicit PrintingSurface(QPagedPaintDevice &device);
    ~PrintingSurface();

    PrintingSurface(const PrintingSurface &) = delete;
    PrintingSurface &operator=(const PrintingSurface &) = delete;

    // The pages of a report saved as PDF, by the window and the batch tool alike: the
    // locale's paper (Letter where US measures are used, A4 elsewhere), portrait, with 5 mm
    // kept at every edge as a printer's unprintable strips would be; the program as its
    // creator and `title` as its title.
    static void setUpPdf(QPdfWriter &writer, const QString &title);

    // Portrait or landscape for the pages to come: the first one's, before anything is
    // printed.
    void setOrientation(QPageLayout::Orientation orientation);

    // The unprintable strips at the paper's left and top edges, from the device's paper
    // and printable rectangles.
    QPointF physicalOffset() const;
    // The printable area, and the whole sheet.
    QSizeF pageSize() const;
    QSizeF paperSize() const;

    // The named family where it is installed; otherwise the system's fixed-pitch or
    // general font, whichever the name stands for.
    void setFontName(const QString &name);
    void setFontSize(int points);
    QString fontFamily() const { return m_font.family(); }

    void setCurrentX(double x);
    void setCurrentY(double y);
    double currentY() const { return m_y; }

    // Prints a line with its top at the current position and moves down by the font's
    // line spacing.
    void printLine(const QString &text);
    void paintPicture(const QImage &picture, const QRectF &area);

    // Ends the document (for a printer this sends the job). False when the device
    // could not be written to or started.
    bool endDoc();

private:
    bool begin();
    double toDeviceX(double x) const;
    double toDeviceY(double y) const;
    double fromDeviceY(double pixels) const;

    QPagedPaintDevice &m_device;
    QPainter m_painter;
    QFont m_font;
    double m_x = 0.0;
    double m_y = 0.0;
    // The next line was placed at a height, so it does not flow onto a new page.
    bool m_placed = false;
    bool m_begun = false;
    bool m_failed = false;
};
