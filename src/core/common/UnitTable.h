#pragma once

#include <QString>

// The seven display units: code 1 to 3 flow, 4 to 7 pressure. A base value (l/s or
// bar) times the unit's factor is the displayed value.
class UnitTable
{
public:
    static constexpr int kFirstCode = 1;
    static constexpr int kLastCode = 7;

    static bool isValid(int code) { return code >= kFirstCode && code <= kLastCode; }
    static bool isPressure(int code) { return code >= 4; }
    static double factor(int code); // 1.0 outside 1 to 7
    static int unitTextId(int code); // string id of "l/s", "m3/h", ...; 0 outside
    static int menuCaptionId(int code); // string id of the Units menu entry
    static int quantityTextId(int code); // "Flow" (40000) or "Press" (40050)
    // The unit code for a short name as typed on a command line: l/s, m3/h, kgal/h, bar,
    // psi, mhd, fthd (any case); 0 when unknown.
    static int codeForName(const QString &name);
    static QString shortName(int code);
};
