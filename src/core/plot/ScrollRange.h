#pragma once

#include <QtGlobal>

// What a scroll bar beside the plot shows: the window's place on a scale of 0 to 10000
// over the full range, the window's length on that scale as the page step, and the
// largest position the bar allows. A bar whose window covers the whole range has nothing
// to scroll: maximum 0.
struct ScrollRange
{
    qint32 pageStep = 10000;
    qint32 maximum = 0;
    qint32 position = 0;
};
