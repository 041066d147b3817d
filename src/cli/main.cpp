#include "BatchTool.h"
#include "ErrorReport.h"
#include "LinkBatchCommands.h"
#include "NamedFormats.h"
#include "ProgramVersion.h"
#include "SettingsStore.h"
#include "StringTable.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("neru"));
    QCoreApplication::setApplicationVersion(programVersion());

    QFile out;
    QFile err;
    out.open(stdout, QIODevice::WriteOnly | QIODevice::Unbuffered);
    err.open(stderr, QIODevice::WriteOnly | QIODevice::Unbuffered);
    ErrorReport errorReport;
    const NamedFormats formats;
    const StringTable strings;
    BatchTool tool({ out, err, errorReport, formats, strings });
    const SettingsStore settings;
    LinkBatchCommands link({ tool, err, errorReport, formats, strings, &settings });
    link.addCommands();
    return tool.run(QCoreApplication::arguments());
}
