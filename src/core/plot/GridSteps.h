#pragma once

#include <QtGlobal>

// The round steps of the grid: the smallest step whose lines stand at least `labelPixels`
// apart on an axis `pixels` long, so that their labels do not overlap, and put at most
// ten lines on the span (four or more where the steps allow).
namespace GridSteps {

// 1, 2 or 5 times a power of ten, in the unit of `span`.
double valueStep(double span, double pixels, double labelPixels);

// 1, 2, 5, 10, 15, 30 s; 1, 2, 5, 10, 15, 30 min; 1, 2, 3, 6, 12 h; 1, 2, 7 days; beyond a
// week, whole weeks doubling. In seconds.
qint64 timeStep(double spanSeconds, double pixels, double labelPixels);

} // namespace GridSteps
