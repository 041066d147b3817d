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

    // Rows `first` to `last`, each ending in CR LF, comma-separated for `csv`, the values
    // and their steps to `reference` times `factor`. The range is clamped and the clamped
    // values are written back: a first row below 0 becomes 0; a last one before the first
    // or beyond the last sample becomes the last sample.
    QString rows(const SampleSeries &series, double reference, double factor, bool csv,
                 qint32 &first, qint32 &last) const;

private:
    void appendPadded(QString &row, const QString &text) const;

    const NamedFormats &m_formats;
};
