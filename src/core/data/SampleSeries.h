#pragma once

#include <QString>

#include <vector>

// The decoded samples of a district: one time stamp and one value in the base unit
// (l/s or bar) per logged interval, with the fitting in force and a flag for the gap
// markers inserted where the log has a hole. Fixed arrays of kCapacity entries, of
// which 0 to lngNumSamples - 1 are valid.
struct SampleSeries
{
    static constexpr int kCapacity = 3401;

    SampleSeries()
        : dteTime(kCapacity, 0.0)
        , dblValue(kCapacity, 0.0)
        , blnGap(kCapacity, 0)
        , strSampleFitting(kCapacity)
    { }

    qint32 lngNumSamples = 0;
    std::vector<double> dteTime;
    std::vector<double> dblValue;
    std::vector<unsigned char> blnGap; // non-zero for a gap marker
    std::vector<QString> strSampleFitting;

    // Extremes of the real samples; valid while lngNumSamples > 0.
    double dblMaxValue = 0.0;
    double dblMinValue = 0.0;
    double dteLastTime = 0.0;
    double dteFirstTime = 0.0;

    qint32 lngNumFittings = 0;
    std::vector<qint32> lngFittingSample; // index of the sample each fitting carried
    std::vector<QString> strFittingNumber;
    QString strCurrentFitting;

    // No samples and no fittings; the arrays stay for the next series.
    void clear()
    {
        lngNumSamples = 0;
        dblMaxValue = dblMinValue = dteLastTime = dteFirstTime = 0.0;
        lngNumFittings = 0;
        lngFittingSample.clear();
        strFittingNumber.clear();
        strCurrentFitting.clear();
    }

    qint32 gapCount() const
    {
        qint32 gaps = 0;
        for (qint32 i = 0; i < lngNumSamples; ++i)
            gaps += blnGap[static_cast<size_t>(i)] ? 1 : 0;
        return gaps;
    }
};
