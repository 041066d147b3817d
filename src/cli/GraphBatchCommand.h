#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class BatchTool;
class ErrorReport;
class NamedFormats;
class StringTable;

// The batch tool's graph command: a district's graph as File > Export Graph writes it
// (PNG, SVG or PDF), over the full range or a time window, from the same plot and figure
// code as the window's. The window's remembered choices do not apply: the grid, Fit
// Values and the night shading are options, and the night is 02:00-04:00 unless --night
// names another.
class GraphBatchCommand
{
public:
    struct Context
    {
        BatchTool &tool;
        ErrorReport &errorReport;
        const NamedFormats &formats;
        const StringTable &strings;
    };

    explicit GraphBatchCommand(Context context);

    void addCommand();

    int graph(const QStringList &arguments);

    // True for a command line (as main receives it) that draws a graph: the figure's text
    // needs fonts, which only a GUI application has.
    static bool drawsGraph(int argc, const char *const *argv);

    // The date-time of "YYYY-MM-DDTHH:MM:SS"; none when the text is not one.
    static std::optional<double> parseTime(const QString &text);

private:
    Context m_context;
};
