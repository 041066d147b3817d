#pragma once

#include "NamedFormats.h"

#include <QDialog>

class General;
struct LoggerResult;
class NeruModel;
class QLabel;
class QPushButton;
class UserPrompts;

// The logger-settings dialog: the identity, calibration and clock just read from the
// logger, and Clear Memory under its warning. Modal; Cancel is the default button, so
// Enter never erases the logger, and Clear Memory asks first. Hidden, not destroyed, when
// closed.
class frmReprogram : public QDialog
{
    Q_OBJECT

public:
    frmReprogram(const General &general, NeruModel &model, UserPrompts &prompts,
                 QWidget *parent = nullptr);

    void Form_Load();
    // Writes the values last read from the logger into their labels; runs on every showing.
    void Form_Activate();
    void showSettings(const LoggerResult &settings);
    void cmdClear_Click();
    void cmdCancel_Click();

    QLabel *lblSettings = nullptr;
    QLabel *lblSerialNumberLbl = nullptr;
    QLabel *lblSerialNumber = nullptr;
    QLabel *lblCalibrationLbl = nullptr;
    QLabel *lblCalibration = nullptr;
    QLabel *lblIdentificationLbl = nullptr;
    QLabel *lblIdentification = nullptr;
    QLabel *lblVersionNumberLbl = nullptr;
    QLabel *lblVersionNumber = nullptr;
    QLabel *lblDateTimeLbl = nullptr;
    QLabel *lblDateTime = nullptr;
    QLabel *lblWarning = nullptr;
    QLabel *lblWarningMessage = nullptr;
    QPushButton *cmdClear = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void buildLayout();
    // Clear Memory has ended, whether or not the logger was cleared.
    void clearEnded();

    const General &m_general;
    NeruModel &m_model;
    UserPrompts &m_prompts;
    const NamedFormats m_formats;
    bool m_clearing = false;
};
