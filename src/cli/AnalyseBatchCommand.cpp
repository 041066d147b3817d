#include "AnalyseBatchCommand.h"

#include "BatchTool.h"
#include "DisplayUnit.h"
#include "District.h"
#include "FileNameBytes.h"
#include "NightFlowAnalysis.h"
#include "NightFlowReport.h"
#include "NightWindow.h"
#include "RuntimeError.h"
#include "StringTable.h"

#include <QCommandLineParser>

#include <algorithm>
#include <cerrno>
#include <deque>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>

namespace {

const QString kProgram = QStringLiteral("neru-cli");

// What stat() says of a name's bytes; false when there is nothing to say it of.
bool statusOf(const QByteArray &path, struct stat &status)
{
    status = {};
    return ::stat(path.constData(), &status) == 0;
}

} // namespace

AnalyseBatchCommand::AnalyseBatchCommand(Context context)
    : m_context(context)
{ }

void AnalyseBatchCommand::addCommand()
{
    m_context.tool.addCommand(
        QStringLiteral("analyse"),
        QStringLiteral("Work out night flow, daily volumes and the trend of district files"),
        [this](const QStringList &a) { return analyse(a); });
}

bool AnalyseBatchCommand::districtFiles(const QString &argument, QStringList &files)
{
    const QByteArray folder = FileNameBytes::encode(argument);
    struct stat status;
    // Anything but a folder is opened as a district file, which tells what is wrong with it.
    if (!statusOf(folder, status) || !S_ISDIR(status.st_mode)) {
        files.append(argument);
        return true;
    }
    DIR *entries = ::opendir(folder.constData());
    if (!entries) {
        m_context.tool.printError(kProgram + QStringLiteral(": ") + argument + QStringLiteral(": ")
                                  + qt_error_string(errno));
        return false;
    }
    const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
    std::vector<QByteArray> names;
    while (const dirent *entry = ::readdir(entries)) {
        const QByteArray name(entry->d_name);
        // Not the folders below, nor a FIFO or device that reading would wait on.
        if (name.size() > 4 && name.right(4).toLower() == ".dat" && statusOf(prefix + name, status)
            && S_ISREG(status.st_mode))
            names.push_back(name);
    }
    ::closedir(entries);
    if (names.empty()) {
        m_context.tool.printError(kProgram + QStringLiteral(": ") + argument
                                  + QStringLiteral(": no .dat file in the folder"));
        return false;
    }
    std::sort(names.begin(), names.end());
    for (const QByteArray &name : names)
        files.append(FileNameBytes::decode(prefix + name));
    return true;
}

int AnalyseBatchCommand::analyse(const QStringList &arguments)
{
    BatchTool &tool = m_context.tool;
    const QString command = arguments.first();
    const QString usagePrefix = kProgram + u' ' + command + QStringLiteral(": ");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Work out each day's coverage, volume, mean and extremes, each night's "
                       "minimum and mean, and the trend of the night minimum across complete "
                       "nights, as View > Night Flow shows them. A folder stands for every .dat "
                       "file in it, sorted by name."));
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("District files (.dat) or folders of them."),
                                 QStringLiteral("FILE..."));
    const QCommandLineOption nightOption(
        QStringLiteral("night"),
        QStringLiteral("The night window, start before end within one day (default 02:00-04:00)."),
        QStringLiteral("HH:MM-HH:MM"));
    const QCommandLineOption csvOption(
        QStringLiteral("csv"),
        QStringLiteral("One CSV over all files: a header row, then a row per file and date."));
    parser.addOption(nightOption);
    parser.addOption(BatchTool::unitOption());
    parser.addOption(csvOption);
    parser.addOption(BatchTool::strictOption());
    parser.addOption(BatchTool::outputOption());
    parser.addHelpOption();
    if (!parser.parse(arguments)) {
        tool.printError(kProgram + QStringLiteral(": ") + parser.errorText());
        return BatchTool::UsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        tool.printLine(parser.helpText().trimmed());
        return BatchTool::Success;
    }
    if (parser.positionalArguments().isEmpty()) {
        tool.printError(usagePrefix + QStringLiteral("expects one FILE or more"));
        return BatchTool::UsageError;
    }
    NightWindow window;
    if (!tool.chosenNight(command, parser, window))
        return BatchTool::UsageError;
    int unitCode = 0;
    if (!tool.chosenUnit(command, parser, unitCode))
        return BatchTool::UsageError;
    const QString unitName = parser.value(QStringLiteral("unit"));
    const bool strict = parser.isSet(QStringLiteral("strict"));

    bool failed = false;
    QStringList paths;
    for (const QString &argument : parser.positionalArguments())
        failed = !districtFiles(argument, paths) || failed;

    // Each file's figures and what names them; a refused file is told and the rest go on.
    struct Analysed
    {
        QString file;
        QString district;
        QString unitText;
        NightFlowAnalysis analysis;
    };
    std::deque<Analysed> analysed;
    for (const QString &path : paths) {
        District district(m_context.errorReport);
        if (!tool.openDistrictFile(path, district, strict)) {
            failed = true;
            continue;
        }
        qint16 unit = district.settings().unitCode();
        if (!tool.applyUnit(command, path, unitName, unitCode, unit)) {
            failed = true;
            continue;
        }
        const DisplayUnit displayUnit = DisplayUnits::fromCode(unit);
        try {
            analysed.push_back({ FileNameBytes::shown(path),
                                 district.image().headerTexts().district,
                                 m_context.strings.text(DisplayUnits::unitTextId(displayUnit)),
                                 NightFlowAnalysis::of(district.series(), district.settings(),
                                                       window, displayUnit) });
        } catch (const RuntimeError &e) {
            tool.printError(kProgram + QStringLiteral(": ") + path + QStringLiteral(": ")
                            + e.description());
            failed = true;
        }
    }
    // Nothing analysed writes nothing, so an old output file is kept.
    if (analysed.empty())
        return BatchTool::Failure;

    // A source holds its figures by reference, so the list is made in one go, by copies.
    std::vector<NightFlowReport::Source> each;
    for (const Analysed &a : analysed)
        each.push_back({ a.file, a.district, a.unitText, a.analysis });
    const QList<NightFlowReport::Source> sources(each.cbegin(), each.cend());
    QString text;
    if (parser.isSet(csvOption)) {
        text = NightFlowReport::csv(sources);
    } else {
        for (const NightFlowReport::Source &source : sources)
            text += (text.isEmpty() ? QString() : QStringLiteral("\n"))
                + NightFlowReport::plainText(source, m_context.formats);
    }
    if (!tool.writeOutput(parser.value(QStringLiteral("output")), text.toUtf8()))
        return BatchTool::Failure;
    return failed ? BatchTool::Failure : BatchTool::Success;
}
