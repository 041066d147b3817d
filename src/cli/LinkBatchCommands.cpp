#include "LinkBatchCommands.h"

#include "BatchTool.h"
#include "ErrorReport.h"
#include "FileNameBytes.h"
#include "KeptDownloads.h"
#include "LoggerLink.h"
#include "NamedFormats.h"
#include "StringTable.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QIODevice>

namespace {

const QString kProgram = QStringLiteral("neru-cli");

} // namespace

LinkBatchCommands::LinkBatchCommands(Context context)
    : m_context(context)
{ }

void LinkBatchCommands::addCommands()
{
    BatchTool &tool = m_context.tool;
    tool.addCommand(QStringLiteral("clock"), QStringLiteral("Read the logger's clock"),
                    [this](const QStringList &a) { return clock(a); });
    tool.addCommand(QStringLiteral("logger-info"),
                    QStringLiteral("Read the logger's clock, identity and calibration"),
                    [this](const QStringList &a) { return loggerInfo(a); });
    tool.addCommand(QStringLiteral("set-clock"),
                    QStringLiteral("Set the logger's clock from the PC's clock"),
                    [this](const QStringList &a) { return setClock(a); });
    tool.addCommand(QStringLiteral("clear"), QStringLiteral("Erase the logger's memory"),
                    [this](const QStringList &a) { return clear(a); });
    tool.addCommand(QStringLiteral("interrogate"),
                    QStringLiteral("Download the logger's memory and cut it into district "
                                   "files"),
                    [this](const QStringList &a) { return interrogate(a); });
}

// Parses the command line and runs `operation` on a link to the logger's port. Usage
// errors and --help end before the port is touched.
int LinkBatchCommands::withSession(QCommandLineParser &parser, const QString &command,
                                   const QStringList &arguments, const Operation &operation)
{
    BatchTool &tool = m_context.tool;
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("The logger's port: COM1 to COM4, or a device such as /dev/ttyUSB0."),
        QStringLiteral("DEVICE"));
    parser.addOption(portOption);
    parser.addHelpOption();
    if (!parser.parse(arguments)) {
        tool.printError(kProgram + u' ' + command + QStringLiteral(": ") + parser.errorText());
        return BatchTool::UsageError;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        tool.printLine(parser.helpText().trimmed());
        return BatchTool::Success;
    }
    if (!parser.positionalArguments().isEmpty()) {
        tool.printError(kProgram + u' ' + command + QStringLiteral(": unexpected argument \"")
                        + parser.positionalArguments().first() + u'"');
        return BatchTool::UsageError;
    }
    const QString device = parser.value(portOption).trimmed();
    if (device.isEmpty()) {
        tool.printError(kProgram + u' ' + command + QStringLiteral(": --port DEVICE is required"));
        return BatchTool::UsageError;
    }
    LoggerLink link(
        { m_context.errorReport, m_context.strings, m_context.formats, m_context.settings });
    if (!link.choosePort(device)) {
        tool.printError(kProgram + u' ' + command + QStringLiteral(": ") + device
                        + QStringLiteral(": the logger's port is COM1 to COM4 or a device"));
        return BatchTool::UsageError;
    }
    if (operation.check) {
        const int exitCode = operation.check();
        if (exitCode >= 0)
            return exitCode;
    }
    LoggerSession &session = link.session();
    QObject::connect(&session, &LoggerSession::progress,
                     [this](qint32 block, qint32 blocks) { showProgress(block, blocks); });
    QObject::connect(&session, &LoggerSession::notice,
                     [this](const LoggerMessage &message) { showMessage(message); });
    int exitCode = BatchTool::Failure;
    QObject::connect(&session, &LoggerSession::finished, [&](const LoggerResult &result) {
        endProgressLine();
        showMessage(result.message);
        exitCode = operation.end(result);
        QCoreApplication::exit();
    });
    (session.*operation.start)();
    // The tool's only event loop: the command runs from main, outside any other, and the
    // operation ends it. The operation never finishes inside the call that started it.
    QCoreApplication::exec();
    return exitCode;
}

// An operation failed; it has said why unless the error report took the reason.
int LinkBatchCommands::failed(const QString &command)
{
    endProgressLine();
    if (!m_told)
        m_context.tool.printError(kProgram + u' ' + command
                                  + QStringLiteral(": failed; the reason is in ")
                                  + m_context.errorReport.logPath());
    return BatchTool::Failure;
}

int LinkBatchCommands::clock(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Print the logger's clock."));
    return withSession(parser, QStringLiteral("clock"), arguments,
                       { {}, &LoggerSession::readClock, [this](const LoggerResult &result) {
                            if (!result.done())
                                return failed(QStringLiteral("clock"));
                            m_context.tool.printLine(m_context.formats.dateAndTime(result.clock));
                            return int(BatchTool::Success);
                        } });
}

int LinkBatchCommands::loggerInfo(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Print the logger's settings as the Reprogram NERU dialog shows them."));
    // Two exchanges, as the dialog makes them; it never shows the values of a failed read.
    return withSession(parser, QStringLiteral("logger-info"), arguments,
                       { {}, &LoggerSession::readSettings, [this](const LoggerResult &result) {
                            if (!result.done())
                                return failed(QStringLiteral("logger-info"));
                            const StringTable &t = m_context.strings;
                            const NamedFormats &f = m_context.formats;
                            auto line = [this](const QString &label, const QString &value) {
                                m_context.tool.printLine(label + QStringLiteral(": ") + value);
                            };
                            line(t.text(30820), result.serialNumber);
                            line(t.text(30830), f.shortDate(result.calibration));
                            line(t.text(30840), f.generalNumber(result.identification));
                            line(t.text(30850), result.version);
                            line(t.text(30860), f.dateAndTime(result.clock));
                            return int(BatchTool::Success);
                        } });
}

int LinkBatchCommands::setClock(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Set the logger's clock from the PC's clock."));
    return withSession(parser, QStringLiteral("set-clock"), arguments,
                       { {}, &LoggerSession::setClock, [this](const LoggerResult &result) {
                            return result.done() ? int(BatchTool::Success)
                                                 : failed(QStringLiteral("set-clock"));
                        } });
}

int LinkBatchCommands::clear(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Erase all data stored in the logger. Download it first."));
    const QCommandLineOption yesOption(QStringLiteral("yes"),
                                       QStringLiteral("Confirm that the logger's data may be "
                                                      "lost."));
    parser.addOption(yesOption);
    const auto confirmed = [&] {
        if (parser.isSet(yesOption))
            return -1;
        m_context.tool.printError(kProgram
                                  + QStringLiteral(" clear: all data stored in the logger will "
                                                   "be lost; add --yes to clear it"));
        return int(BatchTool::UsageError);
    };
    return withSession(
        parser, QStringLiteral("clear"), arguments,
        { confirmed, &LoggerSession::clearMemory, [this](const LoggerResult &result) {
             return result.done() ? int(BatchTool::Success) : failed(QStringLiteral("clear"));
         } });
}

int LinkBatchCommands::interrogate(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Download the logger's memory, keep it as the window keeps its downloads "
                       "(download-YYYYMMDD-HHMMSS.bin in the downloads folder of the per-user "
                       "data folder) and cut it into DIR/<district number>.dat, one file per "
                       "district. A download that ends short is kept as "
                       "download-YYYYMMDD-HHMMSS-partial.bin and not cut."));
    const BatchTool::FolderOptions options = BatchTool::addFolderOptions(
        parser, QStringLiteral("Folder for the district files (default: the current folder)."));
    // Checked before the download, which takes a while and may be the only one.
    QString folder;
    const auto folderReady = [&] {
        return m_context.tool.districtFolder(parser.value(options.dir), folder)
            ? -1
            : int(BatchTool::Failure);
    };
    return withSession(parser, QStringLiteral("interrogate"), arguments,
                       { folderReady, &LoggerSession::download, [&](const LoggerResult &result) {
                            return saveDownload(result, folder, parser.isSet(options.force));
                        } });
}

int LinkBatchCommands::saveDownload(const LoggerResult &result, const QString &folder, bool force)
{
    BatchTool &tool = m_context.tool;
    QString kept;
    if (!result.wholeDownload) {
        // What arrived of a download that ended short is kept, not cut.
        if (!result.download.isEmpty()
            && keep(result.download, KeptDownloads::Extent::Partial, kept)) {
            endProgressLine();
            tool.printError(kProgram + QStringLiteral(" interrogate: partial download kept in ")
                            + kept);
        }
        return failed(QStringLiteral("interrogate"));
    }
    const QByteArray &download = result.download;
    // A download that cannot be kept is still cut: its districts are the only copy.
    const bool wasKept = keep(download, KeptDownloads::Extent::Whole, kept);
    if (wasKept)
        tool.printLine(kept);
    const int cut = tool.splitDownload(download, wasKept ? kept : QStringLiteral("the download"),
                                       folder, force);
    return wasKept ? cut : int(BatchTool::Failure);
}

bool LinkBatchCommands::keep(const QByteArray &download, KeptDownloads::Extent extent,
                             QString &path)
{
    const KeptDownloads::Kept kept
        = m_context.kept.keep(download, QDateTime::currentDateTime(), extent);
    path = kept.path;
    if (kept.failure.isEmpty())
        return true;
    endProgressLine();
    m_context.tool.printError(kProgram + QStringLiteral(": ") + path + QStringLiteral(": ")
                              + kept.failure);
    return false;
}

void LinkBatchCommands::showMessage(const LoggerMessage &message)
{
    if (message.isEmpty())
        return;
    endProgressLine();
    QStringList lines = message.text.split(QStringLiteral("\r\n"));
    if (!message.detail.isEmpty())
        lines += message.detail.split(u'\n');
    const bool information = message.kind == LoggerMessage::Kind::Information;
    for (const QString &line : std::as_const(lines)) {
        if (information)
            m_context.tool.printLine(line);
        else
            m_context.tool.printError(line);
    }
    if (!information)
        m_told = true;
}

void LinkBatchCommands::showProgress(qint32 block, qint32 blocks)
{
    const QString line = QStringLiteral("%1: block %2 of %3")
                             .arg(m_context.strings.text(30700))
                             .arg(block + 1)
                             .arg(blocks);
    // On a terminal the line is rewritten in place; in a log every block has a line.
    if (!m_context.progressOnOneLine) {
        m_context.err.write((line + u'\n').toLocal8Bit());
        return;
    }
    m_context.err.write((u'\r' + line).toLocal8Bit());
    m_progressLineOpen = true;
}

void LinkBatchCommands::endProgressLine()
{
    if (!m_progressLineOpen)
        return;
    m_context.err.write("\n");
    m_progressLineOpen = false;
}
