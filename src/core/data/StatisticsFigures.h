#pragma once

#include <QString>
#include <QtGlobal>

class District;
class NamedFormats;
class StringTable;

// The texts of the statistics dialog for the district loaded, in the display unit: all it
// shows except the rows of its table.
struct StatisticsFigures
{
    // Rows in the dialog's window onto the table.
    static constexpr qint32 kTableRows = 10;

    QString caption; // "Statistics for district '12345'"
    QString title;
    QString comments1;
    QString comments2;
    QString headLabel;
    QString head;
    QString headUnits;
    QString meterLabel;
    QString meter;
    QString meterUnits;
    QString loggingInt;
    QString loggingIntUnits;
    QString max;
    QString min;
    QString refFlow;
    QString heading; // the column heading over the table rows
    qint32 scrollMax = 0; // the last first row of the ten-row window

    // `unitText` is the display unit's name, shown after the maximum; a base value times
    // `dblFlowScaleFactor` is the displayed one.
    static StatisticsFigures compute(const District &district, double dblFlowScaleFactor,
                                     const QString &unitText, const StringTable &strings,
                                     const NamedFormats &formats);
};
