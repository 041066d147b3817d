#include "PrintingSurface.h"

#include "ApplicationName.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QLocale>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QPointF>
#include <QRectF>

namespace {

constexpr double kHundredthsPerInch = 2540.0;
// Room a PDF page keeps at its edges: lines that flow onto a new page start this far down.
constexpr double kPdfEdgeMillimetres = 5.0;

QRectF inHundredths(const QRectF &millimetres)
{
    return { millimetres.x() * 100.0, millimetres.y() * 100.0, millimetres.width() * 100.0,
             millimetres.height() * 100.0 };
}

} // namespace

PrintingSurface::PrintingSurface(QPagedPaintDevice &device)
    : m_device(device)
    , m_font(QFontDatabase::systemFont(QFontDatabase::GeneralFont))
{ }

void PrintingSurface::setUpPdf(QPdfWriter &writer, const QString &title)
{
    const QPageSize paper(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                              ? QPageSize::Letter
                              : QPageSize::A4);
    writer.setCreator(ApplicationName::title());
    writer.setTitle(title);
    writer.setPageLayout(QPageLayout(paper, QPageLayout::Portrait,
                                     QMarginsF(kPdfEdgeMillimetres, kPdfEdgeMillimetres,
                                               kPdfEdgeMillimetres, kPdfEdgeMillimetres),
                                     QPageLayout::Millimeter));
}

PrintingSurface::~PrintingSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

void PrintingSurface::setOrientation(QPageLayout::Orientation orientation)
{
    m_device.setPageOrientation(orientation);
}

QPointF PrintingSurface::physicalOffset() const
{
    const QPageLayout layout = m_device.pageLayout();
    const QRectF paper = inHundredths(layout.fullRect(QPageLayout::Millimeter));
    const QRectF printable = inHundredths(layout.paintRect(QPageLayout::Millimeter));
    return printable.topLeft() - paper.topLeft();
}

QSizeF PrintingSurface::pageSize() const
{
    return inHundredths(m_device.pageLayout().paintRect(QPageLayout::Millimeter)).size();
}

QSizeF PrintingSurface::paperSize() const
{
    return inHundredths(m_device.pageLayout().fullRect(QPageLayout::Millimeter)).size();
}

void PrintingSurface::setFontName(const QString &name)
{
    const int points = m_font.pointSize();
    if (QFontDatabase::hasFamily(name)) {
        m_font = QFont(name);
    } else {
        // What the name would be matched with tells whether it asked for a fixed pitch.
        const bool fixed = QFontInfo(QFont(name)).fixedPitch();
        m_font = QFontDatabase::systemFont(fixed ? QFontDatabase::FixedFont
                                                 : QFontDatabase::GeneralFont);
    }
    if (points > 0)
        m_font.setPointSize(points);
}

void PrintingSurface::setFontSize(int points)
{
    m_font.setPointSize(points);
}

void PrintingSurface::setCurrentX(double x)
{
    m_x = x;
}

void PrintingSurface::setCurrentY(double y)
{
    m_y = y;
    m_placed = true;
}

void PrintingSurface::printLine(const QString &text)
{
    if (!begin())
        return;
    m_painter.setFont(m_font);
    const QFontMetricsF metrics(m_font, &m_device);
    const double lineHeight = fromDeviceY(metrics.lineSpacing());
    if (!m_placed && m_y > 0.0 && m_y + lineHeight > pageSize().height()) {
        if (!m_device.newPage()) {
            m_failed = true;
            return;
        }
        m_y = 0.0;
    }
    m_painter.drawText(QPointF(toDeviceX(m_x), toDeviceY(m_y) + metrics.ascent()), text);
    m_y += lineHeight;
    m_placed = false;
}

void PrintingSurface::paintPicture(const QImage &picture, const QRectF &area)
{
    if (!begin())
        return;
    const QRectF target(toDeviceX(area.x()), toDeviceY(area.y()), toDeviceX(area.width()),
                        toDeviceY(area.height()));
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.drawImage(target, picture);
}

bool PrintingSurface::endDoc()
{
    // A job with nothing on it still makes its one page.
    if (!begin())
        return false;
    if (!m_painter.end())
        m_failed = true;
    return !m_failed;
}

bool PrintingSurface::begin()
{
    if (m_failed)
        return false;
    if (!m_begun) {
        m_begun = true;
        if (!m_painter.begin(&m_device))
            m_failed = true;
    }
    return !m_failed && m_painter.isActive();
}

double PrintingSurface::toDeviceX(double x) const
{
    return x * m_device.logicalDpiX() / kHundredthsPerInch;
}

double PrintingSurface::toDeviceY(double y) const
{
    return y * m_device.logicalDpiY() / kHundredthsPerInch;
}

double PrintingSurface::fromDeviceY(double pixels) const
{
    return pixels * kHundredthsPerInch / m_device.logicalDpiY();
}
