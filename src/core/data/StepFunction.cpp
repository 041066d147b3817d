#include "StepFunction.h"

#include "DateTime.h"
#include "SampleSeries.h"

#include <algorithm>

StepFunction::StepFunction(const SampleSeries &series, qint32 loggingInterval)
{
    const auto count
        = static_cast<size_t>(std::clamp(series.sampleCount, 0, SampleSeries::kCapacity));
    m_steps.reserve(count);
    m_sums.reserve(count + 1);
    m_sums.push_back({});
    qint64 latest = 0; // the latest stamp so far, gap markers included
    for (size_t i = 0; i < count; ++i) {
        const qint64 stamp = DateTime::toWholeSeconds(series.times[i]);
        const qint64 before = i == 0 ? stamp - loggingInterval : latest;
        latest = i == 0 ? stamp : std::max(latest, stamp);
        if (series.gapMarkers[i] || stamp <= before)
            continue;
        const double value = series.values[i];
        m_steps.push_back({ before, stamp, value, static_cast<qint32>(i) });
        const Sum &sum = m_sums.back();
        m_sums.push_back({ sum.seconds + (stamp - before),
                           sum.integral + value * static_cast<double>(stamp - before) });
    }
}

size_t StepFunction::firstEndingAfter(qint64 time) const
{
    const auto found = std::upper_bound(m_steps.begin(), m_steps.end(), time,
                                        [](qint64 t, const Step &step) { return t < step.end; });
    return static_cast<size_t>(found - m_steps.begin());
}

StepFunction::Sum StepFunction::sumUpTo(qint64 time) const
{
    // Whole steps that end by `time`, and the part of the one that holds at it.
    const size_t k = firstEndingAfter(time);
    Sum sum = m_sums[k];
    if (k < m_steps.size() && m_steps[k].start < time) {
        const qint64 part = time - m_steps[k].start;
        sum.seconds += part;
        sum.integral += m_steps[k].value * static_cast<double>(part);
    }
    return sum;
}

qint64 StepFunction::coveredSeconds(qint64 from, qint64 to) const
{
    if (to <= from)
        return 0;
    return sumUpTo(to).seconds - sumUpTo(from).seconds;
}

double StepFunction::integral(qint64 from, qint64 to) const
{
    if (to <= from)
        return 0.0;
    return sumUpTo(to).integral - sumUpTo(from).integral;
}
