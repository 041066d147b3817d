#include "BatchTool.h"
#include "ProgramVersion.h"

#include "CsvExport.h"
#include "DecodeProblems.h"
#include "DisplayUnit.h"
#include "District.h"
#include "DistrictFile.h"
#include "DistrictFileNames.h"
#include "DistrictSummary.h"
#include "DownloadCutter.h"
#include "ErrorReport.h"
#include "FileNameBytes.h"
#include "NamedFormats.h"
#include "RuntimeError.h"
#include "SaveDistrictPrompt.h"
#include "SpreadsheetCsv.h"
#include "StringTable.h"
#include "WholeFile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QIODevice>

#include <array>
#include <cerrno>
#include <sys/stat.h>

namespace {

const QString kProgram = QStringLiteral("neru-cli");

// Writes each district of a download to a file named after its district number, in its
// safe form; a number met twice gets a second file, never the first one's.
class BatchSavePrompt : public SaveDistrictPrompt
{
public:
    BatchSavePrompt(BatchTool &tool, const QString &source, bool force)
        : m_tool(tool)
        , m_reading(kProgram + QStringLiteral(": ") + source + QStringLiteral(": "))
        , m_force(force)
    { }

    bool askDistrict(Texts &texts, QString &defaultDir) override
    {
        const QString proposed = texts.fileName;
        const QString name = m_names.propose(defaultDir, proposed);
        const QString path = defaultDir + name + QStringLiteral(".dat");
        // Only a file from before this run can be here: this run's names are its own.
        if (!m_force && FileNameBytes::exists(path)) {
            m_tool.printError(m_reading + path
                              + QStringLiteral(": already exists (use --force to overwrite)"));
            m_failed = true;
            return false;
        }
        m_names.remember(defaultDir, name);
        if (DistrictFileNames::safeName(proposed) != proposed) {
            const QString district = proposed.isEmpty()
                ? QStringLiteral("a district without a number")
                : QStringLiteral("district \"") + proposed + u'"';
            m_tool.printError(m_reading + district + QStringLiteral(" is written as ") + name
                              + QStringLiteral(".dat"));
        }
        texts.fileName = name;
        return true;
    }

    bool districtNotWritten(const QString &, const QString &reason) override
    {
        m_tool.printError(m_reading + reason);
        m_failed = true;
        return false;
    }

    bool failed() const { return m_failed; }

private:
    BatchTool &m_tool;
    const QString m_reading; // "neru-cli: <download>: ", before every line
    bool m_force;
    bool m_failed = false;
    DistrictFileNames m_names;
};

// Makes a folder and those above it that are missing: 0, or the error that stopped it.
int makeFolders(const QByteArray &path)
{
    for (qsizetype end = path.indexOf('/', 1);; end = path.indexOf('/', end + 1)) {
        const QByteArray part = end < 0 ? path : path.left(end);
        if (!part.endsWith('/') && ::mkdir(part.constData(), 0777) != 0 && errno != EEXIST)
            return errno;
        if (end < 0)
            return 0;
    }
}

} // namespace

BatchTool::BatchTool(Context context)
    : m_context(context)
{
    addCommand(QStringLiteral("info"), QStringLiteral("Describe a district file"),
               [this](const QStringList &a) { return info(a); });
    addCommand(QStringLiteral("export"), QStringLiteral("Write a district file's readings as CSV"),
               [this](const QStringList &a) { return exportCsv(a); });
    addCommand(QStringLiteral("edit"),
               QStringLiteral("Set the district, title or comment lines of a district file"),
               [this](const QStringList &a) { return edit(a); });
    addCommand(QStringLiteral("split"),
               QStringLiteral("Cut a raw download into one file per district"),
               [this](const QStringList &a) { return split(a); });
}

void BatchTool::addCommand(const QString &name, const QString &summary, Command command)
{
    m_commands[name] = Entry { summary, std::move(command) };
}

bool BatchTool::parseWithFile(QCommandLineParser &parser, const QStringList &arguments,
                              const QString &fileName, QString &path, int &exitCode)
{
    parser.addHelpOption();
    if (!parser.parse(arguments)) {
        printError(kProgram + QStringLiteral(": ") + parser.errorText());
        exitCode = UsageError;
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        printLine(parser.helpText().trimmed());
        exitCode = Success;
        return false;
    }
    if (parser.positionalArguments().size() != 1) {
        printError(kProgram + u' ' + arguments.first() + QStringLiteral(": expects one ")
                   + fileName);
        exitCode = UsageError;
        return false;
    }
    path = parser.positionalArguments().first();
    return true;
}

QCommandLineOption BatchTool::strictOption()
{
    return QCommandLineOption(QStringLiteral("strict"),
                              QStringLiteral("Fail when a record of the file does not decode."));
}

QCommandLineOption BatchTool::unitOption()
{
    return QCommandLineOption(
        QStringLiteral("unit"),
        QStringLiteral("Display unit: l/s, m3/h, kgal/h, bar, psi, mhd or fthd."),
        QStringLiteral("U"));
}

QCommandLineOption BatchTool::outputOption()
{
    return QCommandLineOption(QStringList { QStringLiteral("o"), QStringLiteral("output") },
                              QStringLiteral("Output file; - or none: standard output."),
                              QStringLiteral("PATH"));
}

bool BatchTool::chosenUnit(const QString &command, const QCommandLineParser &parser, int &unitCode)
{
    unitCode = 0;
    if (!parser.isSet(QStringLiteral("unit")))
        return true;
    const QString name = parser.value(QStringLiteral("unit"));
    unitCode = DisplayUnits::code(DisplayUnits::fromShortName(name));
    if (unitCode != 0)
        return true;
    printError(kProgram + u' ' + command + QStringLiteral(": unknown unit \"") + name
               + QStringLiteral("\" (l/s, m3/h, kgal/h, bar, psi, mhd, fthd)"));
    return false;
}

bool BatchTool::chosenNight(const QString &command, const QCommandLineParser &parser,
                            NightWindow &window)
{
    window = NightWindow();
    if (!parser.isSet(QStringLiteral("night")))
        return true;
    const QString text = parser.value(QStringLiteral("night"));
    const std::optional<NightWindow> chosen = NightWindow::parse(text);
    if (chosen) {
        window = *chosen;
        return true;
    }
    printError(kProgram + u' ' + command + QStringLiteral(": --night \"") + text
               + QStringLiteral("\": expects HH:MM-HH:MM, the start before the end within one "
                                "day (for example 02:00-04:00)"));
    return false;
}

bool BatchTool::applyUnit(const QString &command, const QString &path, const QString &unitName,
                          int unitCode, qint16 &unit)
{
    if (unitCode == 0)
        return true;
    if (DisplayUnits::isPressure(DisplayUnits::fromCode(unitCode))
        != DisplayUnits::isPressure(DisplayUnits::fromCode(unit))) {
        printError(
            kProgram + u' ' + command + QStringLiteral(": ") + path + QStringLiteral(" holds ")
            + (DisplayUnits::isPressure(DisplayUnits::fromCode(unit)) ? QStringLiteral("pressure")
                                                                      : QStringLiteral("flow"))
            + QStringLiteral(" data; unit ") + unitName + QStringLiteral(" does not apply"));
        return false;
    }
    unit = static_cast<qint16>(unitCode);
    return true;
}

void BatchTool::printLine(const QString &line)
{
    m_context.out.write((FileNameBytes::shown(line) + u'\n').toLocal8Bit());
}

void BatchTool::printError(const QString &line)
{
    m_context.err.write((FileNameBytes::shown(line) + u'\n').toLocal8Bit());
}

QString BatchTool::usage() const
{
    QString text = QStringLiteral("Usage: neru-cli COMMAND [OPTIONS] ...\n\n"
                                  "Reads, exports and cuts logger data without a display.\n\n"
                                  "Commands:\n");
    for (const auto &[name, entry] : m_commands)
        text += QStringLiteral("  %1  %2\n").arg(name, -12).arg(entry.summary);
    text += QStringLiteral("\nneru-cli COMMAND --help describes a command.\n"
                           "Options:\n  -h, --help     Displays help.\n"
                           "  -v, --version  Displays version information.");
    return text;
}

int BatchTool::run(const QStringList &arguments)
{
    const QStringList rest = arguments.mid(1);
    if (rest.isEmpty()) {
        printError(usage());
        return UsageError;
    }
    const QString first = rest.first();
    if (first == QLatin1String("-h") || first == QLatin1String("--help")) {
        printLine(usage());
        return Success;
    }
    if (first == QLatin1String("-v") || first == QLatin1String("--version")) {
        printLine(kProgram + u' ' + programVersion());
        return Success;
    }
    const auto it = m_commands.find(first);
    if (it == m_commands.end()) {
        printError(kProgram + QStringLiteral(": unknown command \"") + first
                   + QStringLiteral("\" (see neru-cli --help)"));
        return UsageError;
    }
    try {
        return it->second.command(rest);
    } catch (const RuntimeError &e) {
        printError(kProgram + QStringLiteral(": ") + e.description());
    } catch (const std::exception &e) {
        printError(kProgram + QStringLiteral(": ") + QString::fromLocal8Bit(e.what()));
    }
    return Failure;
}

bool BatchTool::openDistrictFile(const QString &path, District &district, bool strict)
{
    QByteArray bytes;
    try {
        bytes = DistrictImage::readFile(path);
    } catch (const RuntimeError &e) {
        printError(kProgram + QStringLiteral(": ") + e.description());
        return false;
    }
    const DistrictFile::Result result
        = DistrictFile::open(path, bytes, district, m_context.strings);
    if (!result.opened) {
        const bool download = DistrictFile::kindOf(bytes) == DistrictFile::Kind::Download;
        printError(kProgram + QStringLiteral(": ") + result.refusal
                   + (download ? QStringLiteral(" It is a download: neru-cli split cuts it into "
                                                "district files.")
                               : QString()));
        return false;
    }
    const QList<RecordDecoder::Problem> &problems = district.problems();
    for (const QString &line : DecodeProblems::lines(path, problems))
        printError(kProgram + QStringLiteral(": warning: ") + line);
    if (strict && !problems.isEmpty()) {
        printError(kProgram + QStringLiteral(": ") + path
                   + QStringLiteral(": decoding problems: %1 (--strict)").arg(problems.size()));
        return false;
    }
    return true;
}

int BatchTool::info(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Describe a district file."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("District file (.dat)"));
    parser.addOption(strictOption());
    int exitCode = Success;
    QString path;
    if (!parseWithFile(parser, arguments, QStringLiteral("FILE"), path, exitCode))
        return exitCode;
    District district(m_context.errorReport);
    if (!openDistrictFile(path, district, parser.isSet(QStringLiteral("strict"))))
        return Failure;
    const StringTable &t = m_context.strings;
    const NamedFormats &f = m_context.formats;
    const DistrictSettings &s = district.settings();
    const SampleSeries &series = district.series();
    const QString unit = t.text(DisplayUnits::unitTextId(DisplayUnits::fromCode(s.unitCode())));
    auto line = [this](const QString &label, const QString &value) {
        printLine(label + QStringLiteral(": ") + value);
    };
    auto number = [&f](double v) { return f.generalNumber(v); };
    // The figures that the statistics dialog shows too, as it shows them in the file's unit.
    const DistrictSummary summary = DistrictSummary::of(district, 1.0, unit, t, f);
    const QString none = t.text(40130);
    auto figure = [&](const DistrictSummary::Figure &g, bool known = true) {
        line(g.label, known ? g.shown + u' ' + g.units : none);
    };

    const DistrictImage::HeaderTexts texts = district.image().headerTexts();
    line(QStringLiteral("File"), district.image().path());
    line(t.text(30520), texts.district);
    line(t.text(30530), texts.title);
    line(t.text(30540), texts.comments1);
    line(t.text(30550), texts.comments2);
    line(QStringLiteral("Channel"),
         QStringLiteral("%1, type %2")
             .arg(s.isPressure() ? QStringLiteral("pressure") : QStringLiteral("flow"))
             .arg(s.channelType));
    line(t.text(30050), QString::number(s.loggingInterval) + u' ' + t.text(30230));
    if (!s.isPressure()) {
        figure(summary.meter);
        figure(summary.head);
    } else if (s.outputCode == 1) {
        line(t.text(30270), QStringLiteral("4-20 mA, offset ") + number(s.transducerOffset));
        line(t.text(30280), number(s.transducerRange) + u' ' + t.text(40060));
    } else {
        const QString output = s.outputCode == 2 ? QStringLiteral("0-1 V")
            : s.outputCode == 3                  ? QStringLiteral("0-2 V")
                                : QStringLiteral("output code %1").arg(s.outputCode);
        line(t.text(30270), output + QStringLiteral(", scale ") + number(s.headPulses));
    }
    const bool any = series.sampleCount > 0;
    figure(summary.maximum, any);
    figure(summary.minimum, any);
    figure(summary.reference);
    line(QStringLiteral("Samples"), QString::number(series.sampleCount));
    line(QStringLiteral("First"), any ? f.dateAndTime(series.firstTime) : none);
    line(QStringLiteral("Last"), any ? f.dateAndTime(series.lastTime) : none);
    line(QStringLiteral("Gap markers"), QString::number(series.gapCount()));
    line(QStringLiteral("Fittings"), QString::number(series.fittingCount));
    for (qint32 k = 0; k < series.fittingCount; ++k) {
        const qint32 sample = series.fittingSamples[static_cast<size_t>(k)];
        const QString when
            = sample >= 0 ? f.dateAndTime(series.times[static_cast<size_t>(sample)]) : none;
        printLine(QStringLiteral("  ") + series.fittingNumbers[static_cast<size_t>(k)]
                  + QStringLiteral(" at sample ") + QString::number(sample) + QStringLiteral(", ")
                  + when);
    }
    return Success;
}

int BatchTool::exportCsv(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Write the readings of a district file as comma-separated text, "
                       "exactly as File > Export writes neru.csv; with --iso, as File > "
                       "Export As writes it for a spreadsheet."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("District file (.dat)"));
    const QCommandLineOption isoOption(
        QStringLiteral("iso"),
        QStringLiteral("Spreadsheet CSV: a header row, ISO 8601 local times, plain numbers, "
                       "gaps left empty (UTF-8, LF line ends)."));
    parser.addOption(isoOption);
    parser.addOption(unitOption());
    parser.addOption(outputOption());
    parser.addOption(strictOption());
    int exitCode = Success;
    QString path;
    if (!parseWithFile(parser, arguments, QStringLiteral("FILE"), path, exitCode))
        return exitCode;
    const QString command = arguments.first();
    int unitCode = 0;
    if (!chosenUnit(command, parser, unitCode))
        return UsageError;
    District district(m_context.errorReport);
    // Under --strict a file with a bad record writes nothing, not even to standard output.
    if (!openDistrictFile(path, district, parser.isSet(QStringLiteral("strict"))))
        return Failure;
    qint16 unit = district.settings().unitCode();
    if (!applyUnit(command, path, parser.value(QStringLiteral("unit")), unitCode, unit))
        return UsageError;
    QByteArray bytes;
    try {
        const DisplayUnit shown = DisplayUnits::fromCode(unit);
        bytes = parser.isSet(isoOption)
            ? SpreadsheetCsv::bytes(district, shown, m_context.strings)
            : CsvExport::bytes(district, DisplayUnits::factor(shown), m_context.formats);
    } catch (const RuntimeError &e) {
        printError(kProgram + QStringLiteral(": ") + path + QStringLiteral(": ") + e.description());
        return Failure;
    }
    return writeOutput(parser.value(QStringLiteral("output")), bytes) ? Success : Failure;
}

bool BatchTool::writeOutput(const QString &output, const QByteArray &bytes)
{
    // /dev/stdout names this process's own output, whatever that is; never a file to
    // replace.
    if (!output.isEmpty() && output != QLatin1String("-") && output != QLatin1String("/dev/stdout"))
        return writeWholeFile(output, bytes);
    if (m_context.out.write(bytes) == bytes.size())
        return true;
    printError(kProgram + QStringLiteral(": standard output: ") + m_context.out.errorString());
    return false;
}

bool BatchTool::writeWholeFile(const QString &path, const QByteArray &bytes)
{
    QString reason;
    if (!WholeFile::write(path, bytes, reason)) {
        printError(kProgram + QStringLiteral(": ") + path + QStringLiteral(": ") + reason);
        return false;
    }
    return true;
}

int BatchTool::split(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Cut a raw download into DIR/<district number>.dat, one file per "
                       "district; a number met again gets <number>-2.dat, -3 ..."));
    parser.addPositionalArgument(QStringLiteral("DOWNLOAD"),
                                 QStringLiteral("Raw download (the bytes read from the logger)"));
    const FolderOptions options = addFolderOptions(
        parser, QStringLiteral("Folder for the district files (default: the current folder)."));
    int exitCode = Success;
    QString path;
    if (!parseWithFile(parser, arguments, QStringLiteral("DOWNLOAD"), path, exitCode))
        return exitCode;
    QFile input;
    QString reason;
    if (!FileNameBytes::openForReading(input, path, reason)) {
        printError(kProgram + QStringLiteral(": ") + path + QStringLiteral(": ") + reason);
        return Failure;
    }
    const QByteArray download = input.readAll();
    return splitDownload(download, path, parser.value(options.dir), parser.isSet(options.force));
}

BatchTool::FolderOptions BatchTool::addFolderOptions(QCommandLineParser &parser,
                                                     const QString &dirHelp)
{
    FolderOptions options { QCommandLineOption(QStringLiteral("dir"), dirHelp,
                                               QStringLiteral("DIR")),
                            QCommandLineOption(QStringLiteral("force"),
                                               QStringLiteral("Overwrite files that existed "
                                                              "before the run.")) };
    parser.addOption(options.dir);
    parser.addOption(options.force);
    return options;
}

bool BatchTool::districtFolder(const QString &dir, QString &folder)
{
    folder = dir.isEmpty() ? QDir::currentPath() : dir;
    const QByteArray bytes = FileNameBytes::encode(folder);
    struct stat status = {};
    int error = 0;
    if (::stat(bytes.constData(), &status) != 0)
        error = errno == ENOENT ? makeFolders(bytes) : errno;
    else if (!S_ISDIR(status.st_mode))
        error = ENOTDIR;
    if (error != 0) {
        printError(kProgram + QStringLiteral(": ") + folder + QStringLiteral(": ")
                   + (error == ENOTDIR ? QStringLiteral("not a folder") : qt_error_string(error)));
        return false;
    }
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return true;
}

int BatchTool::splitDownload(const QByteArray &download, const QString &source, const QString &dir,
                             bool force)
{
    const QString reading = kProgram + QStringLiteral(": ") + source;
    // Cutting a district file would make a file of its header's bytes.
    if (DistrictFile::kindOf(download) == DistrictFile::Kind::District) {
        printError(reading + QStringLiteral(" is a district file, not a download."));
        return Failure;
    }
    QString folder;
    if (!districtFolder(dir, folder))
        return Failure;
    if (download.size() > std::numeric_limits<qint32>::max()) {
        printError(reading + QStringLiteral(": the download is too large"));
        return Failure;
    }
    BatchSavePrompt prompt(*this, source, force);
    const DownloadCutter::Result cut
        = DownloadCutter(m_context.errorReport).cut(download, folder, prompt);
    if (cut.districts == 0) {
        printError(reading + QStringLiteral(": the download holds no district record"));
        return Failure;
    }
    for (const QString &p : cut.written)
        printLine(p);
    return prompt.failed() ? Failure : Success;
}

int BatchTool::edit(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Set header texts of a district file in place, as the Save District and "
                       "statistics dialogs do; the file keeps its length."));
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("District file (.dat)"));
    struct Field
    {
        QCommandLineOption option;
        int width;
        QString DistrictImage::HeaderTexts::*text;
    };
    const auto field = [](const char *name, const char *help, int width,
                          QString DistrictImage::HeaderTexts::*text) {
        return Field { QCommandLineOption(QLatin1String(name), QLatin1String(help),
                                          QStringLiteral("T")),
                       width, text };
    };
    const std::array<Field, 4> fields {
        field("district", "District text, at most 8 characters.", DistrictImage::kDistrictLength,
              &DistrictImage::HeaderTexts::district),
        field("title", "Title, at most 60 characters.", DistrictImage::kTextLength,
              &DistrictImage::HeaderTexts::title),
        field("comments1", "First comment line, at most 60 characters.", DistrictImage::kTextLength,
              &DistrictImage::HeaderTexts::comments1),
        field("comments2", "Second comment line, at most 60 characters.",
              DistrictImage::kTextLength, &DistrictImage::HeaderTexts::comments2),
    };
    for (const Field &f : fields)
        parser.addOption(f.option);
    int exitCode = Success;
    QString path;
    if (!parseWithFile(parser, arguments, QStringLiteral("FILE"), path, exitCode))
        return exitCode;
    bool any = false;
    for (const Field &f : fields) {
        if (!parser.isSet(f.option))
            continue;
        any = true;
        // A longer text would be cut where the dialogs' boxes stop taking characters.
        if (parser.value(f.option).size() > f.width) {
            printError(kProgram + QStringLiteral(" edit: --") + f.option.names().constFirst()
                       + QStringLiteral(": at most %1 characters").arg(f.width));
            return UsageError;
        }
        const QString refusal = DistrictImage::textRefusal(parser.value(f.option));
        if (!refusal.isEmpty()) {
            printError(kProgram + QStringLiteral(" edit: --") + f.option.names().constFirst()
                       + QStringLiteral(": ") + refusal);
            return UsageError;
        }
    }
    if (!any) {
        printError(kProgram
                   + QStringLiteral(" edit: nothing to set (--district, --title, --comments1 "
                                    "or --comments2)"));
        return UsageError;
    }
    District district(m_context.errorReport);
    if (!openDistrictFile(path, district, false))
        return Failure;
    DistrictImage::HeaderTexts texts = district.image().headerTexts();
    for (const Field &f : fields) {
        if (parser.isSet(f.option))
            texts.*f.text = parser.value(f.option);
    }
    district.image().saveHeaderTexts(texts);
    return Success;
}
