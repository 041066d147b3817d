#include "ReportBatchCommand.h"

#include "ApplicationName.h"
#include "BatchTool.h"
#include "CaptureRoutines.h"
#include "DisplayUnit.h"
#include "District.h"
#include "DistrictSummary.h"
#include "PrintingSurface.h"
#include "StringTable.h"
#include "TextReport.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QPdfWriter>

#include <cstring>

namespace {

const QString kProgram = QStringLiteral("neru-cli");

} // namespace

ReportBatchCommand::ReportBatchCommand(Context context)
    : m_context(context)
{ }

void ReportBatchCommand::addCommand()
{
    m_context.tool.addCommand(
        QStringLiteral("report"),
        QStringLiteral("Write the text report of a district file, or print it to PDF"),
        [this](const QStringList &a) { return report(a); });
}

bool ReportBatchCommand::printsPdf(int argc, const char *const *argv)
{
    if (argc < 2 || std::strcmp(argv[1], "report") != 0)
        return false;
    for (int k = 2; k < argc; ++k) {
        if (std::strcmp(argv[k], "--pdf") == 0 || std::strncmp(argv[k], "--pdf=", 6) == 0)
            return true;
    }
    return false;
}

int ReportBatchCommand::report(const QStringList &arguments)
{
    BatchTool &tool = m_context.tool;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write the text report of a district file as Edit > Copy Text copies it "
                       "(CR LF line ends), or print its table pages to PDF as File > Print > "
                       "Table prints them."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("District file (.dat)"));
    const QCommandLineOption pdfOption(
        QStringLiteral("pdf"),
        QStringLiteral("Print the table pages to this PDF file instead (-: standard output)."),
        QStringLiteral("PATH"));
    parser.addOption(BatchTool::unitOption());
    parser.addOption(BatchTool::outputOption());
    parser.addOption(pdfOption);
    parser.addOption(BatchTool::strictOption());
    int exitCode = BatchTool::Success;
    QString path;
    if (!tool.parseWithFile(parser, arguments, QStringLiteral("FILE"), path, exitCode))
        return exitCode;
    const QString command = arguments.first();
    const bool pdf = parser.isSet(pdfOption);
    if (pdf && parser.isSet(QStringLiteral("output"))) {
        tool.printError(kProgram + u' ' + command
                        + QStringLiteral(": -o and --pdf cannot be used together"));
        return BatchTool::UsageError;
    }
    // Without a GUI application the first font would end the process.
    if (pdf && !qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        tool.printError(kProgram + u' ' + command
                        + QStringLiteral(": printing is not available in this process"));
        return BatchTool::Failure;
    }
    int unitCode = 0;
    if (!tool.chosenUnit(command, parser, unitCode))
        return BatchTool::UsageError;
    District district(m_context.errorReport);
    if (!tool.openDistrictFile(path, district, parser.isSet(QStringLiteral("strict"))))
        return BatchTool::Failure;
    qint16 unit = district.settings().unitCode();
    if (!tool.applyUnit(command, path, parser.value(QStringLiteral("unit")), unitCode, unit))
        return BatchTool::UsageError;
    // The window does nothing then; a script is told.
    if (district.series().sampleCount == 0) {
        tool.printError(kProgram + QStringLiteral(": ") + path
                        + QStringLiteral(": no samples to report"));
        return BatchTool::Failure;
    }

    // The statistics as the dialog shows them in the unit chosen.
    const StringTable &strings = m_context.strings;
    const DistrictSummary summary
        = DistrictSummary::of(district, DisplayUnits::factor(DisplayUnits::fromCode(unit)),
                              strings.text(DisplayUnits::unitTextId(DisplayUnits::fromCode(unit))),
                              strings, m_context.formats);
    const TextReport text(m_context.formats);
    if (pdf)
        return printPdf(parser.value(pdfOption), text.printLines(district, summary))
            ? BatchTool::Success
            : BatchTool::Failure;
    return tool.writeOutput(parser.value(QStringLiteral("output")),
                            text.copyText(district, summary).toUtf8())
        ? BatchTool::Success
        : BatchTool::Failure;
}

bool ReportBatchCommand::printPdf(const QString &path, const QStringList &lines)
{
    // The pages are made in memory and written whole, so a file that cannot be written
    // is told with the system's reason and an old one is kept.
    QBuffer pages;
    pages.open(QIODevice::WriteOnly);
    bool printed = false;
    {
        QPdfWriter writer(&pages);
        PrintingSurface::setUpPdf(writer, ApplicationName::title() + QStringLiteral(" table"));
        PrintingSurface surface(writer);
        printed = CaptureRoutines().printTable(surface, lines);
    }
    if (!printed) {
        m_context.tool.printError(kProgram + QStringLiteral(": ") + path
                                  + QStringLiteral(": the pages could not be printed"));
        return false;
    }
    return m_context.tool.writeOutput(path, pages.data());
}
