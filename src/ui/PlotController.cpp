#include "PlotController.h"

#include "ErrorReport.h"
#include "EventLogNames.h"
#include "PlotPainter.h"
#include "PlotWidget.h"
#include "StringTable.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>

#include <stdexcept>

namespace {

template<typename Pointer> Pointer &required(Pointer *pointer, const char *name)
{
    if (!pointer)
        throw std::invalid_argument(std::string("PlotController: no control ") + name);
    return *pointer;
}

// The bar shows the range as the graph left it; that is no move of the user's.
void showRange(QScrollBar &bar, const ScrollRange &range)
{
    const QSignalBlocker quiet(bar);
    bar.setPageStep(range.pageStep);
    bar.setMaximum(range.maximum);
    bar.setValue(range.position);
}

} // namespace

PlotController::PlotController(const Controls &controls, const Data &data, QObject *parent)
    : QObject(parent)
    , m_controls(controls)
    , m_errorReport(data.errorReport)
    , m_magnificationLimitText(data.strings.text(40100))
{
    PlotWidget &widget = required(controls.plot, "plot");
    required(controls.timeBar, "timeBar");
    required(controls.valueBar, "valueBar");
    for (QAbstractButton *button : { controls.zoomValueInButton, controls.zoomValueOutButton,
                                     controls.zoomTimeInButton, controls.zoomTimeOutButton })
        required(button, "zoom button");
    for (QLabel *label :
         { controls.valueTopLabel, controls.valueMiddleLabel, controls.valueBottomLabel,
           controls.timeStartLabel, controls.timeMiddleLabel, controls.timeEndLabel })
        required(label, "axis label");

    setUpBar(*controls.timeBar);
    setUpBar(*controls.valueBar);
    m_model = std::make_unique<PlotModel>(PlotModel::Links { data.series, data.settings,
                                                             data.formats, data.strings,
                                                             data.errorReport, data.prompts },
                                          QSizeF(widget.size()));
    m_model->setTickLabelSize(PlotPainter::tickLabelSize(QFontMetricsF(widget.font())));
    widget.setModel(m_model.get());
    m_painting = &widget;

    connect(&widget, &PlotWidget::cursorPlaced, this, &PlotController::placeCursorAt);
    connect(&widget, &PlotWidget::cursorStepped, this, &PlotController::stepCursor);
    connect(&widget, &PlotWidget::timeZoomed, this, &PlotController::zoomTimeAt);
    connect(&widget, &PlotWidget::valueZoomed, this, &PlotController::zoomValueAt);
    connect(&widget, &PlotWidget::cursorZoomed, this, &PlotController::zoomTimeAboutCursor);
    connect(&widget, &PlotWidget::panned, this, &PlotController::panBy);
    connect(&widget, &PlotWidget::boxDrawn, this, &PlotController::zoomToBox);
    connect(&widget, &PlotWidget::cursorToFirst, this, &PlotController::cursorToFirst);
    connect(&widget, &PlotWidget::cursorToLast, this, &PlotController::cursorToLast);
    connect(&widget, &PlotWidget::paged, this, &PlotController::pageTime);
    connect(&widget, &PlotWidget::secondCursorPlaced, this, &PlotController::placeSecondCursorAt);
    connect(&widget, &PlotWidget::secondCursorRemoved, this, &PlotController::removeSecondCursor);
    connect(controls.zoomValueInButton, &QAbstractButton::clicked, this,
            &PlotController::zoomValueIn);
    connect(controls.zoomValueOutButton, &QAbstractButton::clicked, this,
            &PlotController::zoomValueOut);
    connect(controls.zoomTimeInButton, &QAbstractButton::clicked, this,
            &PlotController::zoomTimeIn);
    connect(controls.zoomTimeOutButton, &QAbstractButton::clicked, this,
            &PlotController::zoomTimeOut);
    connect(controls.timeBar, &QScrollBar::valueChanged, this, &PlotController::scrollTimeTo);
    connect(controls.valueBar, &QScrollBar::valueChanged, this, &PlotController::scrollValueTo);
    refresh();
}

PlotController::~PlotController()
{
    if (m_painting)
        m_painting->setModel(nullptr);
}

// Before any data the thumb fills the trough and there is nothing to scroll. The value
// changes only on a click or when the thumb is let go, not while it is dragged.
void PlotController::setUpBar(QScrollBar &bar)
{
    bar.setMinimum(0);
    bar.setMaximum(0);
    bar.setSingleStep(1);
    bar.setPageStep(10000);
    bar.setValue(0);
    bar.setTracking(false);
}

template<typename Request> void PlotController::run(const QString &procedure, Request request)
{
    try {
        request();
    } catch (...) {
        m_errorReport.errorReport(EventLogNames::kMainWindow, procedure);
    }
    refresh();
}

void PlotController::refresh()
{
    m_controls.plot->update();
    showRange(*m_controls.timeBar, m_model->state().timeScroll);
    showRange(*m_controls.valueBar, m_model->state().valueScroll);
    const PlotAxisLabels &labels = m_model->axisLabels();
    m_controls.valueTopLabel->setText(labels.valueTop);
    m_controls.valueMiddleLabel->setText(labels.valueMiddle);
    m_controls.valueBottomLabel->setText(labels.valueBottom);
    m_controls.timeStartLabel->setText(labels.timeStart);
    m_controls.timeMiddleLabel->setText(labels.timeMiddle);
    m_controls.timeEndLabel->setText(labels.timeEnd);
    if (m_controls.showStatus && !m_statusHeld)
        m_controls.showStatus(m_model->statusText());
}

void PlotController::clear()
{
    m_model->clear();
    refresh();
}

// No guard of its own: a failure here belongs to the command that loads the data.
void PlotController::prepareCurveElements()
{
    m_model->prepareCurveElements();
    refresh();
}

// The names under which a failure is logged are those of the controls that made the
// request, as the event log has always written them.
void PlotController::resizePlot()
{
    run(EventLogNames::kDrawGraph, [this] { m_model->resize(QSizeF(m_controls.plot->size())); });
}

void PlotController::showNightShading(bool on)
{
    m_model->setNightShading(on);
    run(EventLogNames::kDrawGraph, [this] { m_model->draw(); });
}

void PlotController::showNightWindow(const NightWindow &window)
{
    m_model->setNightWindow(window);
    run(EventLogNames::kDrawGraph, [this] { m_model->draw(); });
}

void PlotController::showGrid(bool on)
{
    m_model->setGrid(on);
    run(EventLogNames::kDrawGraph, [this] { m_model->draw(); });
}

void PlotController::fitValues(bool on)
{
    m_model->setFitValues(on);
    run(EventLogNames::kDrawGraph, [this] { m_model->resetValueRange(); });
}

void PlotController::resetView()
{
    run(EventLogNames::kResetView, [this] { m_model->resetView(); });
}

void PlotController::placeCursorAt(double x)
{
    run(EventLogNames::kPlotMouse, [=] { m_model->placeCursor(m_model->timeAt(x)); });
}

void PlotController::stepCursor(int intervals)
{
    run(EventLogNames::kPlotKey, [=] { m_model->stepCursor(intervals); });
}

void PlotController::zoomValueIn()
{
    run(EventLogNames::kValueZoomIn, [this] { m_model->zoomValueIn(); });
}

void PlotController::zoomValueOut()
{
    run(EventLogNames::kValueZoomOut, [this] { m_model->zoomValueOut(); });
}

void PlotController::zoomTimeIn()
{
    run(EventLogNames::kTimeZoomIn, [this] { m_model->zoomTimeIn(); });
}

void PlotController::zoomTimeOut()
{
    run(EventLogNames::kTimeZoomOut, [this] { m_model->zoomTimeOut(); });
}

void PlotController::scrollTimeTo(int position)
{
    run(EventLogNames::kTimeScroll, [=] { m_model->scrollTimeTo(position); });
}

void PlotController::scrollValueTo(int position)
{
    run(EventLogNames::kValueScroll, [=] { m_model->scrollValueTo(position); });
}

// A step refused at the limit says so in place of the read-out, once a gesture; the
// gesture's later steps leave that text where it is rather than cover it with the
// read-out at once.
template<typename Zoom>
void PlotController::zoomGesture(const QString &procedure, bool newGesture, Zoom zoom)
{
    if (newGesture)
        m_limitTold = false;
    bool refused = false;
    run(procedure, [&] {
        refused = !zoom();
        m_statusHeld = m_limitTold || refused;
    });
    m_statusHeld = false;
    if (refused && !m_limitTold) {
        m_limitTold = true;
        if (m_controls.showStatus)
            m_controls.showStatus(m_magnificationLimitText);
    }
}

void PlotController::zoomTimeAt(double x, int steps, bool newGesture)
{
    zoomGesture(EventLogNames::kPlotMouse, newGesture,
                [=] { return m_model->zoomTimeAbout(m_model->timeAt(x), steps); });
}

void PlotController::zoomValueAt(double y, int steps, bool newGesture)
{
    zoomGesture(EventLogNames::kPlotMouse, newGesture,
                [=] { return m_model->zoomValueAbout(m_model->valueAt(y), steps); });
}

void PlotController::zoomTimeAboutCursor(int steps, bool newGesture)
{
    zoomGesture(EventLogNames::kPlotKey, newGesture, [=] {
        // A cursor left outside the window by a drag comes back to its edge first.
        m_model->stepCursor(0);
        return m_model->zoomTimeAbout(m_model->state().cursor, steps);
    });
}

void PlotController::panBy(double dx, double dy)
{
    run(EventLogNames::kPlotMouse, [=] { m_model->panBy(dx, dy); });
}

void PlotController::zoomToBox(const QRectF &box)
{
    run(EventLogNames::kPlotMouse, [=] { m_model->zoomToBox(box); });
}

void PlotController::cursorToFirst()
{
    run(EventLogNames::kPlotKey, [this] { m_model->cursorToFirst(); });
}

void PlotController::cursorToLast()
{
    run(EventLogNames::kPlotKey, [this] { m_model->cursorToLast(); });
}

void PlotController::pageTime(int pages)
{
    run(EventLogNames::kPlotKey, [=] { m_model->pageTime(pages); });
}

void PlotController::placeSecondCursorAt(double x)
{
    run(EventLogNames::kPlotMouse, [=] { m_model->placeSecondCursor(m_model->timeAt(x)); });
}

void PlotController::removeSecondCursor()
{
    run(EventLogNames::kPlotKey, [this] { m_model->removeSecondCursor(); });
}
