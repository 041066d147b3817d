#include "KeptDownloads.h"

#include "WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString KeptDownloads::defaultFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty())
        folder = QDir::homePath() + QStringLiteral("/.local/share/neru");
    return folder + QStringLiteral("/downloads/");
}

QString KeptDownloads::fileName(const QDateTime &when, Extent extent)
{
    return QStringLiteral("download-") + when.toString(QStringLiteral("yyyyMMdd-HHmmss"))
        + (extent == Extent::Partial ? QStringLiteral("-partial.bin") : QStringLiteral(".bin"));
}

QString KeptDownloads::fileFilter()
{
    return QStringLiteral("Kept downloads(download-*.bin)");
}

KeptDownloads::KeptDownloads(QString folder)
    : m_folder(std::move(folder))
{
    if (!m_folder.endsWith(u'/'))
        m_folder += u'/';
}

KeptDownloads::Kept KeptDownloads::keep(const QByteArray &download, const QDateTime &when,
                                        Extent extent) const
{
    const QString name = fileName(when, extent);
    Kept kept { m_folder + name, QString() };
    for (int n = 2; QFileInfo::exists(kept.path); ++n)
        kept.path = m_folder + name.chopped(4) + u'-' + QString::number(n) + QStringLiteral(".bin");
    if (!QDir().mkpath(m_folder))
        kept.failure = QStringLiteral("the folder %1 cannot be made").arg(m_folder);
    else if (QString reason; !WholeFile::write(kept.path, download, reason))
        kept.failure = reason;
    return kept;
}
