#pragma once

#include "ElementArray.h"
#include "PlotBand.h"
#include "PlotCaption.h"
#include "PlotLine.h"
#include "PlotShape.h"

// The retained elements of the plot area, as the drawing leaves them: the curve
// segments, the three arrays of a fitting's reference marker, the two cursors, the two
// grid arrays and the night shades. What is on screen is a copy of this.
class PlotElements
{
public:
    // In pixels.
    static constexpr double kMarkerCaptionWidth = 49.0; // wide enough for "00000"
    static constexpr double kMarkerCaptionHeight = 17.0;
    static constexpr double kMarkerDotSize = 20.0 / 3.0;
    static constexpr double kMarkerDotTop = 10.0 / 3.0;
    static constexpr qint32 kGridLines = 11;

    PlotElements();

    ElementArray<PlotLine> curve;
    ElementArray<PlotLine> markerLines;
    ElementArray<PlotCaption> markerCaptions;
    ElementArray<PlotShape> markerDots;
    ElementArray<PlotLine> cursorLine; // a single line, kept as a one-element array
    ElementArray<PlotLine> secondCursorLine; // cursor B, dashed; hidden while not placed
    ElementArray<PlotLine> timeGrid;
    ElementArray<PlotLine> valueGrid;
    // One band per night in view while shading is on; element 0 starts hidden too.
    ElementArray<PlotBand> nightShades;
};
