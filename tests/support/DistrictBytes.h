#pragma once

#include "records/RecordEncoder.h"

// A district record numbered `number` with the encoder's other settings (a reading every
// 900 s), then `readings` simple records of `raw` that far apart from 1 January 2026.
inline QByteArray district(const QString &number, int readings = 0, quint16 raw = 600)
{
    RecordEncoder::District d;
    d.number = number;
    QByteArray bytes = RecordEncoder::district(d);
    RecordEncoder::Time t;
    for (int i = 0; i < readings; ++i, t = RecordEncoder::addSeconds(t, 900))
        bytes += RecordEncoder::simple(t, raw);
    return bytes;
}
