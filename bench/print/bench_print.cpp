// Printing a full district's table (3401 rows) and a graph page, as PDF in memory.
#include "CaptureRoutines.h"
#include "District.h"
#include "DistrictSummary.h"
#include "ErrorReport.h"
#include "NamedFormats.h"
#include "PrintingSurface.h"
#include "StringTable.h"
#include "TextReport.h"
#include "records/RecordEncoder.h"
#include "samples/SampleGenerator.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>

#include <benchmark/benchmark.h>

namespace {

// A district whose series fills all 3401 entries, as the data benchmark makes it.
QStringList fullReport()
{
    SampleGenerator::District d = SampleGenerator::flowDistrict();
    d.days = 36;
    d.holes = { { 500, 3 }, { 1500, 2 }, { 2500, 53 } };
    ErrorReport report(QStringLiteral("/dev/null"));
    District file(report);
    file.image().setBytes(RecordEncoder::header(QStringLiteral("10452"))
                          + SampleGenerator::records(d));
    file.decode();
    const StringTable strings;
    const NamedFormats formats(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const DistrictSummary summary
        = DistrictSummary::of(file, 1.0, QStringLiteral("l/s"), strings, formats);
    return TextReport(formats).printLines(file, summary);
}

template<typename Print> void intoPdf(benchmark::State &state, Print print)
{
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&pdf);
            PrintingSurface::setUpPdf(writer, QStringLiteral("bench"));
            PrintingSurface surface(writer);
            if (!print(surface))
                state.SkipWithError("printing failed");
        }
        bytes = pdf.size();
    }
    state.counters["pdf_kB"] = double(bytes) / 1024.0;
}

void printTable(benchmark::State &state)
{
    const QStringList lines = fullReport();
    state.counters["lines"] = double(lines.size());
    intoPdf(state, [&lines](PrintingSurface &s) { return CaptureRoutines().printTable(s, lines); });
}
BENCHMARK(printTable)->Unit(benchmark::kMillisecond);

// A graph band as a full-HD window at twice the pixel density gives it.
void printGraph(benchmark::State &state)
{
    QImage band(3840, 1800, QImage::Format_RGB32);
    band.fill(Qt::white);
    intoPdf(state, [&band](PrintingSurface &s) {
        return CaptureRoutines().printGraph(s, band, QStringLiteral("NERU Program: bench.dat"),
                                            QStringLiteral("Printed 07/12/2026 10:00:00"));
    });
}
BENCHMARK(printGraph)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
