#include "frmDownloading.h"

#include "General.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmDownloading::frmDownloading(const General &general, QWidget *parent)
    : QDialog(parent)
    , m_general(general)
{
    setObjectName(QStringLiteral("frmDownloading"));
    // The title is fixed; the window's own string (30700) never shows.
    setWindowTitle(QStringLiteral("Waiting for data"));
    setModal(false);
    prgProgress = General::addControl<QProgressBar>(this, "prgProgress");
    prgProgress->setMinimum(0);
    prgProgress->setMinimumWidth(320);
    cmdCancel = General::addControl<QPushButton>(this, "cmdCancel", 30710);
    lblStatus = General::addControl<QLabel>(this, "lblStatus");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prgProgress);
    auto *row = new QHBoxLayout;
    row->addWidget(lblStatus, 1);
    row->addWidget(cmdCancel);
    layout->addLayout(row);
    setFixedSize(sizeHint());

    connect(cmdCancel, &QPushButton::clicked, this, &frmDownloading::cmdCancel_Click);
    Form_Load();
}

void frmDownloading::Form_Load()
{
    m_general.localiseForm(*this);
}

void frmDownloading::Form_Activate()
{
    m_blnCancelDownload = false;
}

void frmDownloading::cmdCancel_Click()
{
    m_blnCancelDownload = true;
    lblStatus->setText(QStringLiteral("Stopping after this block..."));
}

void frmDownloading::showDownload()
{
    Form_Activate();
    prgProgress->setValue(0);
    lblStatus->clear();
    show();
    raise();
}

void frmDownloading::setProgressMaximum(qint32 maximum)
{
    prgProgress->setMaximum(maximum);
}

void frmDownloading::setProgressValue(qint32 value)
{
    prgProgress->setValue(value);
    if (!m_blnCancelDownload)
        lblStatus->setText(
            QStringLiteral("Block %1 of %2").arg(value + 1).arg(prgProgress->maximum()));
}

void frmDownloading::hideDownload()
{
    hide();
}

// The window stays until the download has ended after the block in progress.
void frmDownloading::closeEvent(QCloseEvent *event)
{
    event->ignore();
    cmdCancel_Click();
}

void frmDownloading::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        cmdCancel_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}
