#pragma once

#include "FileProcessing.h"

#include <QByteArray>
#include <QList>
#include <QString>

class StringTable;

// What a file is, and opening a district file (.dat), the one way the window and the batch
// tool do both. A district file starts with its header's mark "40mtrict:"; a download from
// the logger starts with a district record; anything else is refused. A district file is
// refused when it cannot be read or is shorter than its header. A refused file changes
// nothing in memory.
class DistrictFile
{
public:
    enum class Kind { District, Download, Other };

    // Told by the opening bytes alone, whatever the file's name.
    static Kind kindOf(const QByteArray &bytes);
    // Why a file of kind Other is refused: "<path>: <message 40250>" when its first byte is
    // a digit other than "4" (a file of the logger software before version 4.0), else
    // "<path> is not a district file.".
    static QString refusal(const QString &path, const QByteArray &bytes,
                           const StringTable &strings);

    struct Result
    {
        bool ok = false;
        QString message; // why it was refused, naming the file
        QList<FileProcessing::Problem> problems; // of the decode, when opened
    };

    // Reads the file and opens it as openBytes does.
    static Result open(const QString &path, FileProcessing &file, qint16 &intUnits,
                       const StringTable &strings);
    // On success puts `bytes`, read from `path`, in `file` as its image, names it strDataFile
    // (absolute path) and decodes it, which sets intUnits.
    static Result openBytes(const QString &path, const QByteArray &bytes, FileProcessing &file,
                            qint16 &intUnits, const StringTable &strings);
};
