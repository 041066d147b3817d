#pragma once

#include "KeptDownloads.h"
#include "LoggerResult.h"

#include <QString>
#include <QStringList>

#include <functional>

class BatchTool;
class ErrorReport;
class LoggerSession;
class NamedFormats;
class QCommandLineParser;
class QIODevice;
class SettingsStore;
class StringTable;

// The logger commands of the batch tool, on the same link as the main window's Comms
// menu: clock, logger-info, set-clock, clear and interrogate. Each runs its operation in
// the application's event loop until the operation has finished. Messages go to the
// output stream when they report success and to the error stream otherwise; the
// download's progress is one line on the error stream.
class LinkBatchCommands
{
public:
    struct Context
    {
        BatchTool &tool;
        QIODevice &err;
        ErrorReport &errorReport;
        const NamedFormats &formats;
        const StringTable &strings;
        const SettingsStore *settings; // device overrides of COM1 to COM4; may be null
        const KeptDownloads &kept; // where interrogate keeps its downloads
        bool progressOnOneLine; // the error stream is a terminal: "\r" rewrites the line
    };

    explicit LinkBatchCommands(Context context);

    void addCommands();

    int clock(const QStringList &arguments);
    int loggerInfo(const QStringList &arguments);
    int setClock(const QStringList &arguments);
    int clear(const QStringList &arguments);
    int interrogate(const QStringList &arguments);

private:
    // A command's operation: what it checks once the port is chosen (an exit code, or -1 to
    // go on), the session's operation it starts, and the exit code it makes of the result.
    struct Operation
    {
        std::function<int()> check;
        void (LoggerSession::*start)();
        std::function<int(const LoggerResult &)> end;
    };

    int withSession(QCommandLineParser &parser, const QString &command,
                    const QStringList &arguments, const Operation &operation);
    int saveDownload(const LoggerResult &result, const QString &folder, bool force);
    // Keeps a download; false after a line on the error stream naming the file and why.
    bool keep(const QByteArray &download, KeptDownloads::Extent extent, QString &path);
    int failed(const QString &command);
    void showMessage(const LoggerMessage &message);
    void showProgress(qint32 block, qint32 blocks);
    void endProgressLine();

    Context m_context;
    bool m_progressLineOpen = false;
    bool m_told = false;
};
