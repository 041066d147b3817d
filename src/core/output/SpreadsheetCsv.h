#pragma once

#include "DisplayUnit.h"

#include <QByteArray>
#include <QString>

class District;
class StringTable;
struct SampleSeries;

// File > Export As and "neru-cli export --iso": the district's table as a spreadsheet reads
// it without cleaning. A header row, then per row the local time in ISO 8601, the value,
// the fitting and the step to the reference, in the display unit; plain numbers with '.',
// a gap marker's value and step left empty. UTF-8 without a byte-order mark, lines ending
// in LF, fields quoted where they must be.
class SpreadsheetCsv
{
public:
    // The file name proposed for the district: its file's base name, else its district text
    // made fit for a file name, else "district", with ".csv".
    static QString proposedName(const District &district);

    // The CSV of the district in `unit`, headed with the captions the graph shows for it. A
    // district without readings raises "There are no readings to export.".
    static QByteArray bytes(const District &district, DisplayUnit unit, const StringTable &strings);

    // The CSV of `series`: values and steps to `reference` times `factor`, headed
    // "time,<valueCaption>,fitting,step (<unitText>)".
    static QByteArray bytes(const SampleSeries &series, double reference, double factor,
                            const QString &valueCaption, const QString &unitText);

    // A number with '.' and the fewest decimals (none to four) that give it back rounded to
    // four decimals: 7.28 is "7.28", 12 is "12", 0.123456 is "0.1235", -0.00001 is "0".
    static QString number(double value);
};
