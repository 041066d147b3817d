#pragma once

#include <QDialog>

class General;
class QLabel;
class QProgressBar;
class QPushButton;

// The download window: shown without being modal while the logger's blocks arrive, with
// their progress and a Cancel that takes effect after the block in progress. Closing it by
// its frame or Esc is a Cancel too; the program hides it when the download has ended.
class DownloadWindow : public QDialog
{
    Q_OBJECT

public:
    explicit DownloadWindow(const General &general, QWidget *parent = nullptr);

    void buildContents();

    // Block `block` (from 0) of `blocks` is on its way; the first block of a download shows
    // the window.
    void showProgress(qint32 block, qint32 blocks);
    // A stop has been asked for: the download ends after this block.
    void showStopping();

    QProgressBar *progressBar = nullptr;
    QPushButton *cancelButton = nullptr;
    QLabel *statusLabel = nullptr;

signals:
    void cancelRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    const General &m_general;
};
