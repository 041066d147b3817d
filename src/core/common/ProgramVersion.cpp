#include "ProgramVersion.h"

QString programVersion()
{
    return QStringLiteral(NERU_VERSION);
}
