#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct NightFlowAnalysis;
class NamedFormats;

// The night-flow figures in columns and words, one source for every output: the dialog's
// table and sentences (the locale's two decimals), its Copy text and the CSV of the dialog
// and the batch tool (columns with '.' and four decimals), and the batch tool's readable
// table.
class NightFlowReport
{
public:
    // One analysed district and what names it in the columns.
    struct Source
    {
        QString file;
        QString district; // its district number
        QString unitText; // the graph's caption unit: "l/s", "Bar", ...
        const NightFlowAnalysis &analysis;
    };

    // file,district,unit,date,coverage,volume_m3,... as the CSV's header row names them.
    static QStringList columnNames();
    // One row per date in those columns: dates YYYY-MM-DD, times YYYY-MM-DDTHH:MM:SS,
    // numbers with '.' and four decimals, coverage 0 to 1, yes/no, empty where a figure has
    // no value.
    static QList<QStringList> columns(const Source &source);
    // The header row and the rows of every source, comma separated (quoted where a field
    // needs it), a line feed after each row.
    static QString csv(const QList<Source> &sources);
    // The header row and the rows, tab separated, as Copy puts them on the clipboard.
    static QString tabText(const Source &source);

    // The dialog's and the printed page's table: its headings, with the rates in `unitText`,
    // and one row per date with two decimals and times as the locale writes them.
    static QStringList tableHeadings(const QString &unitText);
    static QList<QStringList> tableRows(const NightFlowAnalysis &analysis,
                                        const NamedFormats &formats);
    // "Night minimum rising by 0.12 l/s per day over 9 complete nights (3.40 to 4.48 l/s)",
    // "falling", "steady"; or "Not enough complete nights for a trend."
    static QString trendSentence(const NightFlowAnalysis &analysis, const QString &unitText,
                                 const NamedFormats &formats);
    // The whole log's volume, covered time, mean and complete nights in one sentence.
    static QString wholeLogSentence(const NightFlowAnalysis &analysis, const QString &unitText,
                                    const NamedFormats &formats);
    // The batch tool's readable form: a heading line, the table in aligned columns and the
    // two sentences.
    static QString plainText(const Source &source, const NamedFormats &formats);
};
