#pragma once

#include "PlotColour.h"

// A small filled marker shape (drawn as a dot) with its box at (left, top), in pixels.
struct PlotShape
{
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    quint32 colour = PlotColour::Black;
    bool visible = true;
};
