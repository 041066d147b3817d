#include "LoggerSettingsDialog.h"

#include "ApplicationName.h"
#include "General.h"
#include "NeruModel.h"
#include "UserPrompts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

LoggerSettingsDialog::LoggerSettingsDialog(const General &general, NeruModel &model,
                                           UserPrompts &prompts, QWidget *parent)
    : QDialog(parent)
    , m_general(general)
    , m_model(model)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmReprogram"));
    setWindowTitle(QStringLiteral("Reprogram NERU"));
    setModal(true);
    settingsHeading = General::addControl<QLabel>(this, "lblSettings", 30810);
    serialNumberCaption = General::addControl<QLabel>(this, "lblSerialNumberLbl", 30820);
    serialNumberValue = General::addControl<QLabel>(this, "lblSerialNumber");
    calibrationCaption = General::addControl<QLabel>(this, "lblCalibrationLbl", 30830);
    calibrationValue = General::addControl<QLabel>(this, "lblCalibration");
    identificationCaption = General::addControl<QLabel>(this, "lblIdentificationLbl", 30840);
    identificationValue = General::addControl<QLabel>(this, "lblIdentification");
    versionCaption = General::addControl<QLabel>(this, "lblVersionNumberLbl", 30850);
    versionValue = General::addControl<QLabel>(this, "lblVersionNumber");
    clockCaption = General::addControl<QLabel>(this, "lblDateTimeLbl", 30860);
    clockValue = General::addControl<QLabel>(this, "lblDateTime");
    warningLabel = General::addControl<QLabel>(this, "lblWarning", 30870);
    warningMessage = General::addControl<QLabel>(this, "lblWarningMessage", 30880);
    clearButton = General::addControl<QPushButton>(this, "cmdClear", 30890);
    cancelButton = General::addControl<QPushButton>(this, "cmdCancel", 30900);
    clearButton->setAutoDefault(false);
    cancelButton->setDefault(true);
    buildLayout();

    connect(clearButton, &QPushButton::clicked, this, &LoggerSettingsDialog::clearMemory);
    connect(cancelButton, &QPushButton::clicked, this, &LoggerSettingsDialog::cancel);
    connect(&m_model, &NeruModel::busyChanged, this, [this](bool busy) {
        if (!busy && m_clearing)
            clearEnded();
    });
    buildContents();
}

void LoggerSettingsDialog::buildLayout()
{
    QFont heading = settingsHeading->font();
    heading.setBold(true);
    settingsHeading->setFont(heading);
    warningLabel->setFont(heading);
    warningLabel->setStyleSheet(QStringLiteral("color: #b00000"));
    warningMessage->setWordWrap(true);
    // The values are the logger's own; a user may want to copy the serial number.
    for (QLabel *value :
         { serialNumberValue, calibrationValue, identificationValue, versionValue, clockValue })
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *values = new QGridLayout;
    const QList<QPair<QLabel *, QLabel *>> rows { { serialNumberCaption, serialNumberValue },
                                                  { calibrationCaption, calibrationValue },
                                                  { identificationCaption, identificationValue },
                                                  { versionCaption, versionValue },
                                                  { clockCaption, clockValue } };
    for (int r = 0; r < rows.size(); ++r) {
        values->addWidget(rows[r].first, r, 0);
        values->addWidget(rows[r].second, r, 1);
    }
    values->setColumnStretch(1, 1);
    values->setHorizontalSpacing(16);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(clearButton);
    buttons->addWidget(cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(settingsHeading);
    layout->addLayout(values);
    layout->addSpacing(12);
    layout->addWidget(warningLabel);
    layout->addWidget(warningMessage);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void LoggerSettingsDialog::buildContents()
{
    m_general.localiseForm(*this);
}

void LoggerSettingsDialog::prepareToShow()
{
    showSettings(m_model.loggerSettings());
}

void LoggerSettingsDialog::showSettings(const LoggerResult &settings)
{
    serialNumberValue->setText(settings.serialNumber);
    calibrationValue->setText(m_formats.shortDate(settings.calibration));
    identificationValue->setText(m_formats.generalNumber(settings.identification));
    versionValue->setText(settings.version);
    clockValue->setText(m_formats.dateAndTime(settings.clock));
}

void LoggerSettingsDialog::showEvent(QShowEvent *event)
{
    prepareToShow();
    QDialog::showEvent(event);
}

// Asked first, No by default: nothing can bring the logger's readings back. Once asked,
// the dialog goes whether or not the logger was cleared; the link has told the user which.
void LoggerSettingsDialog::clearMemory()
{
    if (m_clearing)
        return;
    QString question = QStringLiteral("Erase everything the logger holds? This cannot be undone.");
    if (!m_model.downloadKeptSinceStart())
        question
            += QStringLiteral("\nNothing has been downloaded from a logger since Neru started.");
    if (m_prompts.question(question, ApplicationName::title(), UserPrompts::Answer::No)
        != UserPrompts::Answer::Yes)
        return;
    m_clearing = true;
    // The exchange runs on the event loop: no second press, and no Esc, meanwhile.
    clearButton->setEnabled(false);
    cancelButton->setEnabled(false);
    m_model.clearLoggerMemory();
    if (!m_model.isBusy())
        clearEnded();
}

void LoggerSettingsDialog::clearEnded()
{
    clearButton->setEnabled(true);
    cancelButton->setEnabled(true);
    m_clearing = false;
    hide();
}

void LoggerSettingsDialog::cancel()
{
    hide();
}

void LoggerSettingsDialog::reject()
{
    if (m_clearing)
        return;
    QDialog::reject();
}
