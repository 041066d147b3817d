#pragma once

#include <QString>
#include <QStringList>

class BatchTool;
class ErrorReport;
class NamedFormats;
class StringTable;

// The batch tool's report command: a district's text report as Edit > Copy Text copies
// it, or its table pages as File > Print > Table prints them, saved as PDF. The same
// report code and statistics as the window's.
class ReportBatchCommand
{
public:
    struct Context
    {
        BatchTool &tool;
        ErrorReport &errorReport;
        const NamedFormats &formats;
        const StringTable &strings;
    };

    explicit ReportBatchCommand(Context context);

    void addCommand();

    int report(const QStringList &arguments);

    // True for a command line (as main receives it) that prints the report to PDF.
    // Printing measures text with fonts, which only a GUI application has; the other
    // commands start without one.
    static bool printsPdf(int argc, const char *const *argv);

private:
    // The table pages as a PDF at `path` ("-": the output stream).
    bool printPdf(const QString &path, const QStringList &lines);

    Context m_context;
};
