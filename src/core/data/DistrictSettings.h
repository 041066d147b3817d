#pragma once

#include <QtGlobal>

// The logging settings of the last district record walked; they stay until the next.
struct DistrictSettings
{
    qint32 loggingInterval = 0; // seconds between samples
    qint32 channelType = 0; // 1 to 3 flow, 4 to 7 pressure
    quint8 modeBits = 0; // byte 14 & 0xC0
    qint32 outputCode = 0; // 1 = 4-20 mA, 2 = 0-1 V, 3 = 0-2 V
    double meterLitres = 0.0; // litres per revolution of the meter
    double headPulses = 0.0; // pulses per revolution of the head
    double transducerOffset = 0.0;
    double transducerRange = 0.0; // full-scale pressure, bar
    double reference = 0.0;

    bool isPressure() const { return channelType >= 4; }
    // The unit a district is shown in when it is loaded: 1 (l/s) or 4 (bar).
    qint16 unitCode() const { return isPressure() ? 4 : 1; }
};
