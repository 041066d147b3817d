#pragma once

#include "DownloadProgress.h"
#include "KeptDownloads.h"
#include "LinkMessages.h"

#include <QString>
#include <QStringList>

#include <functional>

class BatchTool;
class ErrorReport;
class NamedFormats;
class NERUComm;
class QCommandLineParser;
class QIODevice;
class SettingsStore;
class StringTable;

// The logger commands of the batch tool, on the same link as the main window's Comms
// menu: clock, logger-info, set-clock, clear and interrogate. Messages go to the output
// stream when they report success and to the error stream otherwise; the download's
// progress is one line on the error stream.
class LinkBatchCommands : public LinkMessages, public DownloadProgress
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
    ~LinkBatchCommands() override;

    void addCommands();

    int clock(const QStringList &arguments);
    int loggerInfo(const QStringList &arguments);
    int setClock(const QStringList &arguments);
    int clear(const QStringList &arguments);
    int interrogate(const QStringList &arguments);

    void showMessage(Kind kind, const QString &text, const QString &detail) override;

    void showDownload() override;
    void setProgressMaximum(qint32 maximum) override;
    void setProgressValue(qint32 value) override;
    bool blnCancelDownload() const override { return false; }
    void hideDownload() override;

private:
    int withSession(QCommandLineParser &parser, const QString &command,
                    const QStringList &arguments, const std::function<int(NERUComm &)> &operation);
    int saveDownload(NERUComm &comm, const QString &dir, bool force);
    // Keeps a download; false after a line on the error stream naming the file and why.
    bool keep(const QByteArray &download, KeptDownloads::Extent extent, QString &path);
    int failed(const QString &command);
    void endProgressLine();

    Context m_context;
    qint32 m_progressMaximum = 0;
    bool m_progressLineOpen = false;
    bool m_told = false;
};
