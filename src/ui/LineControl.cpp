#include "LineControl.h"

#include <QPalette>

#include <algorithm>
#include <cstdlib>

LineControl::LineControl(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::WindowText));
    setPalette(palette);
}

void LineControl::setLine(const QLine &line)
{
    m_line = line;
    // One pixel thick, covering both end points (the window's lines are all horizontal
    // or vertical).
    setGeometry(std::min(line.x1(), line.x2()), std::min(line.y1(), line.y2()),
                std::abs(line.dx()) + 1, std::abs(line.dy()) + 1);
}
