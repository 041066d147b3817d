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
class LoggerSettingsDialog : public QDialog
{
    Q_OBJECT

public:
    LoggerSettingsDialog(const General &general, NeruModel &model, UserPrompts &prompts,
                         QWidget *parent = nullptr);

    void buildContents();
    // Writes the values last read from the logger into their labels; runs on every showing.
    void prepareToShow();
    void showSettings(const LoggerResult &settings);
    void clearMemory();
    void cancel();

    QLabel *settingsHeading = nullptr;
    QLabel *serialNumberCaption = nullptr;
    QLabel *serialNumberValue = nullptr;
    QLabel *calibrationCaption = nullptr;
    QLabel *calibrationValue = nullptr;
    QLabel *identificationCaption = nullptr;
    QLabel *identificationValue = nullptr;
    QLabel *versionCaption = nullptr;
    QLabel *versionValue = nullptr;
    QLabel *clockCaption = nullptr;
    QLabel *clockValue = nullptr;
    QLabel *warningLabel = nullptr;
    QLabel *warningMessage = nullptr;
    QPushButton *clearButton = nullptr;
    QPushButton *cancelButton = nullptr;

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
