// The bytes of a district file as the decoder takes them: every record behind the header
// read into the series, then the rows of its table that the statistics dialog first shows,
// and the last ten as the CSV export writes them, and the night-flow figures with the
// columns of their first days. Nothing is written and nothing shown;
// fuzz_district_view takes the same inputs the way the window opens and shows them. A
// run-time error escaping the decoder is a fault: it turns each one into a problem.

#include "FuzzSupport.h"

#include "NamedFormats.h"
#include "NightFlowAnalysis.h"
#include "NightFlowReport.h"
#include "RecordDecoder.h"
#include "TableRows.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const NamedFormats formats;
    static const TableRows table(formats);
    // One result for every input, as the window's district has: its arrays are made once.
    // Each input starts without settings, as a file opened first does.
    static RecordDecoder::Result result;
    result.settings = {};
    RecordDecoder::decode(FuzzSupport::bytes(data, size), result);
    // Every row is formatted alike: the first and last ten try the kinds a series holds (a
    // fitting, a gap marker, a value) as quickly as every row would. The settings run into
    // the values: the reference, and a display unit whose factor is not 1.
    const double reference = result.settings.reference;
    const qint32 last = result.series.sampleCount - 1;
    for (const bool csv : { false, true }) {
        qint32 first = csv ? std::max(last - 9, 0) : 0;
        qint32 end = first + 9;
        table.rows(result.series, reference, 3.6, csv, first, end);
    }
    // Clocks set back, holes and damaged dates reach the step function. A span of decades
    // adds only empty days to list, which would take most of the run from the decoder.
    const SampleSeries &series = result.series;
    if (result.settings.loggingInterval > 0 && series.lastTime - series.firstTime < 400.0) {
        NightFlowAnalysis analysis = NightFlowAnalysis::of(
            result.series, result.settings, NightWindow(), DisplayUnit::CubicMetresPerHour);
        analysis.days.resize(std::min<size_t>(analysis.days.size(), 3));
        NightFlowReport::csv({ { QString(), QString(), QString(), analysis } });
        NightFlowReport::wholeLogSentence(analysis, QString(), formats);
    }
    return 0;
}
