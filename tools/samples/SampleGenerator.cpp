#include "SampleGenerator.h"

#include "RecordDecoder.h"

#include <cmath>

namespace {

// A small deterministic generator, so the samples are the same on every machine.
class Lcg
{
public:
    explicit Lcg(quint32 seed)
        : m_state(seed)
    { }
    double next() // uniform in [-1, 1)
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<double>(m_state >> 8) / static_cast<double>(1u << 23) - 1.0;
    }

private:
    quint32 m_state;
};

} // namespace

int SampleGenerator::intervalSeconds(const District &d)
{
    return RecordDecoder::intervalSeconds(d.record.intervalCode);
}

double SampleGenerator::dailyProfile(double hour)
{
    // Night minimum around 03:30, a morning peak near 07:30 and an evening one near
    // 19:00: a sum of two cosines, centred on 1.
    const double pi = 3.14159265358979323846;
    const double daily = -std::cos(2 * pi * (hour - 3.5) / 24.0);
    const double twice = 0.35 * std::cos(2 * pi * (hour - 7.5) / 12.0);
    return 1.0 + 0.75 * daily + twice * (daily > -0.3 ? 1.0 : 0.3);
}

quint16 SampleGenerator::rawFor(const District &d, double value)
{
    // The inverse of the decoding for the two kinds of channel that the samples use:
    // a flow meter counting pulses over intervals above 30 s (value = A/B * R / I), and
    // a voltage transducer (value = B * R / I / 1000).
    const double interval = intervalSeconds(d);
    const double meter = RecordDecoder::readNumber(d.record.meter);
    const double head = RecordDecoder::readNumber(d.record.head);
    double raw = d.pressure ? value * interval * 1000.0 / head : value * interval / (meter / head);
    raw = std::round(raw);
    if (raw < 1)
        raw = 1;
    if (raw > 32767)
        raw = 32767;
    return static_cast<quint16>(raw);
}

QByteArray SampleGenerator::records(const District &d)
{
    District withReference = d;
    withReference.record.referenceRaw = rawFor(d, d.referenceValue);
    QByteArray out = RecordEncoder::district(withReference.record);

    const int interval = intervalSeconds(d);
    const int count = d.days * 86400 / interval;
    Lcg random(d.seed);
    for (int i = 0; i < count; ++i) {
        const double noise = random.next();
        bool missing = false;
        for (const Hole &h : d.holes)
            missing = missing || (i >= h.fromSample && i < h.fromSample + h.samples);
        if (missing)
            continue;
        const RecordEncoder::Time t
            = RecordEncoder::addSeconds(d.start, static_cast<qint64>(i) * interval);
        const double hour = t.hour + t.minute / 60.0;
        const double factor = d.pressure ? 1.0 - d.swing * (dailyProfile(hour) - 1.0)
                                         : 1.0 + d.swing * (dailyProfile(hour) - 1.0);
        const double value = d.mean * factor * (1.0 + d.noise * noise);
        const quint16 raw = rawFor(d, value);
        QString fitting;
        for (const Fitting &f : d.fittings) {
            if (f.atSample == i)
                fitting = f.number;
        }
        out += fitting.isEmpty() ? RecordEncoder::simple(t, raw)
                                 : RecordEncoder::fitting(fitting, t, raw);
    }
    return out;
}

SampleGenerator::District SampleGenerator::flowDistrict()
{
    District d;
    d.record.number = QStringLiteral("10452");
    d.record.intervalCode = 9; // 900 s
    d.record.channelBits = 1; // type 1, flow
    d.record.meter = QStringLiteral("00010"); // 10 l/rev
    d.record.head = QStringLiteral("00001"); // 1 pulse/rev
    d.start = { 2026, 11, 23, 9, 0, 0 };
    d.days = 5;
    d.mean = 14.0;
    d.swing = 0.6;
    d.referenceValue = 15.0;
    d.fittings = { { 0, QStringLiteral("00101") },
                   { 200, QStringLiteral("00102") },
                   { 352, QStringLiteral("00103") } };
    d.holes = { { 130, 9 } }; // about two hours missing on the second day
    d.seed = 7;
    return d;
}

SampleGenerator::District SampleGenerator::pressureDistrict()
{
    District d;
    d.record.number = QStringLiteral("20731");
    d.record.intervalCode = 9;
    d.record.channelBits = 1;
    d.record.modeBits = 0x80; // type 5, pressure
    d.record.meter = QStringLiteral("00000");
    d.record.head = QStringLiteral("2100."); // output 0-1 V, scale 2100
    d.pressure = true;
    d.start = { 2026, 11, 23, 9, 15, 0 };
    d.days = 5;
    d.mean = 4.2;
    d.swing = 0.25;
    d.noise = 0.01;
    d.referenceValue = 4.0;
    d.fittings = { { 0, QStringLiteral("00201") } };
    d.seed = 11;
    return d;
}

SampleGenerator::District SampleGenerator::secondFlowDistrict()
{
    District d;
    d.record.number = QStringLiteral("10460");
    d.record.intervalCode = 9;
    d.record.channelBits = 0; // type 2, flow
    d.record.meter = QStringLiteral("00005");
    d.record.head = QStringLiteral("00001");
    d.start = { 2026, 11, 28, 14, 0, 0 };
    d.days = 3;
    d.mean = 6.5;
    d.swing = 0.7;
    d.referenceValue = 7.0;
    d.fittings = { { 0, QStringLiteral("00301") }, { 150, QStringLiteral("00302") } };
    d.holes = { { 60, 4 } };
    d.seed = 23;
    return d;
}
