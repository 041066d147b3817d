// The grid: round steps on both axes, their lines and their labels.
#include "PlotModel.h"

#include "GridSteps.h"

double PlotModel::valueAt(double) const
{
    return 0.0;
}

void PlotModel::drawGrid()
{ }

void PlotModel::resetValueRange()
{ }
