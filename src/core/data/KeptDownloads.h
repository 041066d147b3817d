#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Every download is written as it came from the logger into a folder of its own before
// any district is cut from it, so that a dialog closed, a read-only folder or a crash
// cannot lose readings the logger may no longer hold. A kept download is cut again like
// a fresh one ("neru-cli split", or File > Open in the window).
class KeptDownloads
{
public:
    // A download that ended before all its blocks had arrived is kept as far as it went,
    // under a name that says so; it is cut only when the user asks.
    enum class Extent { Whole, Partial };

    // "<per-user data folder>/downloads/".
    static QString defaultFolder();
    // "download-YYYYMMDD-HHMMSS.bin", or "download-YYYYMMDD-HHMMSS-partial.bin".
    static QString fileName(const QDateTime &when, Extent extent = Extent::Whole);
    // The open-file dialog's filter for kept downloads.
    static QString fileFilter();

    explicit KeptDownloads(QString folder = defaultFolder());

    QString folder() const { return m_folder; }

    // Where a download went, or why it could not go there.
    struct Kept
    {
        QString path; // the file, written or not
        QString failure; // empty when it was written, else why not
    };

    // Writes `download` whole as fileName(when) in the folder, which is made if need be.
    // An existing file is never replaced: a second download within the same second gets
    // "-2" (and so on) before ".bin".
    Kept keep(const QByteArray &download, const QDateTime &when,
              Extent extent = Extent::Whole) const;

private:
    QString m_folder; // ends in "/"
};
