// A district file as File > Open takes it: read from disk and decoded, its problems logged,
// then shown the way the window shows a new district (the unit applied, the graph reset and
// drawn, the statistics dialog and its first and last rows) and reported as Copy Text does.
// Run-time errors are how the program refuses bad data; anything else escaping is a fault.
// Slower than fuzz_district_file, which tries the decoder alone; seeded from its corpus.

#include "FuzzSupport.h"

#include "District.h"
#include "DistrictFile.h"
#include "DistrictSummary.h"
#include "ErrorReport.h"
#include "NamedFormats.h"
#include "PlotModel.h"
#include "RuntimeError.h"
#include "SilentPrompts.h"
#include "StringTable.h"
#include "TableRows.h"
#include "TextReport.h"
#include "Units.h"

#include <algorithm>

namespace {

struct Shared
{
    StringTable strings;
    NamedFormats formats;
};

void showDistrict(const District &file, DisplayUnit unit, const Shared &shared,
                  ErrorReport &errorReport)
{
    const Units::Change change = Units::changeTo(unit, shared.strings);
    const double factor = DisplayUnits::factor(unit);

    SilentPrompts prompts;
    // The plot at the size the main window first gives it.
    PlotModel graph(
        { file.series(), file.settings(), shared.formats, shared.strings, errorReport, prompts },
        QSizeF(538, 336));
    graph.setUnit(unit);
    graph.prepareCurveElements();
    // The window guards each graph command and logs what it raises.
    try {
        graph.resetView();
    } catch (const RuntimeError &) { }

    const DistrictSummary summary
        = DistrictSummary::of(file, factor, change.unitText, shared.strings, shared.formats);
    // The dialog's first and last ten rows.
    const TableRows rows(shared.formats);
    const double reference = file.settings().reference;
    const qint32 samples = file.series().sampleCount;
    for (qint32 first : { 0, std::max(samples - 10, 0) }) {
        qint32 last = first + 9;
        rows.rows(file.series(), reference, factor, false, first, last);
    }

    const TextReport report(shared.formats);
    // Print Table and Export format the same rows again; once is enough to try them.
    report.copyText(file, summary);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::initialise();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const Shared shared;
    const QString folder = FuzzSupport::freshWorkFolder();
    const QString path = folder + QStringLiteral("district.dat");
    FuzzSupport::writeInput(path, data, size);

    ErrorReport errorReport(folder + QStringLiteral("events.log"));
    District file(errorReport);
    if (!DistrictFile::open(path, file, shared.strings).opened)
        return 0;
    try {
        showDistrict(file, DisplayUnits::fromCode(file.settings().unitCode()), shared, errorReport);
    } catch (const RuntimeError &) {
        // Told to the event log by the window's guard; not a fault of the decoder.
    }
    return 0;
}
