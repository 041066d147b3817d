#pragma once

#include "DistrictFileNames.h"
#include "SaveDistrictPrompt.h"

class UserPrompts;
class SaveDistrictDialog;

// The Save District dialog answering for one cut of a download: each district's number
// is proposed as its file name (in its safe form, with "-2", "-3" ... when this cut has
// already written a file of that name there), and a file that cannot be written is told
// and asked for again, the user's texts as they left them, so that another folder can
// be chosen.
class SaveDistrictDialogPrompt : public SaveDistrictPrompt
{
public:
    SaveDistrictDialogPrompt(SaveDistrictDialog &dialog, UserPrompts &prompts);

    bool askDistrict(Texts &texts, QString &defaultDir) override;
    bool districtNotWritten(const QString &path, const QString &reason) override;

private:
    SaveDistrictDialog &m_dialog;
    UserPrompts &m_prompts;
    DistrictFileNames m_names;
    bool m_askingAgain = false; // the last district's file could not be written
    // The file of the last OK; taken as written unless the next step says it was not.
    QString m_lastFolder;
    QString m_lastName;
};
