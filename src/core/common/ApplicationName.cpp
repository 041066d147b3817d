#include "ApplicationName.h"

#include "StringTable.h"

QString ApplicationName::title()
{
    return QStringLiteral("Neru");
}

QString ApplicationName::systemName()
{
    return QStringLiteral("neru");
}

QString ApplicationName::settingsName()
{
    return StringTable().text(10010) + QStringLiteral(" - ") + title();
}
