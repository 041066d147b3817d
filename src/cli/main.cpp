#include "AnalyseBatchCommand.h"
#include "ApplicationName.h"
#include "BatchTool.h"
#include "ErrorReport.h"
#include "FileNameBytes.h"
#include "GraphBatchCommand.h"
#include "KeptDownloads.h"
#include "LinkBatchCommands.h"
#include "NamedFormats.h"
#include "ProgramVersion.h"
#include "ReportBatchCommand.h"
#include "SettingsStore.h"
#include "StringTable.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace {

// A GUI application's start-up looks for the runtime folder of a desktop session, which
// a run from cron or a service does not have. That complaint would stand among the
// tool's own lines on the error stream; any other message is written as Qt writes it.
void startUpMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: ")))
        return;
    std::fputs(qPrintable(qFormatLogMessage(type, context, message) + u'\n'), stderr);
}

// Printing and drawing need a GUI application; on the offscreen platform it needs no
// display.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (!ReportBatchCommand::printsPdf(argc, argv) && !GraphBatchCommand::drawsGraph(argc, argv))
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QtMessageHandler before = qInstallMessageHandler(startUpMessage);
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(before);
    return app;
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(ApplicationName::systemName());
    QCoreApplication::setApplicationVersion(programVersion());

    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    ErrorReport errorReport;
    const NamedFormats formats;
    const StringTable strings;
    BatchTool tool({ out, err, errorReport, formats, strings });
    ReportBatchCommand report({ tool, errorReport, formats, strings });
    report.addCommand();
    AnalyseBatchCommand analyse({ tool, errorReport, formats, strings });
    analyse.addCommand();
    GraphBatchCommand graph({ tool, errorReport, formats, strings });
    graph.addCommand();
    const SettingsStore settings;
    const KeptDownloads kept;
    LinkBatchCommands link(
        { tool, err, errorReport, formats, strings, &settings, kept, isatty(STDERR_FILENO) == 1 });
    link.addCommands();
    // Decoded here, not by Qt, so that a file name that is not UTF-8 keeps its bytes; argc
    // and argv are what the application left of them.
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments += FileNameBytes::decode(QByteArray(argv[k]));
    return tool.run(arguments);
}
