// The plot on screen: the curve in its colours, and the mouse, keys and bars driving it.
#include "PlotController.h"
#include "PlotFixture.h"
#include "PlotWidget.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

// The controls of the main window that the graph uses, on a plain widget.
class GraphWindow : public QWidget
{
public:
    explicit GraphWindow(PlotFixture &f)
    {
        resize(800, 500);
        plot = new PlotWidget(this);
        plot->setGeometry(70, 40, 600, 380);
        controls.plot = plot;
        controls.timeBar = new QScrollBar(Qt::Horizontal, this);
        controls.valueBar = new QScrollBar(Qt::Vertical, this);
        for (QAbstractButton **button : { &controls.zoomValueInButton, &controls.zoomValueOutButton,
                                          &controls.zoomTimeInButton, &controls.zoomTimeOutButton })
            *button = new QPushButton(this);
        for (QLabel **label :
             { &controls.valueTopLabel, &controls.valueMiddleLabel, &controls.valueBottomLabel,
               &controls.timeStartLabel, &controls.timeMiddleLabel, &controls.timeEndLabel })
            *label = new QLabel(this);
        controls.showStatus = [this](const QString &text) {
            status = text;
            statuses << text;
        };
        controller = std::make_unique<PlotController>(
            controls,
            PlotController::Data { f.series, f.settings, f.formats, f.strings, f.log.report,
                                   f.prompt });
        controller->setUnit(DisplayUnit::LitresPerSecond);
    }

    void load()
    {
        controller->prepareCurveElements();
        controller->resetView();
    }

    const PlotModel &graph() const { return controller->model(); }
    QImage image() { return plot->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The pixels that a horizontal or vertical line covers, less one at each end.
    static QRect pixelsOf(const PlotLine &line)
    {
        if (line.y1 == line.y2) {
            const int row = qFloor(line.y1);
            return QRect(QPoint(qCeil(line.x1) + 1, row), QPoint(qFloor(line.x2) - 1, row));
        }
        const int column = qFloor(line.x1);
        return QRect(QPoint(column, qCeil(qMin(line.y1, line.y2)) + 1),
                     QPoint(column, qFloor(qMax(line.y1, line.y2)) - 1));
    }

    PlotWidget *plot;
    PlotController::Controls controls;
    QString status;
    QStringList statuses; // every text the status bar was given
    std::unique_ptr<PlotController> controller;
};

// Pixels of a colour inside an area of the image.
int countIn(const QImage &image, const QRect &area, QRgb colour)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF) ? 1 : 0;
    return count;
}

// A wheel event at `at` milliseconds, as a mouse or touchpad sends it.
void wheel(QWidget *plot, int delta, ulong at, Qt::KeyboardModifiers modifiers = {})
{
    const QPointF pointer(150, 60);
    QWheelEvent event(pointer, plot->mapToGlobal(pointer), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    event.setTimestamp(at);
    QApplication::sendEvent(plot, &event);
}

// A press at `from`, moves through `path` and, unless held, a release at its last point.
void drag(QWidget *plot, Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint from,
          const QList<QPoint> &path, bool held = false)
{
    QTest::mousePress(plot, button, modifiers, from);
    for (const QPoint &to : path) {
        QMouseEvent move(QEvent::MouseMove, to, plot->mapToGlobal(to), Qt::NoButton, button,
                         modifiers);
        QApplication::sendEvent(plot, &move);
    }
    if (!held)
        QTest::mouseRelease(plot, button, modifiers, path.last());
}

} // namespace

class tst_PlotWidget : public QObject
{
    Q_OBJECT

private slots:
    // A new plot is blank; the curve is one pixel wide, blue, with red gaps.
    void curveIsDrawnOnePixelWideInBlueAndRed()
    {
        PlotFixture f;
        const auto fill = [&f] {
            f.series = SampleSeries();
            f.addRun(PlotFixture::at(2, 0, 0), { 6, 8, 7, 9 });
            f.add(PlotFixture::at(2, 1, 0), 0.0, true); // hole: gap marker at 01:00
            f.addRun(PlotFixture::at(2, 2, 0), { 8, 10, 9 });
            f.addFitting(2, QStringLiteral("00042"));
        };
        fill();
        GraphWindow w(f);
        w.show();
        const QImage blank = w.image();
        QCOMPARE(countIn(blank, blank.rect(), qRgb(255, 255, 255)), blank.width() * blank.height());
        w.load();
        const QImage image = w.image();
        const PlotElements &e = w.graph().elements();
        const QRgb blue = qRgb(0, 0, 255);
        // The level of sample 2 (value 7), white above and below; the riser from 6 to 8.
        const QRect level = w.pixelsOf(e.curve[4]);
        QVERIFY(level.width() > 5);
        QCOMPARE(countIn(image, level, blue), level.width());
        QCOMPARE(countIn(image, level.translated(0, -1), qRgb(255, 255, 255)), level.width());
        QCOMPARE(countIn(image, level.translated(0, 1), qRgb(255, 255, 255)), level.width());
        const QRect riser = w.pixelsOf(e.curve[1]);
        QVERIFY(riser.height() > 5);
        QCOMPARE(countIn(image, riser, blue), riser.height());
        const QRect gap = w.pixelsOf(e.curve[8]);
        QCOMPARE(countIn(image, gap, qRgb(255, 0, 0)), gap.width());
        // A green fitting marker; nothing drawn above the data's top.
        QVERIFY(countIn(image, image.rect(), qRgb(0, 128, 0)) > image.height() / 2);
        const int top = qFloor(w.graph().yOf(10.0));
        QCOMPARE(countIn(image, QRect(0, 0, image.width(), top - 1), blue), 0);
        // Shown again after a longer series, it looks the same: nothing is left behind.
        f.addRun(PlotFixture::at(2, 3, 0), { 1, 2, 3, 4, 5, 6 });
        w.load();
        fill();
        w.load();
        QCOMPARE(w.image(), image);
    }

    // The cursor goes where clicked and by keys up to the window's edges; the bars show a
    // window past the range's end without moving it.
    void mouseAndKeysMoveTheCursorAndBarsFollow()
    {
        PlotFixture f;
        f.addRun(PlotFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6, 7, 8 });
        GraphWindow w(f);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.load();
        PlotState &v = w.controller->model().state();
        QTest::mouseClick(w.plot, Qt::RightButton, {}, QPoint(300, 50));
        QCOMPARE(w.image().pixel(300, 100) & 0xFFFFFF, 0u);
        const double placed = v.cursor;

        QVERIFY(w.plot->hasFocus());
        QTest::keyClick(w.plot, Qt::Key_Right);
        QCOMPARE(DateTime::secondsBetween(placed, v.cursor), 900);
        QTest::keyClick(w.plot, Qt::Key_Left);
        QTest::keyClick(w.plot, Qt::Key_Up); // other keys do not move it
        QCOMPARE(DateTime::secondsBetween(placed, v.cursor), 0);
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(w.plot, Qt::Key_Right);
        QCOMPARE(v.cursor, v.viewEnd);
        for (int i = 0; i < 12; ++i)
            QTest::keyClick(w.plot, Qt::Key_Left);
        QCOMPARE(v.cursor, v.viewStart);

        const double start = v.viewStart = v.fullEnd - (v.fullEnd - v.fullStart) / 4;
        v.viewEnd = start + (v.fullEnd - v.fullStart) / 2;
        w.controller->resizePlot();
        QCOMPARE(w.controls.timeBar->value(), 5000);
        QCOMPARE(v.viewStart, start);
    }

    // Under 4 pixels a press is a click of any button, placing the cursor where let go (with
    // Shift and the left button: cursor B, which Esc removes); from 4 pixels the left button
    // pans by the distance dragged, and the right button or Shift and the left draw a box.
    void dragsPanOrDrawABoxAndShortOnesClick()
    {
        PlotFixture f;
        f.addRun(PlotFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6, 7, 8 });
        GraphWindow w(f);
        w.show();
        w.load();
        const PlotState &v = w.graph().state();
        QSignalSpy panned(w.plot, &PlotWidget::panned);
        QSignalSpy boxes(w.plot, &PlotWidget::boxDrawn);
        drag(w.plot, Qt::LeftButton, {}, QPoint(100, 50), { QPoint(102, 51), QPoint(103, 50) });
        QCOMPARE(v.cursor, v.viewStart + (v.viewEnd - v.viewStart) * 103 / 600);
        drag(w.plot, Qt::RightButton, {}, QPoint(300, 50), { QPoint(300, 53) });
        const double clicked = v.cursor;
        QCOMPARE(clicked, v.viewStart + (v.viewEnd - v.viewStart) / 2);
        QCOMPARE(panned.count() + boxes.count(), 0);

        drag(w.plot, Qt::LeftButton, {}, QPoint(100, 50),
             { QPoint(102, 51), QPoint(130, 40), QPoint(160, 20) });
        QCOMPARE(panned, (QList<QVariantList> { { 30.0, -10.0 }, { 30.0, -20.0 } }));
        QCOMPARE(v.cursor, clicked); // not a click

        drag(w.plot, Qt::RightButton, {}, QPoint(300, 200), { QPoint(100, 50) }, true);
        // The box shows dotted while it is drawn: every third pixel of its top edge is black.
        QCOMPARE(countIn(w.image(), QRect(101, 50, 198, 1), qRgb(0, 0, 0)), 66);
        QTest::mouseRelease(w.plot, Qt::RightButton, {}, QPoint(100, 50));
        drag(w.plot, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 200), { QPoint(300, 50) });
        const QVariantList box { QRectF(100, 50, 200, 150) };
        QCOMPARE(boxes, (QList<QVariantList> { box, box }));
        QCOMPARE(countIn(w.image(), QRect(101, 50, 198, 1), qRgb(0, 0, 0)), 0);

        drag(w.plot, Qt::LeftButton, Qt::ShiftModifier, QPoint(150, 60), { QPoint(152, 61) });
        QVERIFY(v.secondCursorShown);
        QCOMPARE(v.secondCursor, v.viewStart + (v.viewEnd - v.viewStart) * 152 / 600);
        QCOMPARE(v.cursor, clicked);
        QTest::keyClick(w.plot, Qt::Key_Escape);
        QVERIFY(!v.secondCursorShown);
    }

    // Every 120 units of the wheel is a step, the rest waiting for the next event; a new
    // gesture starts after half a second's pause, and Ctrl zooms the values.
    void wheelStepsEvery120UnitsWithinAGesture()
    {
        PlotFixture f;
        GraphWindow w(f);
        QSignalSpy times(w.plot, &PlotWidget::timeZoomed);
        QSignalSpy values(w.plot, &PlotWidget::valueZoomed);
        for (ulong at : { 1000, 1100, 1200 })
            wheel(w.plot, 80, at);
        wheel(w.plot, -250, 1300, Qt::ControlModifier);
        wheel(w.plot, 120, 1801);
        QCOMPARE(
            times,
            (QList<QVariantList> { { 150.0, 1, true }, { 150.0, 1, false }, { 150.0, 1, true } }));
        QCOMPARE(values, (QList<QVariantList> { { 60.0, -2, false } }));
    }

    // Wheel steps refused at the limit say so on the status bar once a gesture, and the
    // read-out does not cover it until the gesture ends.
    void wheelAtTheLimitSaysSoOncePerGesture()
    {
        PlotFixture f;
        f.addRun(PlotFixture::at(2, 0, 0), { 1, 2, 3, 4, 5, 6, 7, 8 });
        GraphWindow w(f);
        w.show();
        w.load();
        const PlotState &v = w.graph().state();
        const double span = v.viewEnd - v.viewStart;
        const QString limit = QStringLiteral("The magnification limit has been reached");
        w.statuses.clear();
        wheel(w.plot, 10 * 120, 1000); // two hours halved ten times: far under 15 minutes
        QVERIFY(v.viewEnd - v.viewStart < span);
        wheel(w.plot, 120, 1100);
        wheel(w.plot, 120, 1200);
        QCOMPARE(w.statuses, QStringList { limit });
        wheel(w.plot, 120, 1701);
        QCOMPARE(w.statuses, (QStringList { limit, limit }));
    }

    // A failed drawing or command is logged by its procedure's name and the plot goes on.
    void failuresAreLoggedAndThePlotGoesOn()
    {
        PlotFixture f;
        f.addRun(PlotFixture::at(2, 0, 0), { 1, 2, 3, 40 });
        GraphWindow w(f);
        w.load();
        // 42 over 2^15 is less than half a unit of the bar's scale of 10000.
        for (int i = 0; i < 16; ++i)
            w.controls.zoomValueInButton->click();
        QCOMPARE(
            f.logged(),
            QStringList(2, QStringLiteral("Invalid property value in setScrollBars(frmNeru)")));
        QCOMPARE(w.controls.valueBar->pageStep(), 1);
        // Zeros empty the value range: the curve, the bar and the bar's command fail.
        f.series = SampleSeries();
        f.addRun(PlotFixture::at(3, 0, 0), { 0, 0, 0 });
        w.load();
        w.controls.valueBar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        QCOMPARE(f.logged().mid(2),
                 (QStringList { "Overflow in drawGraphLines(frmNeru)",
                                "Overflow in setScrollBars(frmNeru)",
                                "Overflow in vsbFlow_Change(frmNeru)" }));
        w.controller->zoomTimeIn();
        w.controls.timeBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        QCOMPARE(w.status, w.graph().statusText());
        QVERIFY(w.status.contains(QStringLiteral("Flow: 0.00")));
    }
};

QTEST_MAIN(tst_PlotWidget)
#include "tst_PlotWidget.moc"
