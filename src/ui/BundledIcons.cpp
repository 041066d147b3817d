#include "BundledIcons.h"

QIcon BundledIcons::bundled(const QString &name)
{
    QIcon icon;
    for (int size : kSizes)
        icon.addFile(QStringLiteral(":/neru/icons/%1-%2.png").arg(name).arg(size),
                     QSize(size, size));
    return icon;
}

QIcon BundledIcons::icon(const QString &themeName, const QString &name)
{
    return QIcon::fromTheme(themeName, bundled(name));
}
