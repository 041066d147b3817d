#pragma once

#include "PlotColour.h"

// One straight line of the plot, in pixels from the plot's top-left corner.
struct PlotLine
{
    double x1 = 0.0;
    double y1 = 0.0;
    double x2 = 0.0;
    double y2 = 0.0;
    quint32 colour = PlotColour::Black;
    bool visible = true;
    bool dashed = false; // the second cursor
};
