#pragma once

#include "PlotModel.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class PlotWidget;
class QAbstractButton;
class QLabel;
class QScrollBar;

// The graph's side of the main window: turns the plot's mouse gestures and keys, the four
// zoom buttons and the two scroll bars into the PlotModel's requests, and after every request
// brings the plot, the two scroll bars, the six axis labels and the status bar read-out up
// to date. A request that fails outside the drawing's own guards is written to the event
// log under the name of the control that made it, and ends; the program goes on.
class PlotController : public QObject
{
    Q_OBJECT

public:
    // The window's controls; all must be given and outlive the controller's use of them.
    struct Controls
    {
        PlotWidget *plot = nullptr;
        QScrollBar *timeBar = nullptr;
        QScrollBar *valueBar = nullptr;
        QAbstractButton *zoomValueInButton = nullptr;
        QAbstractButton *zoomValueOutButton = nullptr;
        QAbstractButton *zoomTimeInButton = nullptr;
        QAbstractButton *zoomTimeOutButton = nullptr;
        QLabel *valueTopLabel = nullptr;
        QLabel *valueMiddleLabel = nullptr;
        QLabel *valueBottomLabel = nullptr;
        QLabel *timeStartLabel = nullptr;
        QLabel *timeMiddleLabel = nullptr;
        QLabel *timeEndLabel = nullptr;
        std::function<void(const QString &)> showStatus; // the status bar's text
    };

    // What the graph reads and where it reports, owned by the window.
    struct Data
    {
        const SampleSeries &series;
        const DistrictSettings &settings;
        const NamedFormats &formats;
        const StringTable &strings;
        ErrorReport &errorReport;
        UserPrompts &prompts;
    };

    PlotController(const Controls &controls, const Data &data, QObject *parent = nullptr);
    ~PlotController() override;

    PlotModel &model() { return *m_model; }
    const PlotModel &model() const { return *m_model; }
    PlotWidget &plot() { return *m_controls.plot; }

    // The unit values are shown in from the next drawing on.
    void setUnit(DisplayUnit unit) { m_model->setUnit(unit); }

    // Blanks the plot, as when the window is created.
    void clear();
    // A new series: the curve elements are made ready; the caller then applies the
    // unit, which ends in resetView.
    void prepareCurveElements();

    // Shows on screen what the last request left in the plot elements, scroll ranges and
    // texts.
    void refresh();

public slots:
    // The plot has been given a new size: the graph is drawn to fill it.
    void resizePlot();
    // Night shading on or off, or another night window: the graph is drawn again.
    void showNightShading(bool on);
    void showNightWindow(const NightWindow &window);
    // View > Grid on or off: the graph is drawn again.
    void showGrid(bool on);
    // View > Fit Values on or off: the value range is worked out again and shown whole.
    void fitValues(bool on);
    void resetView();
    void placeCursorAt(double x);
    void stepCursor(int intervals);
    void zoomValueIn();
    void zoomValueOut();
    void zoomTimeIn();
    void zoomTimeOut();
    void scrollTimeTo(int position);
    void scrollValueTo(int position);
    // The plot's gestures, in its pixels. A zoom step refused at the limit puts the
    // magnification limit on the status bar, once for each gesture.
    void zoomTimeAt(double x, int steps, bool newGesture);
    void zoomValueAt(double y, int steps, bool newGesture);
    void zoomTimeAboutCursor(int steps, bool newGesture);
    void panBy(double dx, double dy);
    void zoomToBox(const QRectF &box);
    void cursorToFirst();
    void cursorToLast();
    void pageTime(int pages);
    void placeSecondCursorAt(double x);
    void removeSecondCursor();

private:
    template<typename Request> void run(const QString &procedure, Request request);
    template<typename Zoom> void zoomGesture(const QString &procedure, bool newGesture, Zoom zoom);
    static void setUpBar(QScrollBar &bar);

    Controls m_controls;
    ErrorReport &m_errorReport;
    std::unique_ptr<PlotModel> m_model;
    // The plot paints the model: it is told when the model goes, unless it went first.
    QPointer<PlotWidget> m_painting;
    QString m_magnificationLimitText;
    // The limit was told in the zoom gesture under way; while set, its steps leave the
    // status bar as it is.
    bool m_limitTold = false;
    bool m_statusHeld = false;
};
