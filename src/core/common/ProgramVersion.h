#pragma once

#include <QString>

// The program's version, as the About box and both programs' --version show it. Only
// ProgramVersion.cpp sees the build's version define, so a new version rebuilds one file.
QString programVersion();
