// The grid: round steps on both axes, their lines and their labels.
#include "PlotModel.h"

#include "GridSteps.h"

void PlotModel::drawGrid()
{ }
