// The plot on screen: the scene follows the elements, the curve is where the drawing
// put it in the right colours, and the window's controls drive the graph.
#include "GraphFixture.h"
#include "graph/GraphController.h"
#include "graph/GraphPicture.h"

#include <QApplication>
#include <QGraphicsItem>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// The controls of the main window that the graph uses, on a plain widget.
class GraphWindow : public QWidget
{
public:
    explicit GraphWindow(GraphFixture &f)
    {
        resize(800, 500);
        Picture1 = new GraphPicture(this);
        Picture1->setGeometry(70, 40, 600, 380);
        hsbTime = new QScrollBar(Qt::Horizontal, this);
        hsbTime->setGeometry(90, 10, 560, 17);
        vsbFlow = new QScrollBar(Qt::Vertical, this);
        vsbFlow->setGeometry(680, 57, 17, 346);
        GraphController::Controls c;
        c.Picture1 = Picture1;
        c.hsbTime = hsbTime;
        c.vsbFlow = vsbFlow;
        c.cmdFlowZoomIn = new QPushButton(this);
        c.cmdFlowZoomOut = new QPushButton(this);
        c.cmdTimeZoomIn = new QPushButton(this);
        c.cmdTimeZoomOut = new QPushButton(this);
        for (QLabel **label : { &c.lblFlowMax, &c.lblFlowMid, &c.lblFlowMin, &c.lblTimeMin,
                                &c.lblTimeMid, &c.lblTimeMax })
            *label = new QLabel(this);
        c.showStatus = [this](const QString &text) { status = text; };
        controls = c;
        controller = std::make_unique<GraphController>(
            c,
            GraphController::Data { f.series, f.settings, f.intUnits, f.dblFlowScaleFactor,
                                    f.formats, f.strings, f.errorReport, f.prompt });
    }

    void load()
    {
        controller->prepareCurveElements();
        controller->mnuViewReset_Click();
    }

    QImage image() { return Picture1->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    GraphPicture *Picture1;
    QScrollBar *hsbTime;
    QScrollBar *vsbFlow;
    GraphController::Controls controls;
    QString status;
    std::unique_ptr<GraphController> controller;
};

// Pixels of a colour in a column range of one row (the curve is one pixel thick).
int countInRow(const QImage &image, int row, int fromX, int toX, QRgb colour)
{
    int count = 0;
    if (row < 0 || row >= image.height())
        return 0;
    for (int x = qMax(0, fromX); x <= qMin(image.width() - 1, toX); ++x)
        count += (image.pixel(x, row) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    return count;
}

int countInImage(const QImage &image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += countInRow(image, y, 0, image.width() - 1, colour);
    return count;
}

} // namespace

class tst_GraphPicture : public QObject
{
    Q_OBJECT

private slots:
    void sizeIsInTwipsAtTheLogicalResolution();
    void curveAndGapAreDrawnInBlueAndRed();
    void linesStayOnePixelWide();
    void itemsAreCreatedOnceAndNeverDeleted();
    void labelsAndStatusFollowTheGraph();
    void mouseAndKeysMoveTheCursor();
    void scrollBarClicksMoveTheWindow();
    void zoomButtonsAndTheirMessage();
    void failingCommandIsLoggedAndTheProgramGoesOn();
    void keyCodesOfTheArrows_data();
    void keyCodesOfTheArrows();
};

void tst_GraphPicture::sizeIsInTwipsAtTheLogicalResolution()
{
    GraphFixture f;
    GraphWindow w(f);
    const double perPixel = 1440.0 / w.Picture1->logicalDpiX();
    QCOMPARE(w.Picture1->plotWidth(), 600 * perPixel);
    QCOMPARE(w.Picture1->plotHeight(), 380 * 1440.0 / w.Picture1->logicalDpiY());
    // A resize is seen by the very next mapping, before any event is delivered.
    w.Picture1->setGeometry(70, 40, 300, 200);
    QCOMPARE(w.Picture1->plotWidth(), 300 * perPixel);
}

void tst_GraphPicture::curveAndGapAreDrawnInBlueAndRed()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 6, 8, 7, 9 });
    f.add(GraphFixture::at(2, 1, 0), 0.0, true); // hole: gap marker at 01:00
    f.addRun(GraphFixture::at(2, 2, 0), { 8, 10, 9 });
    f.addFitting(2, QStringLiteral("00042"));
    GraphWindow w(f);
    w.show();
    w.load();
    const QImage image = w.image();
    const double px = w.Picture1->twipsPerPixelX();
    const double py = w.Picture1->twipsPerPixelY();
    const PlotElements &e = w.controller->graph().elements();

    // The level of sample 2 (value 7): blue along its row.
    const PlotLine &level = e.LinBar[4];
    QCOMPARE(level.colour, PlotColour::Blue);
    const int row = qFloor(level.y1 / py);
    const int from = qCeil(level.x1 / px) + 1;
    const int to = qFloor(level.x2 / px) - 1;
    QVERIFY(to > from);
    QCOMPARE(countInRow(image, row, from, to, qRgb(0, 0, 255)), to - from + 1);

    // The riser from 6 up to 8: blue down its column.
    const PlotLine &riser = e.LinBar[1];
    const int column = qFloor(riser.x1 / px);
    int riserPixels = 0;
    const int top = qCeil(riser.y2 / py) + 1;
    const int bottom = qFloor(riser.y1 / py) - 1;
    QVERIFY(bottom - top > 5);
    for (int y = top; y <= bottom; ++y)
        riserPixels += (image.pixel(column, y) & 0xFFFFFF) == 0x0000FFu ? 1 : 0;
    QCOMPARE(riserPixels, bottom - top + 1);

    // The gap marker's level at 0 is red, along the bottom margin.
    const PlotLine &gap = e.LinBar[8];
    QCOMPARE(gap.colour, PlotColour::Red);
    const int gapRow = qFloor(gap.y1 / py);
    const int gapFrom = qCeil(gap.x1 / px) + 1;
    const int gapTo = qFloor(gap.x2 / px) - 1;
    QCOMPARE(countInRow(image, gapRow, gapFrom, gapTo, qRgb(255, 0, 0)), gapTo - gapFrom + 1);

    // The fitting marker's line is green, and nothing is drawn above the data's top.
    QVERIFY(countInImage(image, qRgb(0, 128, 0)) > image.height() / 2);
    for (int y = 0; y < qFloor(w.controller->graph().yToPictureCoords(10.0) / py) - 1; ++y)
        QCOMPARE(countInRow(image, y, 0, image.width() - 1, qRgb(0, 0, 255)), 0);
}

void tst_GraphPicture::linesStayOnePixelWide()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 5, 5, 5, 5 });
    GraphWindow w(f);
    w.show();
    w.load();
    const QImage image = w.image();
    const int row
        = qFloor(w.controller->graph().elements().LinBar[2].y1 / w.Picture1->twipsPerPixelY());
    const int column = image.width() / 2;
    QCOMPARE(image.pixel(column, row) & 0xFFFFFF, 0x0000FFu);
    QCOMPARE(image.pixel(column, row - 1) & 0xFFFFFF, 0xFFFFFFu);
    QCOMPARE(image.pixel(column, row + 1) & 0xFFFFFF, 0xFFFFFFu);
}

void tst_GraphPicture::itemsAreCreatedOnceAndNeverDeleted()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6 });
    f.addFitting(1, QStringLiteral("00001"));
    f.addFitting(3, QStringLiteral("00002"));
    GraphWindow w(f);
    QCOMPARE(w.Picture1->curveItemCount(), 1);
    w.load();
    QCOMPARE(w.Picture1->curveItemCount(), 11);
    QCOMPARE(w.Picture1->refItemCount(), 3);
    const QList<QGraphicsItem *> before = w.Picture1->scene()->items();

    f.series = SampleSeries();
    f.addRun(GraphFixture::at(5, 0, 0), { 4, 3 });
    w.load();
    QCOMPARE(w.Picture1->curveItemCount(), 11);
    const QList<QGraphicsItem *> after = w.Picture1->scene()->items();
    QCOMPARE(after.size(), before.size());
    int shown = 0;
    for (QGraphicsItem *item : after)
        shown += item->isVisible() && item->zValue() == 0.0 ? 1 : 0;
    QCOMPARE(shown, 3);
}

void tst_GraphPicture::labelsAndStatusFollowTheGraph()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 20.0 });
    f.add(GraphFixture::at(2, 10, 0), 10.0, false, QStringLiteral("00007"));
    f.dblFlowScaleFactor = 3.6;
    f.intUnits = 2;
    GraphWindow w(f);
    w.load();
    QCOMPARE(w.controls.lblFlowMax->text(), QStringLiteral("75.60"));
    QCOMPARE(w.controls.lblFlowMid->text(), QStringLiteral("37.80"));
    QCOMPARE(w.controls.lblFlowMin->text(), QStringLiteral("0.00"));
    QCOMPARE(w.controls.lblTimeMin->text(), QStringLiteral("01/03/2026 23:45:00"));
    QCOMPARE(w.controls.lblTimeMax->text(), QStringLiteral("02/03/2026 10:30:00"));
    QCOMPARE(w.status, QStringLiteral("01/03/2026 23:45:00  Fitting:   Flow: 72.00  Step: -72.00"));
}

void tst_GraphPicture::mouseAndKeysMoveTheCursor()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6, 7, 8 });
    GraphWindow w(f);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.load();
    const GraphViewState &v = w.controller->graph().state();
    QTest::mouseClick(w.Picture1->viewport(), Qt::RightButton, {}, QPoint(300, 50));
    const double expected = v.dteViewStart
        + (v.dteViewEnd - v.dteViewStart) * (300 * w.Picture1->twipsPerPixelX())
            / w.Picture1->plotWidth();
    QVERIFY(qAbs(v.dteCursor - expected) < 1e-9);
    QVERIFY(w.status.startsWith(f.formats.dateAndTime(v.dteCursor)));
    const double placed = v.dteCursor;

    // The cursor line is drawn in black where it was placed.
    const QImage image = w.image();
    QCOMPARE(image.pixel(300, 100) & 0xFFFFFF, 0u);

    QVERIFY(w.Picture1->hasFocus());
    QTest::keyClick(w.Picture1, Qt::Key_Right);
    QCOMPARE(DateTime::secondsBetween(placed, v.dteCursor), 900);
    QTest::keyClick(w.Picture1, Qt::Key_Left);
    QTest::keyClick(w.Picture1, Qt::Key_Left);
    QCOMPARE(DateTime::secondsBetween(placed, v.dteCursor), -900);
    // Keys whose codes coincide with the arrows' elsewhere do not move it.
    QTest::keyClick(w.Picture1, Qt::Key_Percent);
    QTest::keyClick(w.Picture1, Qt::Key_Apostrophe);
    QCOMPARE(DateTime::secondsBetween(placed, v.dteCursor), -900);
}

void tst_GraphPicture::scrollBarClicksMoveTheWindow()
{
    GraphFixture f;
    QList<double> values;
    for (int i = 0; i < 40; ++i)
        values.append(5 + i % 4);
    f.addRun(GraphFixture::at(2, 0, 0), values);
    GraphWindow w(f);
    w.load();
    w.controller->cmdTimeZoomIn_Click();
    const GraphViewState &v = w.controller->graph().state();
    QCOMPARE(w.hsbTime->pageStep(), 5000);
    QCOMPARE(w.hsbTime->maximum(), 5000);
    QCOMPARE(w.hsbTime->value(), 0);
    const double start = v.dteViewStart;
    const qint64 window = DateTime::secondsBetween(v.dteViewStart, v.dteViewEnd);

    w.hsbTime->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(DateTime::secondsBetween(start, v.dteViewStart), 900);
    w.hsbTime->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(v.dteViewStart, start);
    w.hsbTime->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(DateTime::secondsBetween(start, v.dteViewStart), window);
    QCOMPARE(w.hsbTime->value(), 5000);
    QVERIFY(f.logged().isEmpty());
    // The bar was set by the redraw without a second move.
    QCOMPARE(DateTime::secondsBetween(start, v.dteViewStart), window);

    // The value bar's up arrow moves the window up by a tenth of its height.
    w.controller->cmdFlowZoomIn_Click();
    const double top = v.dblViewMax;
    w.vsbFlow->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(v.dblViewMax, top + top / 10);
}

void tst_GraphPicture::zoomButtonsAndTheirMessage()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4 });
    GraphWindow w(f);
    w.load();
    const GraphViewState &v = w.controller->graph().state();
    const double top = v.dblViewMax;
    w.controls.cmdFlowZoomIn->click();
    QCOMPARE(v.dblViewMax, top / 2);
    w.controls.cmdFlowZoomOut->click();
    QCOMPARE(v.dblViewMax, top);
    const double end = v.dteViewEnd;
    w.controls.cmdTimeZoomIn->click();
    QVERIFY(v.dteViewEnd < end);
    w.controls.cmdTimeZoomOut->click();
    QCOMPARE(v.dteViewEnd, end);
    // Zoomed in as far as the time bar goes.
    for (int i = 0; i < 20 && f.prompt.messages.isEmpty(); ++i) {
        f.settings.lngLoggingInterval = 0;
        w.controls.cmdTimeZoomIn->click();
    }
    QCOMPARE(w.hsbTime->pageStep(), 1);
    QCOMPARE(f.prompt.messages, QStringList { "The magnification limit has been reached" });
}

void tst_GraphPicture::failingCommandIsLoggedAndTheProgramGoesOn()
{
    GraphFixture f;
    f.addRun(GraphFixture::at(2, 0, 0), { 1, 2, 3, 4 });
    GraphWindow w(f);
    w.load();
    w.controller->cmdFlowZoomIn_Click();
    QCOMPARE(w.vsbFlow->maximum(), 5000);
    // A series of zeros empties the value range; the value bar keeps its last settings.
    f.series = SampleSeries();
    f.addRun(GraphFixture::at(3, 0, 0), { 0, 0, 0 });
    w.load();
    QCOMPARE(f.logged(),
             (QStringList { "Overflow in drawGraphLines(frmNeru)",
                            "Overflow in setScrollBars(frmNeru)" }));
    QCOMPARE(w.vsbFlow->maximum(), 5000);
    w.vsbFlow->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(f.logged().size(), 3);
    QCOMPARE(f.logged().last(), QStringLiteral("Overflow in vsbFlow_Change(frmNeru)"));
    // The time bar and the cursor still work.
    w.controller->cmdTimeZoomIn_Click();
    w.hsbTime->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QVERIFY(w.status.contains(QStringLiteral("Flow: 0.00")));
}

void tst_GraphPicture::keyCodesOfTheArrows_data()
{
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<int>("code");
    QTest::newRow("left") << int(Qt::Key_Left) << 37;
    QTest::newRow("up") << int(Qt::Key_Up) << 38;
    QTest::newRow("right") << int(Qt::Key_Right) << 39;
    QTest::newRow("down") << int(Qt::Key_Down) << 40;
    QTest::newRow("percent") << int(Qt::Key_Percent) << 0;
    QTest::newRow("apostrophe") << int(Qt::Key_Apostrophe) << 0;
}

void tst_GraphPicture::keyCodesOfTheArrows()
{
    QFETCH(int, qtKey);
    QFETCH(int, code);
    QCOMPARE(GraphPicture::keyCode(qtKey), code);
}

QTEST_MAIN(tst_GraphPicture)
#include "tst_GraphPicture.moc"
