#pragma once

#include "LoggerSimulator.h"

#include <QString>
#include <QStringList>

// The simulator's command line: the logger's memory, clock and identity, the pacing and
// the faults to play.
class SimulatorCommandLine
{
public:
    // False with `error` set (or with `helpText` set for --help).
    static bool parse(const QStringList &arguments, LoggerSimulator::Options &options,
                      QString &error, QString &helpText);
};
