#pragma once

#include <QString>

// What cutting a download into district files needs from the user: for each district
// the file name and texts (the Save District dialog, or a batch rule), and what to do
// when a file could not be written.
class SaveDistrictPrompt
{
public:
    struct Texts
    {
        QString fileName; // without folder and ".dat"
        QString district;
        QString title;
        QString comments1;
        QString comments2;
    };

    virtual ~SaveDistrictPrompt() = default;

    // Shows the proposed texts of one district; the answer may change them and the
    // folder `defaultDir` (always ending in "/"). False: the district is not written.
    virtual bool askDistrict(Texts &texts, QString &defaultDir) = 0;

    // The district file `path` could not be written; `reason` names the file and says why.
    // The download itself is still in memory. True asks for the same district again (with the texts
    // as they were given), false leaves it unwritten.
    virtual bool districtNotWritten(const QString &path, const QString &reason) = 0;
};
