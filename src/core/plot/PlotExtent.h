#pragma once

// The current outer size of the plot area in twips (1/1440 inch), read afresh by every
// mapping so that a resize is seen at once.
class PlotExtent
{
public:
    virtual ~PlotExtent() = default;
    virtual double plotWidth() const = 0;
    virtual double plotHeight() const = 0;
};
