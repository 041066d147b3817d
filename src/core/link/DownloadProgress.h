#pragma once

#include <QtGlobal>

// The download window frmDownloading as the download sees it: shown without being modal
// while the blocks arrive, a progress bar from 0 to a maximum, and a Cancel button whose
// state is read before each block. The window and the batch tool implement it.
class DownloadProgress
{
public:
    virtual ~DownloadProgress() = default;

    // Shows the window without making it modal. Showing it clears blnCancelDownload, so
    // the Cancel of one download does not carry over to the next.
    virtual void showDownload() = 0;
    virtual void setProgressMaximum(qint32 maximum) = 0;
    virtual void setProgressValue(qint32 value) = 0;
    // True once the user has asked the download to stop.
    virtual bool blnCancelDownload() const = 0;
    virtual void hideDownload() = 0;
};
