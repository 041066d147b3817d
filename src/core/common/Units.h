#pragma once

#include <QString>

#include <array>

class StringTable;

// The display unit: the code intUnits (0 before any data, 1 to 3 flow, 4 to 7 pressure)
// and the factor that turns a base value into the displayed one. SetUnits works out
// what the Units menu and the unit captions show; the main window applies it.
class Units
{
public:
    struct Entry
    {
        bool checked = false;
        bool enabled = false;
    };

    struct Change
    {
        // Units menu entries in menu order (code 1 first).
        std::array<Entry, 7> entries;
        // True for a code above 0: the captions below are to be shown, the graph reset
        // to its full view and the statistics recomputed.
        bool applied = false;
        QString lblFlowCaption; // "Flow (l/s)"
        QString unitText; // "l/s", for the statistics dialog's unit labels
    };

    Change SetUnits(qint16 code, const StringTable &strings);

    // Written by the decoding of data and by the Units menu; read by the cursor
    // read-out.
    qint16 intUnits = 0;
    // Base value x factor = displayed value; 1.0 until a unit is applied.
    double dblFlowScaleFactor = 1.0;
};
