#pragma once

#include <QtGlobal>

#include <vector>

struct SampleSeries;

// The readings of a series as the graph draws them: each reading's value holds over the
// time it covers, from the latest time stamp before it in the series (gap markers
// included; one logging interval before the first reading) up to and including its own.
// A gap marker's span, a reading whose clock was set back and any time outside the log
// are covered by nothing. Times are whole seconds as DateTime::toWholeSeconds counts them.
class StepFunction
{
public:
    // One reading that covers time: its value holds over (start, end], end being its stamp.
    struct Step
    {
        qint64 start = 0;
        qint64 end = 0;
        double value = 0.0; // in the series' base unit (l/s or bar)
        qint32 sample = 0; // its index in the series
    };

    StepFunction(const SampleSeries &series, qint32 loggingInterval);

    // In time order; the spans do not overlap.
    const std::vector<Step> &steps() const { return m_steps; }
    bool isEmpty() const { return m_steps.empty(); }

    // Seconds of (from, to] covered by readings; 0 when to <= from.
    qint64 coveredSeconds(qint64 from, qint64 to) const;
    // The value times the seconds it holds, summed over (from, to] (l/s × s = litres on a
    // flow channel); 0 when to <= from.
    double integral(qint64 from, qint64 to) const;
    // The index of the first step that ends after `time` (steps().size() when none does):
    // the steps stamped in (from, to] run from firstEndingAfter(from) up to firstEndingAfter(to).
    size_t firstEndingAfter(qint64 time) const;

private:
    // Covered seconds and integral of the steps before index k, from the first step's start.
    struct Sum
    {
        qint64 seconds = 0;
        double integral = 0.0;
    };
    // The covered seconds and integral from the log's start up to `time`.
    Sum sumUpTo(qint64 time) const;

    std::vector<Step> m_steps;
    std::vector<Sum> m_sums; // m_sums[k]: the sum over steps 0 to k - 1
};
