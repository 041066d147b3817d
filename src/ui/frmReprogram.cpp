#include "frmReprogram.h"

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

frmReprogram::frmReprogram(const General &general, NeruModel &model, UserPrompts &prompts,
                           QWidget *parent)
    : QDialog(parent)
    , m_general(general)
    , m_model(model)
    , m_prompts(prompts)
{
    setObjectName(QStringLiteral("frmReprogram"));
    setWindowTitle(QStringLiteral("Reprogram NERU"));
    setModal(true);
    lblSettings = General::addControl<QLabel>(this, "lblSettings", 30810);
    lblSerialNumberLbl = General::addControl<QLabel>(this, "lblSerialNumberLbl", 30820);
    lblSerialNumber = General::addControl<QLabel>(this, "lblSerialNumber");
    lblCalibrationLbl = General::addControl<QLabel>(this, "lblCalibrationLbl", 30830);
    lblCalibration = General::addControl<QLabel>(this, "lblCalibration");
    lblIdentificationLbl = General::addControl<QLabel>(this, "lblIdentificationLbl", 30840);
    lblIdentification = General::addControl<QLabel>(this, "lblIdentification");
    lblVersionNumberLbl = General::addControl<QLabel>(this, "lblVersionNumberLbl", 30850);
    lblVersionNumber = General::addControl<QLabel>(this, "lblVersionNumber");
    lblDateTimeLbl = General::addControl<QLabel>(this, "lblDateTimeLbl", 30860);
    lblDateTime = General::addControl<QLabel>(this, "lblDateTime");
    lblWarning = General::addControl<QLabel>(this, "lblWarning", 30870);
    lblWarningMessage = General::addControl<QLabel>(this, "lblWarningMessage", 30880);
    cmdClear = General::addControl<QPushButton>(this, "cmdClear", 30890);
    cmdCancel = General::addControl<QPushButton>(this, "cmdCancel", 30900);
    cmdClear->setAutoDefault(false);
    cmdCancel->setDefault(true);
    buildLayout();

    connect(cmdClear, &QPushButton::clicked, this, &frmReprogram::cmdClear_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmReprogram::cmdCancel_Click);
    connect(&m_model, &NeruModel::busyChanged, this, [this](bool busy) {
        if (!busy && m_clearing)
            clearEnded();
    });
    Form_Load();
}

void frmReprogram::buildLayout()
{
    QFont heading = lblSettings->font();
    heading.setBold(true);
    lblSettings->setFont(heading);
    lblWarning->setFont(heading);
    lblWarning->setStyleSheet(QStringLiteral("color: #b00000"));
    lblWarningMessage->setWordWrap(true);
    // The values are the logger's own; a user may want to copy the serial number.
    for (QLabel *value :
         { lblSerialNumber, lblCalibration, lblIdentification, lblVersionNumber, lblDateTime })
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *values = new QGridLayout;
    const QList<QPair<QLabel *, QLabel *>> rows { { lblSerialNumberLbl, lblSerialNumber },
                                                  { lblCalibrationLbl, lblCalibration },
                                                  { lblIdentificationLbl, lblIdentification },
                                                  { lblVersionNumberLbl, lblVersionNumber },
                                                  { lblDateTimeLbl, lblDateTime } };
    for (int r = 0; r < rows.size(); ++r) {
        values->addWidget(rows[r].first, r, 0);
        values->addWidget(rows[r].second, r, 1);
    }
    values->setColumnStretch(1, 1);
    values->setHorizontalSpacing(16);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdClear);
    buttons->addWidget(cmdCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblSettings);
    layout->addLayout(values);
    layout->addSpacing(12);
    layout->addWidget(lblWarning);
    layout->addWidget(lblWarningMessage);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(380);
}

void frmReprogram::Form_Load()
{
    m_general.localiseForm(*this);
}

void frmReprogram::Form_Activate()
{
    showSettings(m_model.loggerSettings());
}

void frmReprogram::showSettings(const LoggerResult &settings)
{
    lblSerialNumber->setText(settings.serialNumber);
    lblCalibration->setText(m_formats.shortDate(settings.calibration));
    lblIdentification->setText(m_formats.generalNumber(settings.identification));
    lblVersionNumber->setText(settings.version);
    lblDateTime->setText(m_formats.dateAndTime(settings.clock));
}

void frmReprogram::showEvent(QShowEvent *event)
{
    Form_Activate();
    QDialog::showEvent(event);
}

// Asked first, No by default: nothing can bring the logger's readings back. Once asked,
// the dialog goes whether or not the logger was cleared; the link has told the user which.
void frmReprogram::cmdClear_Click()
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
    cmdClear->setEnabled(false);
    cmdCancel->setEnabled(false);
    m_model.clearLoggerMemory();
    if (!m_model.isBusy())
        clearEnded();
}

void frmReprogram::clearEnded()
{
    cmdClear->setEnabled(true);
    cmdCancel->setEnabled(true);
    m_clearing = false;
    hide();
}

void frmReprogram::cmdCancel_Click()
{
    hide();
}

void frmReprogram::reject()
{
    if (m_clearing)
        return;
    QDialog::reject();
}
