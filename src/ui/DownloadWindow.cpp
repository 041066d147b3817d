#include "DownloadWindow.h"

#include "General.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

DownloadWindow::DownloadWindow(const General &general, QWidget *parent)
    : QDialog(parent)
    , m_general(general)
{
    setObjectName(QStringLiteral("frmDownloading"));
    // The title is fixed; the window's own string (30700) never shows.
    setWindowTitle(QStringLiteral("Waiting for data"));
    setModal(false);
    progressBar = General::addControl<QProgressBar>(this, "prgProgress");
    progressBar->setMinimum(0);
    progressBar->setMinimumWidth(320);
    cancelButton = General::addControl<QPushButton>(this, "cmdCancel", 30710);
    statusLabel = General::addControl<QLabel>(this, "lblStatus");

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(progressBar);
    auto *row = new QHBoxLayout;
    row->addWidget(statusLabel, 1);
    row->addWidget(cancelButton);
    layout->addLayout(row);
    setFixedSize(sizeHint());

    connect(cancelButton, &QPushButton::clicked, this, &DownloadWindow::cancelRequested);
    buildContents();
}

void DownloadWindow::buildContents()
{
    m_general.localiseForm(*this);
}

void DownloadWindow::showProgress(qint32 block, qint32 blocks)
{
    if (!isVisible()) {
        statusLabel->clear();
        show();
        raise();
    }
    progressBar->setMaximum(blocks);
    progressBar->setValue(block);
    statusLabel->setText(QStringLiteral("Block %1 of %2").arg(block + 1).arg(blocks));
}

void DownloadWindow::showStopping()
{
    statusLabel->setText(QStringLiteral("Stopping after this block..."));
}

// The window stays until the download has ended after the block in progress.
void DownloadWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
    emit cancelRequested();
}

void DownloadWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        emit cancelRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}
