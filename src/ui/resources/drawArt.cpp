// Draws the program's own pictures: the splash logo (120 x 137, 24 bits per pixel), the
// toolbar and zoom pictures in each bundled size and, given a second folder, the
// application icon in each size the desktop's icon theme asks for.
// Usage: neru-draw-art <resources folder> [<application icon folder>]
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdio>
#include <functional>

namespace {

const QColor kOutline(0x2e, 0x34, 0x36);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kGrey(0x88, 0x8a, 0x85);
const QColor kBlue(0x34, 0x65, 0xa4);
const QColor kLightBlue(0x72, 0x9f, 0xcf);
const QColor kDarkBlue(0x20, 0x4a, 0x87);
const QColor kGreen(0x4e, 0x9a, 0x06);
const QColor kRed(0xcc, 0x00, 0x00);
const QColor kYellow(0xed, 0xd4, 0x00);
const QColor kDarkYellow(0xc4, 0xa0, 0x00);

QPen pen(const QColor &colour, double width = 1.0)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void sheet(QPainter &p, const QRectF &r)
{
    p.setPen(pen(kOutline));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void logger(QPainter &p, const QRectF &r)
{
    p.setPen(pen(kDarkBlue));
    p.setBrush(kBlue);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd3, 0xea, 0xc2));
    p.drawRect(QRectF(r.left() + 2, r.top() + 1.5, r.width() - 4, 2.5));
}

void magnifier(QPainter &p, bool plus)
{
    p.setPen(pen(kOutline, 2.0));
    p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
    p.setPen(pen(kOutline, 1.2));
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(6.5, 6.5), 5.0, 5.0);
    p.setPen(pen(kBlue, 1.6));
    p.drawLine(QPointF(4.0, 6.5), QPointF(9.0, 6.5));
    if (plus)
        p.drawLine(QPointF(6.5, 4.0), QPointF(6.5, 9.0));
}

using Drawing = std::function<void(QPainter &)>;

const std::pair<const char *, Drawing> kIcons[] = {
    { "open",
      [](QPainter &p) {
          p.setPen(pen(kOutline));
          p.setBrush(kDarkYellow);
          p.drawPolygon(QPolygonF({ { 1.5, 3.5 },
                                    { 6.0, 3.5 },
                                    { 7.5, 5.0 },
                                    { 13.5, 5.0 },
                                    { 13.5, 13.5 },
                                    { 1.5, 13.5 } }));
          p.setBrush(kYellow);
          p.drawPolygon(QPolygonF({ { 1.5, 13.5 }, { 3.5, 7.5 }, { 15.0, 7.5 }, { 13.5, 13.5 } }));
      } },
    { "print",
      [](QPainter &p) {
          sheet(p, QRectF(4.5, 1.5, 7, 5));
          p.setPen(pen(kOutline));
          p.setBrush(kGrey);
          p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
          sheet(p, QRectF(4.5, 10.5, 7, 4.5));
          p.setPen(pen(kGreen));
          p.drawPoint(QPointF(12.5, 8.5));
      } },
    { "copy",
      [](QPainter &p) {
          sheet(p, QRectF(1.5, 1.5, 8, 10));
          sheet(p, QRectF(5.5, 4.5, 9, 10));
          p.setPen(pen(kBlue, 1.2));
          p.setBrush(Qt::NoBrush);
          p.drawPolyline(QPolygonF({ { 7.0, 12.5 },
                                     { 9.0, 12.5 },
                                     { 9.0, 9.0 },
                                     { 11.0, 9.0 },
                                     { 11.0, 7.0 },
                                     { 13.0, 7.0 } }));
      } },
    { "copytext",
      [](QPainter &p) {
          sheet(p, QRectF(1.5, 1.5, 8, 10));
          sheet(p, QRectF(5.5, 4.5, 9, 10));
          p.setPen(pen(kGrey, 1.0));
          for (double y : { 7.0, 9.5, 12.0 })
              p.drawLine(QPointF(7.5, y), QPointF(12.5, y));
      } },
    { "interrogate",
      [](QPainter &p) {
          logger(p, QRectF(1.5, 0.5, 13, 7));
          p.setPen(Qt::NoPen);
          p.setBrush(kGreen);
          p.drawPolygon(QPolygonF({ { 6.5, 8.0 },
                                    { 9.5, 8.0 },
                                    { 9.5, 11.0 },
                                    { 12.5, 11.0 },
                                    { 8.0, 15.5 },
                                    { 3.5, 11.0 },
                                    { 6.5, 11.0 } }));
      } },
    { "programrtc",
      [](QPainter &p) {
          p.setPen(pen(kOutline, 1.2));
          p.setBrush(kPaper);
          p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
          p.setPen(pen(kOutline, 1.4));
          p.drawLine(QPointF(8, 8), QPointF(8, 3.8));
          p.drawLine(QPointF(8, 8), QPointF(11.2, 9.5));
          p.setPen(Qt::NoPen);
          p.setBrush(kRed);
          p.drawEllipse(QPointF(8, 8), 1.2, 1.2);
      } },
    { "reprogram",
      [](QPainter &p) {
          logger(p, QRectF(1.5, 0.5, 13, 7));
          p.setPen(pen(kOutline, 1.0));
          for (double y : { 10.0, 13.5 })
              p.drawLine(QPointF(2.0, y), QPointF(14.0, y));
          p.setPen(pen(kDarkBlue, 1.0));
          p.setBrush(kLightBlue);
          p.drawRect(QRectF(4.5, 8.5, 2.5, 3));
          p.drawRect(QRectF(9.5, 12.0, 2.5, 3));
      } },
    { "nightflow",
      [](QPainter &p) {
          // A crescent moon over the night's bars of readings.
          QPainterPath moon;
          moon.addEllipse(QPointF(10.5, 4.5), 3.8, 3.8);
          QPainterPath bite;
          bite.addEllipse(QPointF(12.6, 3.0), 3.3, 3.3);
          p.setPen(pen(kDarkYellow, 0.8));
          p.setBrush(kYellow);
          p.drawPath(moon.subtracted(bite));
          p.setPen(pen(kDarkBlue, 1.0));
          p.setBrush(kLightBlue);
          p.drawRect(QRectF(1.5, 7.5, 3, 7));
          p.drawRect(QRectF(6.5, 10.5, 3, 4));
          p.drawRect(QRectF(11.5, 9.5, 3, 5));
      } },
    { "zoomin", [](QPainter &p) { magnifier(p, true); } },
    { "zoomout", [](QPainter &p) { magnifier(p, false); } },
};

bool saveIcon(const QString &folder, const char *name, const Drawing &draw, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
    p.end();
    return image.save(
        QStringLiteral("%1/icons/%2-%3.png").arg(folder, QLatin1String(name)).arg(size));
}

// A water drop over a step line of readings, in the logo's 120 x 137 coordinates.
void drawDrop(QPainter &p)
{
    QPainterPath drop;
    drop.moveTo(60, 8);
    drop.cubicTo(60, 8, 18, 62, 18, 86);
    drop.cubicTo(18, 110, 37, 128, 60, 128);
    drop.cubicTo(83, 128, 102, 110, 102, 86);
    drop.cubicTo(102, 62, 60, 8, 60, 8);
    QLinearGradient fill(30, 20, 95, 128);
    fill.setColorAt(0, kLightBlue);
    fill.setColorAt(1, kDarkBlue);
    p.setPen(QPen(kDarkBlue, 2));
    p.setBrush(fill);
    p.drawPath(drop);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 110), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(30, 62, 44, 52), 150 * 16, 60 * 16);

    p.setPen(QPen(Qt::white, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPolyline(QPolygonF({ { 28, 104 },
                               { 42, 104 },
                               { 42, 90 },
                               { 56, 90 },
                               { 56, 98 },
                               { 70, 98 },
                               { 70, 78 },
                               { 84, 78 },
                               { 84, 86 },
                               { 94, 86 } }));
}

bool saveLogo(const QString &folder)
{
    QImage image(120, 137, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawDrop(p);
    p.end();
    return image.save(folder + QStringLiteral("/logo.png"));
}

// The logo's drop alone on a transparent square, so it sits on any panel or menu colour.
bool saveAppIcon(const QString &folder, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The drop with its outline spans y 7 to 129 around x 60: centre it with a little room.
    const double scale = size / 128.0;
    p.translate(size / 2.0, size / 2.0);
    p.scale(scale, scale);
    p.translate(-60, -68);
    drawDrop(p);
    p.end();
    return image.save(QStringLiteral("%1/neru-%2.png").arg(folder).arg(size));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr,
                     "usage: neru-draw-art <resources folder> [<application icon folder>]\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder + QStringLiteral("/icons"));
    bool ok = saveLogo(folder);
    for (const auto &[name, draw] : kIcons) {
        for (int size : { 16, 24, 32, 48 })
            ok = saveIcon(folder, name, draw, size) && ok;
    }
    if (argc == 3) {
        const QString appIcons = QString::fromLocal8Bit(argv[2]);
        QDir().mkpath(appIcons);
        for (int size : { 16, 24, 32, 48, 64, 128, 256 })
            ok = saveAppIcon(appIcons, size) && ok;
    }
    if (!ok)
        std::fprintf(stderr, "neru-draw-art: a picture could not be written\n");
    return ok ? 0 : 1;
}
