#include "MainWindowLayout.h"

#include <QtTest>

using Input = MainWindowLayout::Input;

// The main window's layout in twips, on the design's client area (9525 x 6150), toolbar
// (360) and status bar (405). How the bars move the plot is tested on the window.
class tst_MainWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void controlsAroundThePlot()
    {
        const auto r = MainWindowLayout::setControls(Input { 9525, 6150, 360, 405, true, true });
        QCOMPARE(r.Picture1, QRect(1000, 815, 8070, 4275));
        QCOMPARE(r.hsbTime, QRect(1255, 460, 7560, 255));
        QCOMPARE(r.cmdTimeZoomOut, QRect(1000, 460, 255, 255));
        QCOMPARE(r.cmdTimeZoomIn, QRect(8815, 460, 255, 255)); // right edge on the plot's
        QCOMPARE(r.lblFlowTop, 460);
        QCOMPARE(r.vsbFlow, QRect(9170, 1070, 255, 3765));
        QCOMPARE(r.cmdFlowZoomIn, QRect(9170, 815, 255, 255));
        QCOMPARE(r.cmdFlowZoomOut, QRect(9170, 4835, 255, 255));
        // Axes, ticks and labels.
        QCOMPARE(r.linFlowAxis, QLine(900, 815, 900, 5090));
        QCOMPARE(r.linFlowMid, QLine(900, 2953, 800, 2953)); // 2137.5 to the even
        QCOMPARE(r.linFlowMin, QLine(900, 5080, 800, 5080));
        // 35 left of the client edge, centred on its tick: 255 / 2 = 127.5 gives 128.
        QCOMPARE(r.lblFlowMax, QRect(-35, 687, 735, 255));
        QCOMPARE(r.lblFlowMin, QRect(-35, 4952, 735, 255));
        QCOMPARE(r.linTimeAxis, QLine(1000, 5190, 9070, 5190));
        QCOMPARE(r.linTimeMin, QLine(1000, 5190, 1000, 5290));
        QCOMPARE(r.linTimeMid, QLine(5035, 5190, 5035, 5290));
        QCOMPARE(r.linTimeMax, QLine(9070, 5190, 9070, 5290));
        QCOMPARE(r.lblTimeMin, QRect(600, 5290, 1080, 555));
        QCOMPARE(r.lblTimeMid, QRect(4495, 5290, 1080, 555));
        QCOMPARE(r.lblTimeMax, QRect(8390, 5290, 1080, 555));
    }

    // Empty, narrower than 1965, lower than 1620 plus the bars.
    void tinyClientAreaGivesNoNegativeSize()
    {
        for (const QSize client : { QSize(0, 0), QSize(1500, 6150), QSize(9525, 1800) }) {
            const auto r = MainWindowLayout::setControls(
                Input { client.width(), client.height(), 360, 405, true, true });
            for (const QRect &rect : { r.Picture1, r.hsbTime, r.cmdTimeZoomOut, r.cmdTimeZoomIn,
                                       r.vsbFlow, r.cmdFlowZoomIn, r.cmdFlowZoomOut })
                QVERIFY(rect.width() >= 0 && rect.height() >= 0);
            // The controls stay in their order around the plot.
            QVERIFY(r.vsbFlow.x() >= r.Picture1.x() + r.Picture1.width());
            QVERIFY(r.cmdTimeZoomIn.x() >= r.hsbTime.x());
            QVERIFY(r.cmdFlowZoomOut.y() >= r.vsbFlow.y());
        }
    }

    void minimumClientSizeLeavesRoomForTheScrollBars()
    {
        for (const bool toolbar : { false, true }) {
            for (const bool statusBar : { false, true }) {
                Input in { 0, 0, 360, 405, toolbar, statusBar };
                const QSize minimum = MainWindowLayout::minimumClientSize(in);
                in.clientWidth = minimum.width();
                in.clientHeight = minimum.height();
                const auto r = MainWindowLayout::setControls(in);
                QVERIFY(r.hsbTime.width() > 0 && r.vsbFlow.height() > 0);
            }
        }
    }

    // Rounded to the nearest, a tie to the even.
    void conversions()
    {
        QCOMPARE(MainWindowLayout::twipsToPixels(9525, 96.0), 635);
        QCOMPARE(MainWindowLayout::twipsToPixels(1000, 96.0), 67);
        QCOMPARE(MainWindowLayout::twipsToPixels(9525, 144.0), 952);
        QCOMPARE(MainWindowLayout::twipsToPixels(-35, 96.0), -2);
        QCOMPARE(MainWindowLayout::pixelsToTwips(27, 96.0), 405);
        QCOMPARE(MainWindowLayout::pixelsToTwips(1, 192.0), 8);
        QCOMPARE(MainWindowLayout::pixelsToTwips(10, 0.0), 0);
    }
};

QTEST_GUILESS_MAIN(tst_MainWindowLayout)
#include "tst_MainWindowLayout.moc"
