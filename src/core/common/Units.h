#pragma once

#include "DisplayUnit.h"

#include <QString>

#include <array>

class StringTable;

// What the Units menu and the unit captions show while a display unit is in force.
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
        // True for a unit other than None: the captions below are to be shown, the graph
        // reset to its full view and the statistics recomputed.
        bool applied = false;
        QString valueAxisCaption; // "Flow (l/s)"
        QString unitText; // "l/s", for the statistics dialog's unit labels
    };

    static Change changeTo(DisplayUnit unit, const StringTable &strings);
};
