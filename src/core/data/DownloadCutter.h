#pragma once

#include "DistrictImage.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class ErrorReport;
class SaveDistrictPrompt;

// Cuts a download from the logger into district files: a district starts at each district
// record and runs to the next one. The window and the batch tool both cut through here;
// they differ only in how they name the files (their SaveDistrictPrompt).
class DownloadCutter
{
public:
    struct Result
    {
        qint32 districts = 0; // district records in the download; none: nothing was asked
        QStringList written; // the files written, in download order
        // The last district, tied to its file, or to none when it was not written.
        DistrictImage last;
    };

    explicit DownloadCutter(ErrorReport &errorReport);

    // Asks `prompt` for each district's file name and texts in `folder` (which the answers
    // may change) and writes it to folder + name + ".dat".
    Result cut(const QByteArray &download, QString &folder, SaveDistrictPrompt &prompt) const;

    // Where each district record of a download starts.
    static QList<qint32> districtPositions(const QByteArray &download);
    // The number of the district whose record starts at `position`, as the file name the
    // logger software proposes; a RuntimeError when the record is cut short.
    static QString districtNumber(const QByteArray &download, qint32 position);

private:
    ErrorReport &m_errorReport;
};
