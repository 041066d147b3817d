#pragma once

#include "PlotColour.h"

// A filled rectangle behind the curve with its top-left corner at (left, top), in pixels.
struct PlotBand
{
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    quint32 colour = PlotColour::NightShade;
    bool visible = true;
};
