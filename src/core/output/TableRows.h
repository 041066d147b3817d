#pragma once

#include <QString>

class NamedFormats;
struct SampleSeries;

// The fixed-layout text rows of the sample series, shared by the statistics table,
// the CSV export, the copied text and the printed table.
class TableRows
{
public:
    explicit TableRows(const NamedFormats &formats);

    // Rows lngStart to lngEnd, each ending in CR LF. The range is clamped and the
    // clamped values are written back: a start below 0 becomes 0; an end before the
    // start or beyond the last sample becomes the last sample.
    QString getTable(const SampleSeries &series, double dblReference, double dblFlowScaleFactor,
                     bool blnCSV, qint32 &lngStart, qint32 &lngEnd) const;

private:
    void appendPadded(QString &row, const QString &text) const;

    const NamedFormats &m_formats;
};
