#pragma once

#include <QString>

// One gridline's label at its axis: where the line stands and what it reads.
struct PlotTick
{
    double position = 0.0; // pixels from the plot's left edge (time) or top edge (value)
    QString text; // the locale's short time or short date, or the value in the display unit
    // Under a time line: the short date, on the first line of each day in view; else empty.
    QString dateText;
};
