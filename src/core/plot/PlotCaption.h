#pragma once

#include "PlotColour.h"

#include <QString>

// A caption: text whose box has its top-left corner at (left, top), in pixels.
struct PlotCaption
{
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    QString caption;
    quint32 colour = PlotColour::Black;
    bool visible = true;
};
