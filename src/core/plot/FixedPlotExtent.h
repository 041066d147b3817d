#pragma once

#include "PlotExtent.h"

// A plot area of a fixed size, for drawing without a window.
class FixedPlotExtent : public PlotExtent
{
public:
    FixedPlotExtent(double width, double height)
        : m_width(width)
        , m_height(height)
    { }
    double plotWidth() const override { return m_width; }
    double plotHeight() const override { return m_height; }
    void resize(double width, double height)
    {
        m_width = width;
        m_height = height;
    }

private:
    double m_width;
    double m_height;
};
