#pragma once

#include "ElementArray.h"
#include "PlotCaption.h"
#include "PlotLine.h"
#include "PlotShape.h"

// The retained elements of the plot area Picture1, as the drawing leaves them: the curve
// segments, the three arrays of a fitting's reference marker, the cursor and the two
// grid arrays. What is on screen is a copy of this.
class PlotElements
{
public:
    static constexpr double kRefCaptionWidth = 735.0; // twips; wide enough for "00000"
    static constexpr double kRefCaptionHeight = 255.0;
    static constexpr double kRefDotSize = 100.0;
    static constexpr double kRefDotTop = 50.0;
    static constexpr qint32 kGridLines = 11;

    PlotElements();

    ElementArray<PlotLine> LinBar;
    ElementArray<PlotLine> linRef;
    ElementArray<PlotCaption> lblRef;
    ElementArray<PlotShape> shpRef;
    ElementArray<PlotLine> linCursor; // a single line, kept as a one-element array
    ElementArray<PlotLine> linXGrid;
    ElementArray<PlotLine> LinYGrid;
};
