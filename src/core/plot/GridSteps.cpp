#include "GridSteps.h"

double GridSteps::valueStep(double span, double, double)
{
    return span / 5.0;
}

qint64 GridSteps::timeStep(double spanSeconds, double, double)
{
    return qMax<qint64>(1, qint64(spanSeconds / 5.0));
}
