#pragma once

#include <QLine>
#include <QRect>
#include <QSize>

// Where the controls of the main window go for a client area of a given size, in twips
// (1/1440 inch) from the top-left corner of the client area, which includes the strips
// of the toolbar and the status bar. No widgets here, so the numbers can be checked
// without a display.
class MainWindowLayout
{
public:
    static constexpr int kTwipsPerInch = 1440;

    // Design sizes of the controls that keep their size.
    static constexpr QSize kButtonSize { 255, 255 };
    static constexpr QSize kFlowLabelSize { 975, 255 };
    static constexpr QSize kValueLabelSize { 735, 255 };
    static constexpr QSize kTimeLabelSize { 1080, 555 };
    static constexpr int kScrollBarThickness = 255;

    struct Input
    {
        int clientWidth = 0; // W
        int clientHeight = 0; // S
        // The bars' real heights; they count only while their View entry is checked.
        int toolbarHeight = 0;
        int statusBarHeight = 0;
        bool toolbarChecked = true;
        bool statusBarChecked = true;
        // The value-axis caption's text width; the caption's box grows to hold it and pushes
        // the time zoom-out button and scroll bar right.
        int flowCaptionWidth = 0;
    };

    struct Result
    {
        QRect plot;
        QRect timeScrollBar;
        QRect timeZoomOut;
        QRect timeZoomIn;
        QRect valueCaption;
        QRect valueScrollBar;
        QRect valueZoomIn;
        QRect valueZoomOut;

        QLine valueAxis;
        QLine valueMaxTick;
        QLine valueMidTick;
        QLine valueMinTick;
        QRect valueMaxLabel;
        QRect valueMidLabel;
        QRect valueMinLabel;

        QLine timeAxis;
        QLine timeMinTick;
        QLine timeMidTick;
        QLine timeMaxTick;
        QRect timeMinLabel;
        QRect timeMidLabel;
        QRect timeMaxLabel;
    };

    // Sizes that would come out negative in a small client area are clamped at zero.
    static Result place(const Input &input);

    // The smallest client area in which the plot still has room for its scroll bars.
    static QSize minimumClientSize(const Input &input);

    // Conversions at a screen's logical resolution (dots per inch), rounded to the
    // nearest whole unit, a tie to the even one.
    static int twipsToPixels(int twips, double dpi);
    static int pixelsToTwips(int pixels, double dpi);
    // A width on screen in twips, rounded up so that it converts back to at least as many
    // pixels.
    static int widthToTwips(int pixels, double dpi);
    static QRect toPixels(const QRect &twips, double dpi);
    static QLine toPixels(const QLine &twips, double dpi);

    // Half of a length in whole twips, a tie to the even one.
    static int half(int twips);

private:
    // How much wider than its design box the value-axis caption is.
    static int flowCaptionGrowth(const Input &input);
};
