#include "UserPrompts.h"

#include "ApplicationName.h"

#include <QFileInfo>

QString UserPrompts::saveFileNameWithExtension(const QString &proposed, const QString &filter,
                                               const QString &extension)
{
    QString path = saveFileName(proposed, filter);
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    path += u'.' + extension;
    if (QFileInfo::exists(path)
        && question(path + QStringLiteral(" already exists.\nDo you want to replace it?"),
                    ApplicationName::title(), Answer::No)
            != Answer::Yes)
        return QString();
    return path;
}
