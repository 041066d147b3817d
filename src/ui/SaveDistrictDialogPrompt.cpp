#include "SaveDistrictDialogPrompt.h"

#include "ApplicationName.h"
#include "UserPrompts.h"
#include "frmSaveDistrict.h"

#include <QLineEdit>

#include <utility>

SaveDistrictDialogPrompt::SaveDistrictDialogPrompt(frmSaveDistrict &dialog, UserPrompts &prompts)
    : m_dialog(dialog)
    , m_prompts(prompts)
{ }

bool SaveDistrictDialogPrompt::askDistrict(Texts &texts, QString &defaultDir)
{
    if (!m_lastName.isNull())
        m_names.remember(std::exchange(m_lastFolder, QString()),
                         std::exchange(m_lastName, QString()));
    const bool again = std::exchange(m_askingAgain, false);
    m_dialog.txtFilename->setText(again ? texts.fileName
                                        : m_names.propose(defaultDir, texts.fileName));
    m_dialog.txtDistrict->setText(texts.district);
    m_dialog.txtTitle->setText(texts.title);
    m_dialog.txtComments1->setText(texts.comments1);
    m_dialog.txtComments2->setText(texts.comments2);
    m_dialog.setDefaultDir(defaultDir);
    if (m_dialog.exec() != QDialog::Accepted)
        return false;

    texts.fileName = m_dialog.txtFilename->text();
    texts.district = m_dialog.txtDistrict->text();
    texts.title = m_dialog.txtTitle->text();
    texts.comments1 = m_dialog.txtComments1->text();
    texts.comments2 = m_dialog.txtComments2->text();
    defaultDir = m_dialog.strDefaultDir();
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
