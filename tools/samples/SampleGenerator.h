#pragma once

#include "records/RecordEncoder.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Makes realistic logger data: a district's readings at a fixed interval over several
// days, following a water network's day (low at night, peaks in the morning and
// evening), with fittings and holes where asked.
class SampleGenerator
{
public:
    struct Fitting
    {
        int atSample; // the record that is logged as a fitting record
        QString number;
    };

    struct Hole
    {
        int fromSample; // first record that is not logged
        int samples; // how many are missing
    };

    struct District
    {
        RecordEncoder::District record;
        RecordEncoder::Time start;
        int days = 5;
        bool pressure = false;
        double mean = 12.0; // l/s or bar
        double swing = 0.55; // relative size of the daily cycle
        double noise = 0.04; // relative random noise
        double referenceValue = 12.0;
        QList<Fitting> fittings;
        QList<Hole> holes;
        quint32 seed = 1;
    };

    // The three bundled districts (documented in samples/README.md).
    static District flowDistrict();
    static District pressureDistrict();
    static District secondFlowDistrict();

    // The records of one district, starting with its district record.
    static QByteArray records(const District &d);

    // The demand profile: 1.0 on average over a day, hour in 0..24.
    static double dailyProfile(double hour);

    // Raw reading that decodes to `value` for the district's settings.
    static quint16 rawFor(const District &d, double value);

private:
    static int intervalSeconds(const District &d);
};
