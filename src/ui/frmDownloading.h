#pragma once

#include "DownloadProgress.h"

#include <QDialog>

class General;
class QLabel;
class QProgressBar;
class QPushButton;

// The download window: shown without being modal while the logger's blocks arrive, with
// their progress and a Cancel that takes effect after the block in progress. Closing it by
// its frame is a Cancel too; the download hides it when it ends.
class frmDownloading : public QDialog, public DownloadProgress
{
    Q_OBJECT

public:
    explicit frmDownloading(const General &general, QWidget *parent = nullptr);

    void Form_Load();
    // Runs on every showing: a Cancel of one download does not carry over to the next.
    void Form_Activate();
    void cmdCancel_Click();

    void showDownload() override;
    void setProgressMaximum(qint32 maximum) override;
    void setProgressValue(qint32 value) override;
    bool blnCancelDownload() const override { return m_blnCancelDownload; }
    void hideDownload() override;

    QProgressBar *prgProgress = nullptr;
    QPushButton *cmdCancel = nullptr;
    QLabel *lblStatus = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const General &m_general;
    bool m_blnCancelDownload = false;
};
