#include "SaveDistrictDialogPrompt.h"

#include "ApplicationName.h"
#include "SaveDistrictDialog.h"
#include "UserPrompts.h"

#include <QLineEdit>

#include <utility>

SaveDistrictDialogPrompt::SaveDistrictDialogPrompt(SaveDistrictDialog &dialog, UserPrompts &prompts)
    : m_dialog(dialog)
    , m_prompts(prompts)
{ }

bool SaveDistrictDialogPrompt::askDistrict(Texts &texts, QString &defaultDir)
{
    if (!m_lastName.isNull())
        m_names.remember(std::exchange(m_lastFolder, QString()),
                         std::exchange(m_lastName, QString()));
    const bool again = std::exchange(m_askingAgain, false);
    m_dialog.fileNameEdit->setText(again ? texts.fileName
                                         : m_names.propose(defaultDir, texts.fileName));
    m_dialog.districtEdit->setText(texts.district);
    m_dialog.titleEdit->setText(texts.title);
    m_dialog.comments1Edit->setText(texts.comments1);
    m_dialog.comments2Edit->setText(texts.comments2);
    m_dialog.setDefaultDir(defaultDir);
    if (m_dialog.exec() != QDialog::Accepted)
        return false;

    texts.fileName = m_dialog.fileNameEdit->text();
    texts.district = m_dialog.districtEdit->text();
    texts.title = m_dialog.titleEdit->text();
    texts.comments1 = m_dialog.comments1Edit->text();
    texts.comments2 = m_dialog.comments2Edit->text();
    defaultDir = m_dialog.defaultFolder();
    m_lastFolder = defaultDir;
    m_lastName = texts.fileName;
    return true;
}

bool SaveDistrictDialogPrompt::districtNotWritten(const QString &, const QString &reason)
{
    m_lastName = QString(); // nothing of this name was written there
    m_askingAgain = true;
    m_prompts.message(reason + QStringLiteral("\nChoose another folder or name for this district."),
                      ApplicationName::title());
    return true;
}
