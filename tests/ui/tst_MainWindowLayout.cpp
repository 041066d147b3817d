#include "MainWindowLayout.h"

#include <QtTest>

// The main window's layout in twips for given client sizes and bar states.
class tst_MainWindowLayout : public QObject
{
    Q_OBJECT

    static MainWindowLayout::Input design(bool toolbar, bool statusBar)
    {
        MainWindowLayout::Input in;
        in.clientWidth = 9525;
        in.clientHeight = 6150;
        in.toolbarHeight = 360;
        in.statusBarHeight = 405;
        in.toolbarChecked = toolbar;
        in.statusBarChecked = statusBar;
        return in;
    }

private slots:
    void plot_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::addColumn<bool>("statusBar");
        QTest::addColumn<QRect>("plot");
        // Bottom at S - 655 - B whether the toolbar shows or not; top at 455 + T whether
        // the status bar shows or not.
        QTest::newRow("both bars hidden") << false << false << QRect(1000, 455, 8070, 5040);
        QTest::newRow("both bars shown") << true << true << QRect(1000, 815, 8070, 4275);
        QTest::newRow("toolbar only") << true << false << QRect(1000, 815, 8070, 4680);
        QTest::newRow("status bar only") << false << true << QRect(1000, 455, 8070, 4635);
    }

    void plot()
    {
        QFETCH(bool, toolbar);
        QFETCH(bool, statusBar);
        QFETCH(QRect, plot);
        QCOMPARE(MainWindowLayout::setControls(design(toolbar, statusBar)).Picture1, plot);
    }

    void scrollBarsAndZoomButtons()
    {
        const auto r = MainWindowLayout::setControls(design(true, true));
        QCOMPARE(r.hsbTime, QRect(1255, 460, 7560, 255));
        QCOMPARE(r.cmdTimeZoomOut, QRect(1000, 460, 255, 255));
        QCOMPARE(r.cmdTimeZoomIn, QRect(8815, 460, 255, 255)); // right edge on the plot's
        QCOMPARE(r.lblFlowTop, 460);
        QCOMPARE(r.vsbFlow, QRect(9170, 1070, 255, 3765));
        QCOMPARE(r.cmdFlowZoomIn, QRect(9170, 815, 255, 255));
        QCOMPARE(r.cmdFlowZoomOut, QRect(9170, 4835, 255, 255));
    }

    void axesTicksAndLabels()
    {
        const auto r = MainWindowLayout::setControls(design(false, false));
        // Plot at (1000, 455), 8070 x 5040.
        QCOMPARE(r.linFlowAxis, QLine(900, 455, 900, 5495));
        QCOMPARE(r.linFlowMax, QLine(900, 455, 800, 455));
        QCOMPARE(r.linFlowMid, QLine(900, 2975, 800, 2975));
        QCOMPARE(r.linFlowMin, QLine(900, 5485, 800, 5485));
        // 35 left of the client edge; 255 / 2 = 127.5 rounds to 128.
        QCOMPARE(r.lblFlowMax, QRect(-35, 327, 735, 255));
        QCOMPARE(r.lblFlowMid, QRect(-35, 2847, 735, 255));
        QCOMPARE(r.lblFlowMin, QRect(-35, 5357, 735, 255));
        QCOMPARE(r.linTimeAxis, QLine(1000, 5595, 9070, 5595));
        QCOMPARE(r.linTimeMin, QLine(1000, 5595, 1000, 5695));
        QCOMPARE(r.linTimeMid, QLine(5035, 5595, 5035, 5695));
        QCOMPARE(r.linTimeMax, QLine(9070, 5595, 9070, 5695));
        QCOMPARE(r.lblTimeMin, QRect(600, 5695, 1080, 555));
        QCOMPARE(r.lblTimeMid, QRect(4495, 5695, 1080, 555));
        QCOMPARE(r.lblTimeMax, QRect(8390, 5695, 1080, 555));
    }

    void tinyClientAreaGivesNoNegativeSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("empty") << 0 << 0;
        QTest::newRow("narrower than 1965") << 1500 << 6150;
        QTest::newRow("lower than 1620 plus bars") << 9525 << 1800;
        QTest::newRow("tiny") << 30 << 30;
    }

    void tinyClientAreaGivesNoNegativeSize()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        MainWindowLayout::Input in = design(true, true);
        in.clientWidth = width;
        in.clientHeight = height;
        const auto r = MainWindowLayout::setControls(in);
        for (const QRect &rect : { r.Picture1, r.hsbTime, r.cmdTimeZoomOut, r.cmdTimeZoomIn,
                                   r.vsbFlow, r.cmdFlowZoomIn, r.cmdFlowZoomOut }) {
            QVERIFY(rect.width() >= 0);
            QVERIFY(rect.height() >= 0);
        }
        // The controls stay in their order around the plot.
        QVERIFY(r.vsbFlow.x() >= r.Picture1.x() + r.Picture1.width());
        QVERIFY(r.cmdTimeZoomIn.x() >= r.hsbTime.x());
        QVERIFY(r.cmdFlowZoomOut.y() >= r.vsbFlow.y());
    }

    void minimumClientSizeLeavesRoomForTheScrollBars()
    {
        for (bool toolbar : { false, true }) {
            for (bool statusBar : { false, true }) {
                MainWindowLayout::Input in = design(toolbar, statusBar);
                const QSize minimum = MainWindowLayout::minimumClientSize(in);
                in.clientWidth = minimum.width();
                in.clientHeight = minimum.height();
                const auto r = MainWindowLayout::setControls(in);
                QVERIFY(r.hsbTime.width() > 0);
                QVERIFY(r.vsbFlow.height() > 0);
            }
        }
    }

    void conversions_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<double>("dpi");
        QTest::addColumn<int>("pixels");
        QTest::newRow("96 dpi, 15 twips a pixel") << 9525 << 96.0 << 635;
        QTest::newRow("96 dpi, rounded") << 1000 << 96.0 << 67;
        QTest::newRow("96 dpi, 455") << 455 << 96.0 << 30;
        QTest::newRow("144 dpi, tie to even") << 9525 << 144.0 << 952;
        QTest::newRow("120 dpi") << 255 << 120.0 << 21;
        QTest::newRow("negative") << -35 << 96.0 << -2;
    }

    void conversions()
    {
        QFETCH(int, twips);
        QFETCH(double, dpi);
        QFETCH(int, pixels);
        QCOMPARE(MainWindowLayout::twipsToPixels(twips, dpi), pixels);
    }

    void pixelsToTwips()
    {
        QCOMPARE(MainWindowLayout::pixelsToTwips(635, 96.0), 9525);
        QCOMPARE(MainWindowLayout::pixelsToTwips(27, 96.0), 405);
        QCOMPARE(MainWindowLayout::pixelsToTwips(1, 192.0), 8); // 7.5 to even
        QCOMPARE(MainWindowLayout::pixelsToTwips(10, 0.0), 0);
    }
};

QTEST_GUILESS_MAIN(tst_MainWindowLayout)
#include "tst_MainWindowLayout.moc"
