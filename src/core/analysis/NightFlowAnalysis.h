#pragma once

#include "DisplayUnit.h"
#include "NightWindow.h"

#include <QDate>

#include <optional>
#include <vector>

struct DistrictSettings;
struct SampleSeries;

// A leakage engineer's figures for a district: per calendar day of the logger's clock its
// coverage, volume, mean and extremes; per night the lowest reading (the minimum night flow
// on a flow channel) and the mean over the night window; the trend of the night minimum
// across complete nights, and the whole log's totals. Readings count as a step function
// (StepFunction). Rates are in the display unit, volumes in m³, times are whole seconds
// as DateTime::toWholeSeconds counts them.
struct NightFlowAnalysis
{
    // A reading: its value in the display unit and its time stamp.
    struct Reading
    {
        double value = 0.0;
        qint64 time = 0;
    };

    struct Day
    {
        QDate date;
        qint64 coveredSeconds = 0;
        double coverage = 0.0; // covered time / 24 h, 0 to 1
        // Each empty when the day has no covered time; the volume also on pressure.
        std::optional<double> volume; // m³
        std::optional<double> mean; // time-weighted
        // The first reading stamped after the day's 00:00, up to and including its 24:00,
        // that covers time and reaches the extreme.
        std::optional<Reading> minimum;
        std::optional<Reading> maximum;
        // The same over the night window of the day, and its time-weighted mean over the
        // part of the window that readings cover.
        std::optional<Reading> nightMinimum;
        std::optional<double> nightMean;
        bool nightComplete = false; // readings cover the whole window
    };

    bool pressure = false;
    DisplayUnit unit = DisplayUnit::None;
    NightWindow window;
    // From the date of the first covered second to that of the last, one per date.
    std::vector<Day> days;

    // The trend: the least-squares line of the complete nights' night minimum against their
    // date, over the trendNights complete nights that have a night minimum; empty below two.
    // firstNight and lastNight are the night minimum of the first and last of them.
    struct TrendLine
    {
        double slopePerDay = 0.0;
        // The line's value at the first and last of those nights, each given by its place
        // in `days`: what a chart draws.
        size_t firstDay = 0;
        double firstValue = 0.0;
        size_t lastDay = 0;
        double lastValue = 0.0;
    };
    int completeNights = 0;
    int trendNights = 0;
    std::optional<TrendLine> trend;
    double firstNight = 0.0;
    double lastNight = 0.0;

    // The whole log.
    qint64 coveredSeconds = 0;
    std::optional<double> totalVolume; // m³; empty on pressure and without covered time
    std::optional<double> mean;

    // Raises the run-time error "The district has no logging interval, so its readings
    // cannot be analysed." when the settings hold no interval.
    static NightFlowAnalysis of(const SampleSeries &series, const DistrictSettings &settings,
                                const NightWindow &window, DisplayUnit unit);
};
