// Decoding a full district, writing all its rows as text, working out its night flow and
// drawing its graph's elements.
#include "CurvePath.h"
#include "District.h"
#include "ErrorReport.h"
#include "NamedFormats.h"
#include "NightFlowAnalysis.h"
#include "PlotModel.h"
#include "SilentPrompts.h"
#include "StringTable.h"
#include "TableRows.h"
#include "records/RecordEncoder.h"
#include "samples/SampleGenerator.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

namespace {

// A district whose series fills all 3401 entries exactly: 3398 readings with three
// fittings and three holes that add gap markers.
QByteArray fullImage()
{
    SampleGenerator::District d = SampleGenerator::flowDistrict();
    d.days = 36; // 3456 intervals, 58 of them missing
    d.holes = { { 500, 3 }, { 1500, 2 }, { 2500, 53 } };
    d.fittings = { { 0, QStringLiteral("00001") },
                   { 900, QStringLiteral("00002") },
                   { 2000, QStringLiteral("00003") } };
    return RecordEncoder::header(QStringLiteral("10452")) + SampleGenerator::records(d);
}

struct Fixture
{
    Fixture()
        : report(QStringLiteral("/dev/null"))
        , file(report)
    {
        file.image().setBytes(fullImage());
        file.decode();
        if (file.series().sampleCount != SampleSeries::kCapacity)
            qFatal("the benchmark image holds %d entries", file.series().sampleCount);
    }
    ErrorReport report;
    District file;
};

void processRecords(benchmark::State &state)
{
    Fixture f;
    for (auto _ : state) {
        f.file.decode();
        benchmark::DoNotOptimize(f.file.series().sampleCount);
    }
    state.counters["samples"] = f.file.series().sampleCount;
}
BENCHMARK(processRecords)->Unit(benchmark::kMicrosecond);

void getTable(benchmark::State &state)
{
    Fixture f;
    const NamedFormats formats(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const TableRows rows(formats);
    const bool csv = state.range(0) != 0;
    qsizetype size = 0;
    for (auto _ : state) {
        qint32 start = -1;
        qint32 end = -1;
        const QString text
            = rows.rows(f.file.series(), f.file.settings().reference, 1.0, csv, start, end);
        size = text.size();
        benchmark::DoNotOptimize(size);
    }
    state.counters["rows"] = f.file.series().sampleCount;
    state.counters["chars"] = double(size);
}
BENCHMARK(getTable)->Arg(1)->Arg(0)->ArgName("csv")->Unit(benchmark::kMillisecond);

// The figures of the Night Flow dialog for 36 days of readings: redone at each change of
// district, unit or night window.
void analyseNights(benchmark::State &state)
{
    Fixture f;
    size_t days = 0;
    for (auto _ : state) {
        const NightFlowAnalysis a = NightFlowAnalysis::of(
            f.file.series(), f.file.settings(), NightWindow(), DisplayUnit::LitresPerSecond);
        days = a.days.size();
        benchmark::DoNotOptimize(days);
    }
    state.counters["days"] = double(days);
}
BENCHMARK(analyseNights)->Unit(benchmark::kMicrosecond);

// The graph's model of the whole district with the grid on, at 1920 x 1080, and the curve
// cut into polylines as the plot paints it: done at every zoom, scroll and drag.
void drawPlotElements(benchmark::State &state)
{
    Fixture f;
    const NamedFormats formats(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const StringTable strings;
    SilentPrompts prompts;
    PlotModel graph({ f.file.series(), f.file.settings(), formats, strings, f.report, prompts },
                    QSizeF(1920, 1080));
    graph.setUnit(DisplayUnit::LitresPerSecond);
    graph.setGrid(true);
    graph.prepareCurveElements();
    graph.resetView();
    size_t points = 0;
    for (auto _ : state) {
        graph.draw();
        points = 0;
        for (const CurvePath::Run &run :
             CurvePath::of(graph.elements().curve, graph.state().curveCount))
            points += run.points.size();
        benchmark::DoNotOptimize(points);
    }
    state.counters["elements"] = graph.state().curveCount;
    state.counters["points"] = double(points);
}
BENCHMARK(drawPlotElements)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
