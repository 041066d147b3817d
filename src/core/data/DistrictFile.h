#pragma once

#include <QByteArray>
#include <QString>

class District;
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
        bool opened = false;
        QString refusal; // why it was not, naming the file
    };

    // Reads the file and opens it as the other open does.
    static Result open(const QString &path, District &district, const StringTable &strings);
    // Puts `bytes`, read from `path`, in the district as its image tied to that file (made
    // absolute) and decodes it; the decode's problems are the district's.
    static Result open(const QString &path, const QByteArray &bytes, District &district,
                       const StringTable &strings);
};
