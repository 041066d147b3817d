#pragma once

#include <QString>

class District;
class NamedFormats;
class StringTable;

// The statistics of a district in the display unit: its header texts, its meter or
// transducer, its logging interval and extremes, each with caption and unit, and the
// heading over its table. Worked out here once; the statistics dialog shows it, and Copy
// Text, Print Table and the batch tool's report print it above the rows.
struct DistrictSummary
{
    // A figure's caption, its value as the dialog shows it and as the reports print it (which
    // give the meter's constants and the interval two decimals), and its unit.
    struct Figure
    {
        QString label;
        QString shown;
        QString printed;
        QString units;
    };

    QString caption; // "Statistics for district '12345'"
    QString titleLabel;
    QString comments1Label;
    QString comments2Label;
    QString title;
    QString comments1;
    QString comments2;
    // Flow: the meter's head (pulses per revolution) and litres per revolution. Pressure: the
    // transducer's output (such as "4-20" mA) and its range in the display unit.
    Figure head;
    Figure meter;
    Figure loggingInterval; // in seconds below a minute, else in minutes
    Figure maximum;
    Figure minimum;
    Figure reference;
    QString heading; // the column heading over the table rows
    double factor = 1.0; // a base value times this is the displayed one

    // `unitText` names the display unit, whose factor is `factor`.
    static DistrictSummary of(const District &district, double factor, const QString &unitText,
                              const StringTable &strings, const NamedFormats &formats);
};
