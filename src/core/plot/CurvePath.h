#pragma once

#include "ElementArray.h"
#include "PlotLine.h"

#include <QPointF>

#include <vector>

// The curve as few polylines: its visible segments joined end to end, one run per
// unbroken stretch of one colour. Where more than two points of a run fall in one pixel
// column only its first, lowest, highest and last stay, so a long series zoomed out
// draws no more than four points per column and looks the same.
class CurvePath
{
public:
    struct Run
    {
        quint32 colour = 0;
        std::vector<QPointF> points;
    };

    // The runs of the first `count` elements of `curve`.
    static std::vector<Run> of(const ElementArray<PlotLine> &curve, qint32 count);

    // `points` with each pixel column (floor of x) of more than two points cut to its
    // first, lowest, highest and last point, in their order.
    static std::vector<QPointF> reduced(const std::vector<QPointF> &points);
};
