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

    connect(cmdCancel, &QPushButton::clicked, this, &frmDownloading::cancelRequested);
    Form_Load();
}

void frmDownloading::Form_Load()
{
    m_general.localiseForm(*this);
}

void frmDownloading::showProgress(qint32 block, qint32 blocks)
{
    if (!isVisible()) {
        lblStatus->clear();
        show();
        raise();
    }
    prgProgress->setMaximum(blocks);
    prgProgress->setValue(block);
    lblStatus->setText(QStringLiteral("Block %1 of %2").arg(block + 1).arg(blocks));
}

void frmDownloading::showStopping()
{
    lblStatus->setText(QStringLiteral("Stopping after this block..."));
}

// The window stays until the download has ended after the block in progress.
void frmDownloading::closeEvent(QCloseEvent *event)
{
    event->ignore();
    emit cancelRequested();
}

void frmDownloading::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        emit cancelRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}
