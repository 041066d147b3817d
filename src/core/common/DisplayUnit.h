#pragma once

#include <QString>

#include <array>

// The unit that readings are shown in. Each value is the unit's stored code, the number
// the Units menu and the program's files have always used for it: flow 1 to 3, pressure
// 4 to 7, and 0 before any data.
enum class DisplayUnit : qint16 {
    None = 0,
    LitresPerSecond = 1,
    CubicMetresPerHour = 2,
    KilogallonsPerHour = 3,
    Bar = 4,
    Psi = 5,
    MetresHead = 6,
    FeetHead = 7,
};

// What each unit is, from one table: a base value (l/s or bar) times the unit's factor is
// the value shown, and its captions are string ids of the string table.
namespace DisplayUnits {

// Every unit, in the order of its code and of the Units menu.
inline constexpr std::array<DisplayUnit, 7> kAll = { DisplayUnit::LitresPerSecond,
                                                     DisplayUnit::CubicMetresPerHour,
                                                     DisplayUnit::KilogallonsPerHour,
                                                     DisplayUnit::Bar,
                                                     DisplayUnit::Psi,
                                                     DisplayUnit::MetresHead,
                                                     DisplayUnit::FeetHead };

// The unit of a stored code; None for 0 and for any code outside 1 to 7.
DisplayUnit fromCode(int code);
qint16 code(DisplayUnit unit);

bool isPressure(DisplayUnit unit);
// 1.0 for None.
double factor(DisplayUnit unit);
// The string ids of the unit ("l/s", "m3/h", ...), of its Units menu entry and of its
// quantity ("Flow" or "Press"); the first two are 0 for None, whose quantity is flow.
int unitTextId(DisplayUnit unit);
int menuCaptionId(DisplayUnit unit);
int quantityTextId(DisplayUnit unit);

// The unit of a short name as typed on a command line: l/s, m3/h, kgal/h, bar, psi, mhd,
// fthd, in any case and with blanks around it; None when unknown.
DisplayUnit fromShortName(const QString &name);

} // namespace DisplayUnits
