#include "CsvExport.h"

#include "CodePage1252.h"
#include "District.h"
#include "RuntimeError.h"
#include "TableRows.h"
#include "WholeFile.h"

QByteArray CsvExport::bytes(const District &district, double factor, const NamedFormats &formats)
{
    const SampleSeries &series = district.series();
    if (series.sampleCount <= 0)
        throw RuntimeError(QStringLiteral("There are no readings to export."));
    qint32 start = -1;
    qint32 end = -1;
    return CodePage1252::fromUnicode(
        TableRows(formats).rows(series, district.settings().reference, factor, true, start, end));
}

void CsvExport::write(const QString &path, const District &district, double factor,
                      const NamedFormats &formats)
{
    const QByteArray csv = bytes(district, factor, formats);
    QString reason;
    if (!WholeFile::write(path, csv, reason))
        throw RuntimeError(path + QStringLiteral(": ") + reason);
}
