#pragma once

#include <QString>

#include <vector>

// The decoded samples of a district: one time stamp and one value in the base unit
// (l/s or bar) per logged interval, with the fitting in force and a flag for the gap
// markers inserted where the log has a hole. Fixed arrays of kCapacity entries, of
// which 0 to sampleCount - 1 are valid.
struct SampleSeries
{
    static constexpr int kCapacity = 3401;

    SampleSeries()
        : times(kCapacity, 0.0)
        , values(kCapacity, 0.0)
        , gapMarkers(kCapacity, 0)
        , sampleFittings(kCapacity)
    { }

    qint32 sampleCount = 0;
    std::vector<double> times;
    std::vector<double> values;
    std::vector<unsigned char> gapMarkers; // non-zero for a gap marker
    std::vector<QString> sampleFittings;

    // Extremes of the real samples; valid while sampleCount > 0.
    double maxValue = 0.0;
    double minValue = 0.0;
    double lastTime = 0.0;
    double firstTime = 0.0;

    qint32 fittingCount = 0;
    std::vector<qint32> fittingSamples; // index of the sample each fitting carried
    std::vector<QString> fittingNumbers;
    QString currentFitting;

    // No samples and no fittings; the arrays stay for the next series.
    void clear()
    {
        sampleCount = 0;
        maxValue = minValue = lastTime = firstTime = 0.0;
        fittingCount = 0;
        fittingSamples.clear();
        fittingNumbers.clear();
        currentFitting.clear();
    }

    qint32 gapCount() const
    {
        qint32 gaps = 0;
        for (qint32 i = 0; i < sampleCount; ++i)
            gaps += gapMarkers[static_cast<size_t>(i)] ? 1 : 0;
        return gaps;
    }
};
