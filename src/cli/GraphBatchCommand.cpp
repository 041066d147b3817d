#include "GraphBatchCommand.h"

#include "BatchTool.h"
#include "DateTime.h"
#include "DisplayUnit.h"
#include "District.h"
#include "GraphExport.h"
#include "NightWindow.h"
#include "PlotModel.h"
#include "SilentPrompts.h"
#include "StringTable.h"
#include "Units.h"

#include <QCommandLineParser>
#include <QDateTime>
#include <QGuiApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>

namespace {

const QString kProgram = QStringLiteral("neru-cli");
const QString kTimeFormat = QStringLiteral("yyyy-MM-dd'T'HH:mm:ss");

QString timeText(double dateTime)
{
    return QDateTime(DateTime::toQDate(dateTime), DateTime::toQTime(dateTime))
        .toString(kTimeFormat);
}

// "WxH", each side a number; none otherwise.
std::optional<QSizeF> parseSize(const QString &text)
{
    static const QRegularExpression size(
        QStringLiteral("^(\\d{1,6}(?:\\.\\d+)?)[xX](\\d{1,6}(?:\\.\\d+)?)$"));
    const QRegularExpressionMatch m = size.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    return QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
}

} // namespace

GraphBatchCommand::GraphBatchCommand(Context context)
    : m_context(context)
{ }

void GraphBatchCommand::addCommand()
{
    m_context.tool.addCommand(
        QStringLiteral("graph"),
        QStringLiteral("Draw the graph of a district file as PNG, SVG or PDF"),
        [this](const QStringList &a) { return graph(a); });
}

bool GraphBatchCommand::drawsGraph(int argc, const char *const *argv)
{
    return argc >= 2 && std::strcmp(argv[1], "graph") == 0;
}

std::optional<double> GraphBatchCommand::parseTime(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2}):(\\d{2})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const auto part = [&m](int k) { return m.captured(k).toInt(); };
    // Clock time as the logger keeps it: no time zone, so no hour is skipped or doubled.
    if (!QDate::isValid(part(1), part(2), part(3)) || !QTime::isValid(part(4), part(5), part(6)))
        return std::nullopt;
    return DateTime::fromParts(part(1), part(2), part(3), part(4), part(5), part(6));
}

int GraphBatchCommand::graph(const QStringList &arguments)
{
    BatchTool &tool = m_context.tool;
    const QString command = arguments.first();
    const QString usagePrefix = kProgram + u' ' + command + QStringLiteral(": ");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Draw the graph of a district file as File > Export Graph does: the "
                       "curve, markers and axis labels with the unit, under a heading of the "
                       "district number, title and comment lines. The format follows the "
                       "output's extension (.png, .svg or .pdf); the full range unless --from "
                       "or --to narrows the time window."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("District file (.dat)"));
    const QCommandLineOption outputOption(
        QStringList { QStringLiteral("o"), QStringLiteral("output") },
        QStringLiteral("The figure's file: .png, .svg or .pdf."), QStringLiteral("PATH"));
    const QCommandLineOption sizeOption(
        QStringLiteral("size"),
        QStringLiteral("Width and height: pixels for PNG and SVG (default 1600x900), "
                       "millimetres for PDF (default 297x210)."),
        QStringLiteral("WxH"));
    const QCommandLineOption fromOption(QStringLiteral("from"),
                                        QStringLiteral("Start of the time window."),
                                        QStringLiteral("YYYY-MM-DDTHH:MM:SS"));
    const QCommandLineOption toOption(QStringLiteral("to"),
                                      QStringLiteral("End of the time window."),
                                      QStringLiteral("YYYY-MM-DDTHH:MM:SS"));
    const QCommandLineOption gridOption(QStringLiteral("grid"),
                                        QStringLiteral("Gridlines at round values and times."));
    const QCommandLineOption fitOption(
        QStringLiteral("fit"),
        QStringLiteral("Fit the value axis to the readings instead of starting it at 0."));
    const QCommandLineOption shadingOption(QStringLiteral("night-shading"),
                                           QStringLiteral("Shade the night window of each date."));
    const QCommandLineOption nightOption(
        QStringLiteral("night"),
        QStringLiteral("The night window, start before end within one day (default 02:00-04:00)."),
        QStringLiteral("HH:MM-HH:MM"));
    for (const QCommandLineOption &option :
         { outputOption, sizeOption, BatchTool::unitOption(), fromOption, toOption, gridOption,
           fitOption, shadingOption, nightOption, BatchTool::strictOption() })
        parser.addOption(option);
    int exitCode = BatchTool::Success;
    QString path;
    if (!tool.parseWithFile(parser, arguments, QStringLiteral("FILE"), path, exitCode))
        return exitCode;

    const QString output = parser.value(outputOption);
    if (output.isEmpty()) {
        tool.printError(usagePrefix + QStringLiteral("-o PATH is required"));
        return BatchTool::UsageError;
    }
    const std::optional<GraphExport::Format> format = GraphExport::formatOf(output);
    if (!format) {
        tool.printError(usagePrefix + GraphExport::formatRefusal(output));
        return BatchTool::UsageError;
    }
    QSizeF size = GraphExport::defaultSize(*format);
    if (parser.isSet(sizeOption)) {
        const std::optional<QSizeF> chosen = parseSize(parser.value(sizeOption));
        const QString refusal = chosen ? GraphExport::sizeRefusal(*format, *chosen)
                                       : QStringLiteral("expects WxH, for example 1600x900");
        if (!refusal.isEmpty()) {
            tool.printError(usagePrefix + QStringLiteral("--size \"") + parser.value(sizeOption)
                            + QStringLiteral("\": ") + refusal);
            return BatchTool::UsageError;
        }
        size = *chosen;
    }
    std::optional<double> from;
    std::optional<double> to;
    for (const auto &[option, time] : { std::pair { &fromOption, &from }, { &toOption, &to } }) {
        if (!parser.isSet(*option))
            continue;
        *time = parseTime(parser.value(*option));
        if (!*time) {
            tool.printError(usagePrefix + QStringLiteral("--") + option->names().constFirst()
                            + QStringLiteral(" \"") + parser.value(*option)
                            + QStringLiteral("\": expects YYYY-MM-DDTHH:MM:SS"));
            return BatchTool::UsageError;
        }
    }
    if (from && to && *from >= *to) {
        tool.printError(usagePrefix + QStringLiteral("--from must come before --to"));
        return BatchTool::UsageError;
    }
    NightWindow night;
    if (!tool.chosenNight(command, parser, night))
        return BatchTool::UsageError;
    int unitCode = 0;
    if (!tool.chosenUnit(command, parser, unitCode))
        return BatchTool::UsageError;
    // Without a GUI application the first font would end the process.
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        tool.printError(usagePrefix + QStringLiteral("drawing is not available in this process"));
        return BatchTool::Failure;
    }

    District district(m_context.errorReport);
    if (!tool.openDistrictFile(path, district, parser.isSet(QStringLiteral("strict"))))
        return BatchTool::Failure;
    qint16 unit = district.settings().unitCode();
    if (!tool.applyUnit(command, path, parser.value(QStringLiteral("unit")), unitCode, unit))
        return BatchTool::UsageError;
    const SampleSeries &series = district.series();
    if (series.sampleCount == 0) {
        tool.printError(kProgram + QStringLiteral(": ") + path
                        + QStringLiteral(": no samples to draw"));
        return BatchTool::Failure;
    }
    if ((from && *from >= series.lastTime) || (to && *to <= series.firstTime)) {
        tool.printError(usagePrefix + QStringLiteral("the time window holds no readings of ") + path
                        + QStringLiteral(" (they run from ") + timeText(series.firstTime)
                        + QStringLiteral(" to ") + timeText(series.lastTime) + u')');
        return BatchTool::UsageError;
    }

    // The graph as the window draws it for a new file, then the options.
    SilentPrompts nobody;
    PlotModel plot(PlotModel::Links { series, district.settings(), m_context.formats,
                                      m_context.strings, m_context.errorReport, nobody },
                   size);
    plot.prepareCurveElements();
    const DisplayUnit displayUnit = DisplayUnits::fromCode(unit);
    plot.setUnit(displayUnit);
    plot.setNightWindow(night);
    plot.setNightShading(parser.isSet(shadingOption));
    plot.setGrid(parser.isSet(gridOption));
    plot.setFitValues(parser.isSet(fitOption));
    plot.resetView();
    if (from || to) {
        const PlotState &view = plot.state();
        plot.showTimeWindow(from.value_or(view.fullStart), to.value_or(view.fullEnd));
    }

    const DistrictImage::HeaderTexts texts = district.image().headerTexts();
    const GraphExport::Figure figure {
        GraphExport::heading(texts.district, texts.title, texts.comments1, texts.comments2),
        Units::changeTo(displayUnit, m_context.strings).valueAxisCaption
    };
    QString failure;
    if (!GraphExport::save(output, *format, size, plot, figure, failure)) {
        tool.printError(kProgram + QStringLiteral(": ") + failure);
        return BatchTool::Failure;
    }
    return BatchTool::Success;
}
