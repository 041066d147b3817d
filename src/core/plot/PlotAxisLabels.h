#pragma once

#include <QString>

// The texts of the six axis labels beside and below the plot.
struct PlotAxisLabels
{
    QString valueTop;
    QString valueMiddle;
    QString valueBottom;
    QString timeStart;
    QString timeMiddle;
    QString timeEnd;
};
