#include "MainWindowLayout.h"

#include <algorithm>
#include <cmath>

namespace {

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

int nonNegative(int length)
{
    return std::max(0, length);
}

} // namespace

int MainWindowLayout::flowCaptionGrowth(const Input &input)
{
    return nonNegative(input.flowCaptionWidth - kFlowLabelSize.width());
}

int MainWindowLayout::half(int twips)
{
    return roundHalfEven(twips / 2.0);
}

MainWindowLayout::Result MainWindowLayout::place(const Input &input)
{
    const int W = input.clientWidth;
    const int S = input.clientHeight;
    const int T = input.toolbarChecked ? input.toolbarHeight : 0;
    const int B = input.statusBarChecked ? input.statusBarHeight : 0;
    const int button = kButtonSize.width();

    Result r;
    r.plot = QRect(1000, 455 + T, nonNegative(W - 1455), nonNegative(S - 1110 - B - T));
    const int plotLeft = r.plot.x();
    const int plotTop = r.plot.y();
    const int plotWidth = r.plot.width();
    const int plotHeight = r.plot.height();

    // A caption wider than its design box moves the zoom-out button and the scroll bar's
    // left end right by the difference; the scroll bar's right end stays.
    const int captionGrowth = flowCaptionGrowth(input);
    const int timeTop = plotTop - 355;
    const int timeBarRight = 1255 + nonNegative(plotWidth - 510);
    const int timeBarLeft = 1255 + captionGrowth;
    r.timeScrollBar
        = QRect(timeBarLeft, timeTop, nonNegative(timeBarRight - timeBarLeft), kScrollBarThickness);
    r.timeZoomOut = QRect(plotLeft + captionGrowth, timeTop, button, button);
    r.timeZoomIn = QRect(timeBarRight, timeTop, button, button);
    r.valueCaption
        = QRect(0, timeTop, kFlowLabelSize.width() + captionGrowth, kFlowLabelSize.height());
    r.valueScrollBar = QRect(plotLeft + plotWidth + 100, plotTop + 255, kScrollBarThickness,
                             nonNegative(plotHeight - 510));
    r.valueZoomIn = QRect(r.valueScrollBar.x(), plotTop, button, button);
    r.valueZoomOut = QRect(r.valueScrollBar.x(), r.valueScrollBar.y() + r.valueScrollBar.height(),
                           button, button);

    // Value axis left of the plot, its ticks pointing left, each label centred on its
    // tick and ending 100 left of it.
    const int axisX = plotLeft - 100;
    const int tickEnd = plotLeft - 200;
    r.valueAxis = QLine(axisX, plotTop, axisX, plotTop + plotHeight);
    r.valueMaxTick = QLine(axisX, plotTop, tickEnd, plotTop);
    const int midY = plotTop + half(plotHeight);
    r.valueMidTick = QLine(axisX, midY, tickEnd, midY);
    const int minY = plotTop + plotHeight - 10;
    r.valueMinTick = QLine(axisX, minY, tickEnd, minY);
    const QSize value = kValueLabelSize;
    const int valueLeft = tickEnd - value.width() - 100;
    const int valueHalf = half(value.height());
    r.valueMaxLabel = QRect(QPoint(valueLeft, plotTop - valueHalf), value);
    r.valueMidLabel = QRect(QPoint(valueLeft, midY - valueHalf), value);
    r.valueMinLabel = QRect(QPoint(valueLeft, minY - valueHalf), value);

    // Time axis below the plot, its ticks pointing down, the labels under the ticks.
    const int axisY = plotTop + plotHeight + 100;
    const int tickBottom = axisY + 100;
    const int midX = plotLeft + half(plotWidth);
    const int maxX = plotLeft + plotWidth;
    r.timeAxis = QLine(plotLeft, axisY, maxX, axisY);
    r.timeMinTick = QLine(plotLeft, axisY, plotLeft, tickBottom);
    r.timeMidTick = QLine(midX, axisY, midX, tickBottom);
    r.timeMaxTick = QLine(maxX, axisY, maxX, tickBottom);
    const QSize time = kTimeLabelSize;
    r.timeMinLabel = QRect(QPoint(plotLeft - 400, tickBottom), time);
    r.timeMidLabel = QRect(QPoint(midX - half(time.width()), tickBottom), time);
    r.timeMaxLabel = QRect(QPoint(maxX - time.width() + 400, tickBottom), time);
    return r;
}

QSize MainWindowLayout::minimumClientSize(const Input &input)
{
    const int T = input.toolbarChecked ? input.toolbarHeight : 0;
    const int B = input.statusBarChecked ? input.statusBarHeight : 0;
    // A plot of 1020 twips leaves each scroll bar 510 between its zoom buttons, and the time
    // scroll bar as much again as a wide caption takes from it.
    const int plot = 1020;
    return QSize(1455 + plot + flowCaptionGrowth(input), 1110 + plot + T + B);
}

int MainWindowLayout::twipsToPixels(int twips, double dpi)
{
    return roundHalfEven(twips * dpi / kTwipsPerInch);
}

int MainWindowLayout::pixelsToTwips(int pixels, double dpi)
{
    return dpi > 0 ? roundHalfEven(pixels * kTwipsPerInch / dpi) : 0;
}

int MainWindowLayout::widthToTwips(int pixels, double dpi)
{
    return dpi > 0 ? static_cast<int>(std::ceil(pixels * kTwipsPerInch / dpi)) : 0;
}

QRect MainWindowLayout::toPixels(const QRect &twips, double dpi)
{
    return QRect(twipsToPixels(twips.x(), dpi), twipsToPixels(twips.y(), dpi),
                 twipsToPixels(twips.width(), dpi), twipsToPixels(twips.height(), dpi));
}

QLine MainWindowLayout::toPixels(const QLine &twips, double dpi)
{
    return QLine(twipsToPixels(twips.x1(), dpi), twipsToPixels(twips.y1(), dpi),
                 twipsToPixels(twips.x2(), dpi), twipsToPixels(twips.y2(), dpi));
}
