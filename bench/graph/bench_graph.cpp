// The graph of the largest district on an offscreen window: preparing and drawing a new
// series, redrawing after a zoom and after a scroll, and painting the plot.
#include "District.h"
#include "ErrorReport.h"
#include "NamedFormats.h"
#include "PlotController.h"
#include "PlotWidget.h"
#include "SilentPrompts.h"
#include "StringTable.h"
#include "records/RecordEncoder.h"
#include "samples/SampleGenerator.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A district whose series fills all 3401 entries: 3398 readings with three fittings and
// three holes that add gap markers.
QByteArray fullImage()
{
    SampleGenerator::District d = SampleGenerator::flowDistrict();
    d.days = 36;
    d.holes = { { 500, 3 }, { 1500, 2 }, { 2500, 53 } };
    d.fittings = { { 0, QStringLiteral("00001") },
                   { 900, QStringLiteral("00002") },
                   { 2000, QStringLiteral("00003") } };
    return RecordEncoder::header(QStringLiteral("10452")) + SampleGenerator::records(d);
}

// The decoded district and a window with the graph's controls, the plot at the size it
// has in a 1280 x 800 main window.
struct GraphBench
{
    GraphBench()
        : report(QStringLiteral("/dev/null"))
        , file(report)
        , formats(QLocale(QLocale::English, QLocale::UnitedKingdom))
    {
        file.image().setBytes(fullImage());
        file.decode();
        if (file.series().sampleCount != SampleSeries::kCapacity)
            qFatal("the benchmark image holds %d entries", file.series().sampleCount);

        window.resize(1280, 800);
        auto *picture = new PlotWidget(&window);
        picture->setGeometry(67, 54, 1183, 665);
        PlotController::Controls c;
        c.plot = picture;
        c.timeBar = new QScrollBar(Qt::Horizontal, &window);
        c.valueBar = new QScrollBar(Qt::Vertical, &window);
        c.zoomValueInButton = new QPushButton(&window);
        c.zoomValueOutButton = new QPushButton(&window);
        c.zoomTimeInButton = new QPushButton(&window);
        c.zoomTimeOutButton = new QPushButton(&window);
        for (QLabel **label : { &c.valueTopLabel, &c.valueMiddleLabel, &c.valueBottomLabel,
                                &c.timeStartLabel, &c.timeMiddleLabel, &c.timeEndLabel })
            *label = new QLabel(&window);
        c.showStatus = [this](const QString &text) { status = text; };
        timeBar = c.timeBar;
        graph = std::make_unique<PlotController>(c,
                                                 PlotController::Data { file.series(),
                                                                        file.settings(), formats,
                                                                        strings, report, prompts });
        graph->setUnit(DisplayUnits::fromCode(file.settings().unitCode()));
        window.show();
    }

    // What a newly loaded series gets: its curve elements, then the full view.
    void initialiseGraph()
    {
        graph->prepareCurveElements();
        graph->resetView();
    }

    ErrorReport report;
    District file;
    NamedFormats formats;
    StringTable strings;
    SilentPrompts prompts;
    QWidget window;
    QScrollBar *timeBar = nullptr;
    QString status;
    std::unique_ptr<PlotController> graph;
};

void initialiseGraphAndFirstDraw(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<GraphBench>();
        state.ResumeTiming();
        f->initialiseGraph();
        benchmark::DoNotOptimize(f->graph->model().elements().curve.count());
        state.PauseTiming();
        if (f->graph->model().elements().curve.count() != 2 * SampleSeries::kCapacity - 1)
            state.SkipWithError("the curve is not complete");
        f.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(initialiseGraphAndFirstDraw)->Unit(benchmark::kMillisecond);

// Zooming in and out in turn: each click is one full draw and the plot following it.
void drawGraphAfterZoom(benchmark::State &state)
{
    GraphBench f;
    f.initialiseGraph();
    bool in = true;
    for (auto _ : state) {
        if (in)
            f.graph->zoomTimeIn();
        else
            f.graph->zoomTimeOut();
        in = !in;
    }
}
BENCHMARK(drawGraphAfterZoom)->Unit(benchmark::kMillisecond);

// With a quarter of the time range shown, the arrows of the time bar in turn.
void drawGraphAfterScroll(benchmark::State &state)
{
    GraphBench f;
    f.initialiseGraph();
    f.graph->zoomTimeIn();
    f.graph->zoomTimeIn();
    bool right = true;
    for (auto _ : state) {
        f.timeBar->triggerAction(right ? QAbstractSlider::SliderPageStepAdd
                                       : QAbstractSlider::SliderPageStepSub);
        right = !right;
    }
}
BENCHMARK(drawGraphAfterScroll)->Unit(benchmark::kMillisecond);

// The drawing alone, without the plot painting it.
void drawGraphCore(benchmark::State &state)
{
    GraphBench f;
    f.initialiseGraph();
    PlotModel &graph = f.graph->model();
    bool in = true;
    for (auto _ : state) {
        graph.state().viewEnd
            = in ? (graph.state().viewStart + graph.state().viewEnd) / 2 : graph.state().fullEnd;
        graph.draw();
        in = !in;
    }
}
BENCHMARK(drawGraphCore)->Unit(benchmark::kMillisecond);

// Painting the plot with the whole series shown, through the widget, into an image of the
// plot's size (state.range: width, height), with the grid off or on.
void paintPlotAt(benchmark::State &state, bool grid)
{
    const auto width = static_cast<int>(state.range(0));
    const auto height = static_cast<int>(state.range(1));
    GraphBench f;
    f.window.resize(width, height);
    f.graph->plot().setGeometry(0, 0, width, height);
    f.initialiseGraph();
    f.graph->resizePlot();
    f.graph->showGrid(grid);
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        f.graph->plot().render(&painter);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

void paintPlot(benchmark::State &state)
{
    paintPlotAt(state, false);
}

void paintPlotGrid(benchmark::State &state)
{
    paintPlotAt(state, true);
}

BENCHMARK(paintPlot)
    ->Args({ 1280, 800 })
    ->Args({ 1920, 1080 })
    ->Args({ 3840, 2160 })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(paintPlotGrid)
    ->Args({ 1280, 800 })
    ->Args({ 1920, 1080 })
    ->Args({ 3840, 2160 })
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
