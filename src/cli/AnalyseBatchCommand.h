#pragma once

#include <QString>
#include <QStringList>

class BatchTool;
class ErrorReport;
class NamedFormats;
class StringTable;

// The batch tool's analyse command: the night-flow figures of district files, a readable
// table per file or one CSV over them all, from the same analysis and report code as the
// window's Night Flow dialog. The window's remembered night does not apply: the night
// is 02:00-04:00 unless --night names another.
class AnalyseBatchCommand
{
public:
    struct Context
    {
        BatchTool &tool;
        ErrorReport &errorReport;
        const NamedFormats &formats;
        const StringTable &strings;
    };

    explicit AnalyseBatchCommand(Context context);

    void addCommand();

    int analyse(const QStringList &arguments);

private:
    // The files the arguments name: a file as given, a folder as every .dat in it sorted
    // by name. False when a folder cannot be read or holds no .dat, after a line on the
    // error stream; the files found so far are kept.
    bool districtFiles(const QString &argument, QStringList &files);

    Context m_context;
};
