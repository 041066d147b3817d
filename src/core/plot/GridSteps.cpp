#include "GridSteps.h"

#include <cmath>
#include <iterator>

namespace {

constexpr double kMostLines = 10.0;

// A step of this many lines over the span: the ratio rounded where it lies within floating
// error of a whole number, so that a span of ten steps counts as ten and not 9.9999...
double stepsOver(double span, double step)
{
    const double steps = span / step;
    const double whole = std::round(steps);
    return std::fabs(steps - whole) <= 1e-9 * whole ? whole : steps;
}

// Lines `step` apart stand at least `labelPixels` apart and no more than ten fit on the span
// (the span holds fewer than ten whole steps).
bool fits(double step, double span, double pixels, double labelPixels)
{
    const double steps = stepsOver(span, step);
    return steps < kMostLines && pixels / steps >= labelPixels;
}

} // namespace

double GridSteps::valueStep(double span, double pixels, double labelPixels)
{
    if (!std::isfinite(span) || span <= 0.0)
        return 1.0;
    // A tenth of the span is never enough (ten steps), so start one power below it.
    double power = std::pow(10.0, std::floor(std::log10(span)) - 2.0);
    for (;;) {
        for (double multiple : { 1.0, 2.0, 5.0 }) {
            const double step = multiple * power;
            // At the span itself no more than one line shows: take it when nothing smaller
            // leaves room for the labels.
            if (fits(step, span, pixels, labelPixels) || step >= span)
                return step;
        }
        power *= 10.0;
    }
}

qint64 GridSteps::timeStep(double spanSeconds, double pixels, double labelPixels)
{
    static constexpr qint64 kSteps[]
        = { 1,   2,    5,    10,   15,    30,    60,    120,   300,    600,
            900, 1800, 3600, 7200, 10800, 21600, 43200, 86400, 172800, 604800 };
    if (!std::isfinite(spanSeconds) || spanSeconds <= 0.0)
        return 1;
    for (qint64 step : kSteps) {
        if (fits(double(step), spanSeconds, pixels, labelPixels) || double(step) >= spanSeconds)
            return step;
    }
    // Beyond a week, whole weeks doubling, up to one step over the whole span.
    qint64 step = 2 * kSteps[std::size(kSteps) - 1];
    while (!fits(double(step), spanSeconds, pixels, labelPixels) && double(step) < spanSeconds
           && step < (qint64(1) << 60))
        step *= 2;
    return step;
}
