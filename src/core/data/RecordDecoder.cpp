#include "RecordDecoder.h"

#include "Checked.h"
#include "DateTime.h"
#include "ErrorReport.h"
#include "EventLogNames.h"

#include <cmath>

namespace {

// The names the event log gives the record that failed: the procedure that read it.

const QString kOverflow = RuntimeError::overflow().description();
const QString kDivisionByZero = RuntimeError::divisionByZero().description();
// A full series is told as a subscript beyond the arrays is, so the event log reads as for
// any other, but the problem says why the sample is lost.
const QString kSeriesFull = RuntimeError::subscriptOutOfRange().description();

// Floating division as Checked::divide works it out, the error told rather than thrown:
// x / 0 is a division by zero, 0 / 0 an overflow, and a result too large for a double an
// overflow too. Once `error` is set, later divisions leave it.
double divide(double dividend, double divisor, QString &error)
{
    if (!error.isEmpty())
        return 0.0;
    if (divisor == 0.0) {
        error = dividend == 0.0 || std::isnan(dividend) ? kOverflow : kDivisionByZero;
        return 0.0;
    }
    const double result = dividend / divisor;
    if (!std::isfinite(result))
        error = kOverflow;
    return result;
}

} // namespace

RecordDecoder::RecordDecoder(const QByteArray &image, Result &result)
    : m_image(image)
    , m_result(result)
{ }

void RecordDecoder::decode(const QByteArray &image, Result &result)
{
    result.series.clear();
    result.problems.clear();
    result.faults.clear();
    RecordDecoder(image, result).walk();
}

void RecordDecoder::walk()
{
    const qint64 length = m_image.size();
    qint32 position = DistrictImage::kHeaderLength;
    while (position < length) {
        const RecordKind kind = recordKind(byteAt(position));
        switch (kind) {
        case RecordKind::District:
            readDistrictRecord(position);
            break;
        case RecordKind::Fitting:
            readFittingRecord(position);
            break;
        case RecordKind::Simple:
            readSimpleRecord(position);
            break;
        case RecordKind::Undefined:
            break;
        }
        const qint64 next = static_cast<qint64>(position) + recordLength(kind);
        if (next >= length)
            break;
        position = static_cast<qint32>(next);
    }
}

void RecordDecoder::keepCurrentProblem(const QString &procedure, qint32 recordPosition) noexcept
{
    keepProblem(ErrorReport::currentDescription(), procedure, recordPosition);
}

void RecordDecoder::keepProblem(const QString &description, const QString &procedure,
                                qint32 recordPosition, bool seriesFull) noexcept
{
    try {
        m_result.faults.append({ description, procedure, recordPosition });
        QList<Problem> &problems = m_result.problems;
        if (!seriesFull) {
            problems.append(describeProblem(description, recordPosition));
        } else if (m_seriesFullProblem >= 0) {
            // Every later sample is lost for the same reason: one problem counts them.
            ++problems[m_seriesFullProblem].count;
        } else {
            m_seriesFullProblem = problems.size();
            problems.append({ Problem::Kind::SeriesFull, recordPosition,
                              QStringLiteral("the district holds more than %1 entries; the "
                                             "samples from here on were dropped")
                                  .arg(SampleSeries::kCapacity) });
        }
    } catch (...) {
        // Out of memory while telling of a bad record: the decode goes on regardless.
    }
}

RecordDecoder::Problem RecordDecoder::describeProblem(const QString &description,
                                                      qint32 recordPosition) const
{
    const Problem::Kind kind
        = description == kOverflow ? Problem::Kind::Overflow : Problem::Kind::Unreadable;
    // The common case, a download or file cut inside its last record, said in words.
    const qint64 left = static_cast<qint64>(m_image.size()) - recordPosition;
    if (left <= 0)
        return { kind, recordPosition, description };
    const qint32 length = recordLength(recordKind(byteAt(recordPosition)));
    if (left >= length)
        return { kind, recordPosition, description };
    return { Problem::Kind::CutShort, recordPosition,
             QStringLiteral("the record is cut short by the end of the file (%1 of its %2 bytes)")
                 .arg(left)
                 .arg(length) };
}

qint32 RecordDecoder::intervalSeconds(int code)
{
    static constexpr qint32 kSeconds[] = { 0, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800 };
    return (code >= 1 && code <= 10) ? kSeconds[code] : 0;
}

qint32 RecordDecoder::channelType(int channelBits, quint8 modeBits)
{
    static constexpr qint32 kPressureMode[] = { 4, 5, 6, 7 };
    static constexpr qint32 kOtherModes[] = { 2, 1, 3, 3 };
    const int bits = channelBits & 0x3;
    return modeBits == 0x80 ? kPressureMode[bits] : kOtherModes[bits];
}

QChar RecordDecoder::lowNibbleChar(quint8 byte)
{
    const int n = byte & 0x0F;
    return n == 10 ? QChar(u'.') : QChar(static_cast<char16_t>(48 + n));
}

QChar RecordDecoder::highNibbleChar(quint8 byte)
{
    return lowNibbleChar(static_cast<quint8>(byte >> 4));
}

double RecordDecoder::readNumber(const QString &nibbleText)
{
    QByteArray number;
    bool point = false;
    for (const QChar c : nibbleText) {
        if (c.isDigit() && c.unicode() < 128) {
            number.append(static_cast<char>(c.unicode()));
        } else if (c == u'.' && !point) {
            point = true;
            number.append('.');
        } else {
            break;
        }
    }
    if (number.isEmpty() || number == ".")
        return 0.0;
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok ? value : 0.0;
}

quint8 RecordDecoder::byteAt(qint32 position) const
{
    return Checked::byteAt(m_image, position);
}

QString RecordDecoder::nibbleText(qint32 first, qint32 last, bool high) const
{
    QString text;
    text.reserve(last - first + 1);
    for (qint32 p = first; p <= last; ++p) {
        const quint8 b = byteAt(p);
        text.append(high ? highNibbleChar(b) : lowNibbleChar(b));
    }
    return text;
}

void RecordDecoder::readDistrictRecord(qint32 position)
{
    try {
        // Field by field: a record cut short keeps the settings read before the cut.
        DistrictSettings &s = m_result.settings;
        s.loggingInterval = loggingInterval(position);
        s.modeBits = byteAt(position + 14) & 0xC0;
        s.channelType = channelType((byteAt(position) >> 4) & 0x3, s.modeBits);
        // The meter and the transducer's offset share a field, as do the head and range.
        s.meterLitres = readNumber(nibbleText(position + 6, position + 10, false));
        s.headPulses = readNumber(nibbleText(position + 6, position + 10, true));
        s.transducerOffset = readNumber(nibbleText(position + 6, position + 10, false));
        s.transducerRange = readNumber(nibbleText(position + 7, position + 10, true));
        s.outputCode = byteAt(position + 6) >> 4;
        QString error;
        const double reference = value(position + 12, error);
        if (!error.isEmpty()) {
            keepProblem(error, EventLogNames::kDistrictRecord, position);
            return;
        }
        s.reference = reference;
    } catch (...) {
        keepCurrentProblem(EventLogNames::kDistrictRecord, position);
    }
}

void RecordDecoder::readFittingRecord(qint32 position)
{
    try {
        // Bytes 0 to 13 are read; a record cut short before them adds nothing.
        requireBytes(position, kFittingRecordLength - 1);
        SampleSeries &s = m_result.series;
        s.currentFitting = nibbleText(position + 1, position + 5, false);
        appendSample(position + 6, position);
        s.fittingSamples.push_back(s.sampleCount - 1);
        s.fittingNumbers.push_back(s.currentFitting);
        ++s.fittingCount;
    } catch (...) {
        keepCurrentProblem(EventLogNames::kFittingRecord, position);
    }
}

void RecordDecoder::readSimpleRecord(qint32 position)
{
    try {
        // Bytes 0 to 8 are read; a record cut short before them adds nothing.
        requireBytes(position, kSimpleRecordLength - 1);
        appendSample(position + 1, position);
    } catch (...) {
        keepCurrentProblem(EventLogNames::kSimpleRecord, position);
    }
}

// Whole seconds since the origin of a time stamp: hour, minute, second, day, month, year.
qint64 RecordDecoder::sampleSeconds(const quint8 *b)
{
    DayCache &c = m_dayCache;
    if (b[5] != c.year || b[4] != c.month || b[3] != c.day) {
        c.number = DateTime::dayNumber(b[5], b[4], b[3]);
        c.year = b[5];
        c.month = b[4];
        c.day = b[3];
    }
    return c.number * DateTime::kSecondsPerDay + b[0] * 3600 + b[1] * 60 + b[2];
}

void RecordDecoder::appendSample(qint32 position, qint32 recordPosition)
{
    try {
        // Time stamp and value: 8 bytes, checked once as a block.
        requireBytes(position, 8);
        const auto *b = reinterpret_cast<const quint8 *>(m_image.constData()) + position;
        const qint64 seconds = sampleSeconds(b);
        const double t = DateTime::fromWholeSeconds(seconds);
        QString error;
        const double v = value(position + 6, error);
        if (!error.isEmpty()) {
            keepProblem(error, EventLogNames::kSample, recordPosition);
            return;
        }

        SampleSeries &s = m_result.series;
        qint32 n = s.sampleCount;
        if (n == 0) {
            s.times[0] = t;
            s.values[0] = v;
            s.gapMarkers[0] = 0;
            s.sampleFittings[0] = s.currentFitting;
            s.firstTime = s.lastTime = t;
            s.minValue = s.maxValue = v;
        } else {
            // A hole: the sample is more than 2 s later than one interval after the last.
            const qint64 expected = seconds - m_result.settings.loggingInterval;
            const bool gap = expected - m_lastSampleSeconds > 2;
            // Gap marker and sample must both fit, or nothing is added.
            if (n + (gap ? 1 : 0) >= SampleSeries::kCapacity) {
                keepProblem(kSeriesFull, EventLogNames::kSample, recordPosition, true);
                return;
            }
            if (gap) {
                const auto g = static_cast<size_t>(n);
                s.times[g] = DateTime::fromWholeSeconds(expected);
                s.values[g] = 0.0;
                s.gapMarkers[g] = 1;
                s.sampleFittings[g] = s.currentFitting;
                ++n;
            }
            const auto i = static_cast<size_t>(n);
            s.times[i] = t;
            s.values[i] = v;
            s.gapMarkers[i] = 0;
            s.sampleFittings[i] = s.currentFitting;
            if (t > s.lastTime)
                s.lastTime = t;
            if (t < s.firstTime)
                s.firstTime = t;
            if (v > s.maxValue)
                s.maxValue = v;
            if (v < s.minValue)
                s.minValue = v;
        }
        m_lastSampleSeconds = seconds;
        s.sampleCount = n + 1;
    } catch (...) {
        keepCurrentProblem(EventLogNames::kSample, recordPosition);
    }
}

qint16 RecordDecoder::loggingInterval(qint32 position)
{
    qint16 seconds = 0;
    try {
        seconds = Checked::toInt16(intervalSeconds(byteAt(position) & 0x0F));
    } catch (...) {
        keepCurrentProblem(EventLogNames::kLoggingInterval, position);
    }
    return seconds;
}

double RecordDecoder::value(qint32 position, QString &error) const
{
    requireBytes(position, 2);
    const quint8 high = static_cast<quint8>(m_image.at(position));
    const quint8 low = static_cast<quint8>(m_image.at(position + 1));
    if (high == 0 && low == 0)
        return 0.0;
    if (high >= 128) {
        error = kOverflow; // the raw value is a signed 16-bit quantity
        return 0.0;
    }
    const double R = high * 256.0 + low;
    const DistrictSettings &s = m_result.settings;
    const double I = s.loggingInterval;
    const double A = s.meterLitres;
    const double B = s.headPulses;
    const double C = s.transducerOffset;
    const double D = s.transducerRange;
    // Worked out left to right: the first division that fails is the error told.
    QString &e = error;
    if (s.channelType < 4) {
        if (s.modeBits == 0xC0) {
            const double rate = divide(R, I, e) - 200.0;
            return rate * divide(A, B, e);
        }
        if (s.loggingInterval > 30)
            return divide(divide(A, B, e) * R, I, e);
        return divide(divide(A, B, e) * 1000.0, R, e);
    }
    if (s.outputCode == 1)
        return divide(divide((R - I * C) * D, I, e), 800.0, e);
    return divide(divide(B * R, I, e), 1000.0, e);
}
