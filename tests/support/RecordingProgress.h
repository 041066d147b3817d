#pragma once

#include "DownloadProgress.h"

#include <QList>

// The download window's part as a test plays it: records what the download shows and
// presses Cancel when told to.
class RecordingProgress : public DownloadProgress
{
public:
    void showDownload() override
    {
        ++shows;
        visible = true;
        cancel = false;
    }
    void setProgressMaximum(qint32 value) override { maximum = value; }
    void setProgressValue(qint32 value) override { values.append(value); }
    bool blnCancelDownload() const override { return cancel; }
    void hideDownload() override { visible = false; }

    int shows = 0;
    bool visible = false;
    bool cancel = false;
    qint32 maximum = -1;
    QList<qint32> values;
};
