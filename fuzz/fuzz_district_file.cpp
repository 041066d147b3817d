// A district file as File > Open takes it: read from disk and decoded, then shown the
// way the window shows a new district (the unit applied, the graph reset and drawn, the
// statistics dialog and its first and last rows) and reported as Copy Text does.
// Run-time errors are how the program refuses bad data; anything else escaping is a fault.

#include "FuzzSupport.h"

#include "DistrictFile.h"
#include "ErrorReport.h"
#include "FileProcessing.h"
#include "MainWindowTexts.h"
#include "NamedFormats.h"
#include "PlotModel.h"
#include "RuntimeError.h"
#include "SilentPrompts.h"
#include "StatisticsFigures.h"
#include "StringTable.h"
#include "TableRows.h"
#include "TextReport.h"
#include "Units.h"

namespace {

struct Shared
{
    StringTable strings;
    NamedFormats formats;
    MainWindowTexts texts;
    Shared() { texts.load(strings); }
};

void showDistrict(const FileProcessing &file, DisplayUnit unit, const Shared &shared,
                  ErrorReport &errorReport)
{
    const Units::Change change = Units::changeTo(unit, shared.texts);
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

    const StatisticsFigures figures
        = StatisticsFigures::compute(file, factor, change.unitText, shared.strings, shared.formats);
    const TableRows rows(shared.formats);
    const double reference = file.settings().dblReference;
    for (qint32 first : { 0, figures.scrollMax }) {
        qint32 last = first + StatisticsFigures::kTableRows - 1;
        rows.getTable(file.series(), reference, factor, false, first, last);
    }

    const ReportCaptions captions
        = ReportCaptions::ofDistrict(file, factor, change.unitText, shared.strings, shared.formats);
    const TextReport report(shared.formats);
    // Print Table and Export format the same rows again; once is enough to try them.
    report.copyText(file, factor, captions);
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
    FileProcessing file(errorReport);
    qint16 unitCode = 0;
    if (!DistrictFile::open(path, file, unitCode, shared.strings).ok)
        return 0;
    try {
        showDistrict(file, DisplayUnits::fromCode(unitCode), shared, errorReport);
    } catch (const RuntimeError &) {
        // Told to the event log by the window's guard; not a fault of the decoder.
    }
    return 0;
}
