#pragma once

#include "ScrollRange.h"

#include <QtGlobal>

// The window onto the data that the graph shows, the range it may scroll over and what
// the two scroll bars show of it, the cursor and the bookkeeping of the curve and marker
// elements. Times are date-times (days), values are in base units; only text shown to the
// user carries the unit factor.
struct PlotState
{
    double viewStart = 0.0; // time at the left edge (x = 0)
    double viewEnd = 0.0; // time at the right edge (x = W)
    double viewMin = 0.0; // value 3 1/3 pixels above the bottom edge
    double viewMax = 0.0; // value at the top edge
    double fullStart = 0.0;
    double fullEnd = 0.0;
    double fullMin = 0.0;
    double fullMax = 0.0;
    double cursor = 0.0;
    qint32 cursorSample = 0; // sample under the cursor; sampleCount after the last
    bool secondCursorShown = false; // cursor B, placed by Shift+click
    double secondCursor = 0.0;
    qint32 curveCount = 1; // elements of the curve
    qint32 markerCount = 1; // elements of each of markerLines, markerCaptions and markerDots
    ScrollRange timeScroll;
    ScrollRange valueScroll; // position 0 is the top of the value range
};
