#pragma once

#include "ScrollRange.h"

#include <QtGlobal>

// The window onto the data that the graph shows, the range it may scroll over and what
// the two scroll bars show of it, the cursor and the bookkeeping of the curve and marker
// elements. Times are date-times (days), values are in base units; only text shown to the
// user carries the unit factor.
struct GraphViewState
{
    double dteViewStart = 0.0; // time at the left edge (x = 0)
    double dteViewEnd = 0.0; // time at the right edge (x = W)
    double dblViewMin = 0.0; // value 3 1/3 pixels above the bottom edge
    double dblViewMax = 0.0; // value at the top edge
    double dteFullStart = 0.0;
    double dteFullEnd = 0.0;
    double dblFullMin = 0.0;
    double dblFullMax = 0.0;
    double dteCursor = 0.0;
    qint32 lngCursorSample = 0; // sample under the cursor; lngNumSamples after the last
    qint32 lngBarCount = 1; // elements of LinBar
    qint32 lngRefCount = 1; // elements of each of linRef, lblRef and shpRef
    ScrollRange timeScroll;
    ScrollRange valueScroll; // position 0 is the top of the value range
};
