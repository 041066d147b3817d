#pragma once

#include "FileProcessing.h"

#include <QList>
#include <QString>

class StringTable;

// Opening a district file (.dat), the one way File > Open and the batch tool do it. A
// file is refused when it cannot be read, when it is shorter than its header, or when it
// does not start with "4" (a file of the logger software before version 4.0). A refused
// file changes nothing in memory.
class DistrictFile
{
public:
    enum class Failure {
        None,
        Unreadable, // missing, unreadable, empty or too large
        HeaderCutShort, // shorter than the 247-byte header
        NotVersion4 // the first byte is not "4": message 40250
    };

    struct Result
    {
        bool ok = false;
        Failure failure = Failure::None;
        QString message; // "<path>: <reason>" when refused
        QList<FileProcessing::Problem> problems; // of the decode, when opened
    };

    // Reads the file; on success puts it in `file` as its image, names it strDataFile
    // (absolute path) and decodes it, which sets intUnits.
    static Result open(const QString &path, FileProcessing &file, qint16 &intUnits,
                       const StringTable &strings);
};
