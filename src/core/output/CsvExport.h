#pragma once

#include <QByteArray>
#include <QString>

class District;
class NamedFormats;

// File > Export and "neru-cli export": every row of the district's table in the display
// unit, comma-separated, one byte per character in Windows-1252 (as the district files'
// texts), "?" for a character it cannot hold.
class CsvExport
{
public:
    // The name File > Export writes in the folder of the last file.
    static QString fileName() { return QStringLiteral("neru.csv"); }

    // The export's bytes, a base value times `factor` being the displayed one. A district
    // without readings raises "There are no readings to export.": an empty file would
    // replace a good one by nothing.
    static QByteArray bytes(const District &district, double factor, const NamedFormats &formats);

    // Writes them whole into `path`: a RuntimeError "<path>: <reason>" when it cannot, and
    // the old file stays.
    static void write(const QString &path, const District &district, double factor,
                      const NamedFormats &formats);
};
