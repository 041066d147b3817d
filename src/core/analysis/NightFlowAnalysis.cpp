#include "NightFlowAnalysis.h"

#include "DateTime.h"
#include "DistrictSettings.h"
#include "RuntimeError.h"
#include "SampleSeries.h"
#include "StepFunction.h"

namespace {

constexpr qint64 kDay = DateTime::kSecondsPerDay;

// The day number of a time, counting whole days from the origin (also before it).
qint64 dayOf(qint64 seconds)
{
    return seconds >= 0 ? seconds / kDay : -((-seconds + kDay - 1) / kDay);
}

// The lowest and highest of the readings stamped in (from, to] that cover time, each the
// first that reaches it.
void extremes(const StepFunction &steps, qint64 from, qint64 to, double factor,
              std::optional<NightFlowAnalysis::Reading> *minimum,
              std::optional<NightFlowAnalysis::Reading> *maximum)
{
    const size_t end = steps.firstEndingAfter(to);
    for (size_t k = steps.firstEndingAfter(from); k < end; ++k) {
        const StepFunction::Step &step = steps.steps()[k];
        const NightFlowAnalysis::Reading reading { step.value * factor, step.end };
        if (minimum && (!*minimum || reading.value < (*minimum)->value))
            *minimum = reading;
        if (maximum && (!*maximum || reading.value > (*maximum)->value))
            *maximum = reading;
    }
}

// The least-squares line through the points (a day's place in the days, its night
// minimum), of which there are at least two with distinct places: its slope per day and
// its value at the first and last point.
NightFlowAnalysis::TrendLine fitLine(const std::vector<std::pair<size_t, double>> &points)
{
    double meanX = 0.0;
    double meanY = 0.0;
    for (const auto &[x, y] : points) {
        meanX += static_cast<double>(x);
        meanY += y;
    }
    meanX /= static_cast<double>(points.size());
    meanY /= static_cast<double>(points.size());
    double products = 0.0;
    double squares = 0.0;
    for (const auto &[x, y] : points) {
        products += (static_cast<double>(x) - meanX) * (y - meanY);
        squares += (static_cast<double>(x) - meanX) * (static_cast<double>(x) - meanX);
    }
    const double slope = products / squares;
    auto at = [&](size_t x) { return meanY + slope * (static_cast<double>(x) - meanX); };
    const size_t first = points.front().first;
    const size_t last = points.back().first;
    return { slope, first, at(first), last, at(last) };
}

} // namespace

NightFlowAnalysis NightFlowAnalysis::of(const SampleSeries &series,
                                        const DistrictSettings &settings, const NightWindow &window,
                                        DisplayUnit unit)
{
    if (settings.loggingInterval <= 0)
        throw RuntimeError(QStringLiteral(
            "The district has no logging interval, so its readings cannot be analysed."));
    NightFlowAnalysis a;
    a.pressure = settings.isPressure();
    a.unit = unit;
    a.window = window;
    const double factor = DisplayUnits::factor(unit);
    const StepFunction steps(series, settings.loggingInterval);
    if (steps.isEmpty())
        return a;

    // A step covers (start, end]: its first covered instant lies just after its start.
    const qint64 firstDay = dayOf(steps.steps().front().start);
    const qint64 lastDay = dayOf(steps.steps().back().end - 1);
    std::vector<std::pair<size_t, double>> nights;
    double wholeIntegral = 0.0;
    a.days.reserve(static_cast<size_t>(lastDay - firstDay + 1));
    QDate date = DateTime::toQDate(static_cast<double>(firstDay));
    size_t next = 0; // the first step that ends after the day's 00:00
    for (qint64 day = firstDay; day <= lastDay; ++day, date = date.addDays(1)) {
        Day d;
        d.date = date;
        const qint64 from = day * kDay;
        const qint64 to = from + kDay;
        // A damaged time stamp can leave decades between two readings: a day that no step
        // reaches is listed empty at once.
        while (next < steps.steps().size() && steps.steps()[next].end <= from)
            ++next;
        if (next == steps.steps().size() || steps.steps()[next].start >= to) {
            a.days.push_back(std::move(d));
            continue;
        }
        d.coveredSeconds = steps.coveredSeconds(from, to);
        d.coverage = static_cast<double>(d.coveredSeconds) / kDay;
        if (d.coveredSeconds > 0) {
            const double integral = steps.integral(from, to);
            wholeIntegral += integral;
            if (!a.pressure)
                d.volume = integral / 1000.0;
            d.mean = integral / static_cast<double>(d.coveredSeconds) * factor;
        }
        extremes(steps, from, to, factor, &d.minimum, &d.maximum);

        const qint64 nightFrom = from + window.startSecond();
        const qint64 nightTo = from + window.endSecond();
        const qint64 nightCovered = steps.coveredSeconds(nightFrom, nightTo);
        if (nightCovered > 0)
            d.nightMean
                = steps.integral(nightFrom, nightTo) / static_cast<double>(nightCovered) * factor;
        d.nightComplete = nightCovered == nightTo - nightFrom;
        extremes(steps, nightFrom, nightTo, factor, &d.nightMinimum, nullptr);
        // A complete night whose readings are all stamped outside its window has no minimum.
        if (d.nightComplete && d.nightMinimum) {
            if (nights.empty())
                a.firstNight = d.nightMinimum->value;
            a.lastNight = d.nightMinimum->value;
            nights.emplace_back(a.days.size(), d.nightMinimum->value);
        }
        a.completeNights += d.nightComplete ? 1 : 0;
        a.coveredSeconds += d.coveredSeconds;
        a.days.push_back(std::move(d));
    }
    a.trendNights = static_cast<int>(nights.size());
    if (nights.size() >= 2)
        a.trend = fitLine(nights);
    if (a.coveredSeconds > 0) {
        if (!a.pressure)
            a.totalVolume = wholeIntegral / 1000.0;
        a.mean = wholeIntegral / static_cast<double>(a.coveredSeconds) * factor;
    }
    return a;
}
