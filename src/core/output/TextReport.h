#pragma once

#include "TableRows.h"

#include <QString>
#include <QStringList>

class District;
struct DistrictSummary;
class NamedFormats;

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
    // Empty when the district has no samples. `summary` is the district's, in the unit the
    // rows are given in.
    QString copyText(const District &district, const DistrictSummary &summary) const;

    // The report as printed: the empty lines are a single space (a printed line), no
    // line follows the heading, and the rows have no line ends. Empty without samples.
    QStringList printLines(const District &district, const DistrictSummary &summary) const;

private:
    // Title, comments, statistics and heading, with `empty` standing for an empty line.
    static QStringList headLines(const DistrictSummary &summary, const QString &empty);

    const TableRows m_rows;
};
