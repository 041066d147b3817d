#pragma once

#include <QString>

// The texts of the six axis labels beside and below the plot.
struct GraphAxisLabels
{
    QString lblFlowMax;
    QString lblFlowMid;
    QString lblFlowMin;
    QString lblTimeMin;
    QString lblTimeMid;
    QString lblTimeMax;
};
