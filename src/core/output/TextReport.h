#pragma once

#include "TableRows.h"

#include <QString>
#include <QStringList>

class District;
class NamedFormats;
class StringTable;

// What the statistics dialog's labels read when a report is made: the captions beside the
// figures and the table heading. The window reads them off the dialog; the batch tool
// works them out as the dialog would.
struct ReportCaptions
{
    QString title;
    QString comments1;
    QString comments2;
    QString headLabel;
    QString headUnits;
    QString meterLabel;
    QString meterUnits;
    QString loggingIntLabel;
    QString loggingIntUnits;
    QString maxLabel;
    QString maxUnits;
    QString minLabel;
    QString minUnits;
    QString refFlowLabel;
    QString refFlowUnits;
    QString heading;
    // On pressure channels the report prints the dialog's own texts beside Transducer and
    // Range (the output range such as "4-20", and the range in the display unit).
    QString head;
    QString meter;

    // The captions of the dialog set up for `district` in the display unit named `unitText`,
    // whose factor is `dblFlowScaleFactor`.
    static ReportCaptions ofDistrict(const District &district, double dblFlowScaleFactor,
                                     const QString &unitText, const StringTable &strings,
                                     const NamedFormats &formats);
};

// The text report of the district loaded: its header texts, the statistics in two
// columns, the table heading and every row. Copied, it is one text with CR LF line ends;
// printed, it is a list of lines, one per printed line.
class TextReport
{
public:
    // Width the left statistics item is padded to; a longer one is written whole.
    static constexpr int kLeftItemWidth = 40;

    explicit TextReport(const NamedFormats &formats);

    // The report as copied: every line ends in CR LF, an empty line follows the heading.
    // Empty when the district has no samples.
    QString copyText(const District &district, double dblFlowScaleFactor,
                     const ReportCaptions &captions) const;

    // The report as printed: the empty lines are a single space (a printed line), no
    // line follows the heading, and the rows have no line ends. Empty without samples.
    QStringList printLines(const District &district, double dblFlowScaleFactor,
                           const ReportCaptions &captions) const;

private:
    // Title, comments, statistics and heading, with `empty` standing for an empty line.
    QStringList headLines(const District &district, double dblFlowScaleFactor,
                          const ReportCaptions &captions, const QString &empty) const;

    const NamedFormats &m_formats;
    const TableRows m_rows;
};
