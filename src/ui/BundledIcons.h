#pragma once

#include <QIcon>
#include <QString>

// Icons of the desktop's icon theme, with pictures of our own where the theme has none.
// Ours come in several sizes so that they stay sharp on high-density screens.
class BundledIcons
{
public:
    // The theme's icon `themeName`, else our picture `name` (":/neru/icons/<name>-<size>.png").
    static QIcon icon(const QString &themeName, const QString &name);

    // Our own picture only.
    static QIcon bundled(const QString &name);

    static constexpr int kSizes[] = { 16, 24, 32, 48 };
};
