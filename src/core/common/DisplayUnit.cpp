#include "DisplayUnit.h"

namespace {

struct UnitRow
{
    DisplayUnit unit;
    double factor;
    int textId;
    int menuId;
    bool pressure;
    const char *shortName;
};

// Row i holds the unit of code i + 1.
constexpr std::array<UnitRow, 7> kTable = { {
    { DisplayUnit::LitresPerSecond, 1.0, 40010, 20410, false, "l/s" },
    { DisplayUnit::CubicMetresPerHour, 3.6, 40020, 20420, false, "m3/h" },
    { DisplayUnit::KilogallonsPerHour, 0.792, 40030, 20430, false, "kgal/h" },
    { DisplayUnit::Bar, 1.0, 40060, 20440, true, "bar" },
    { DisplayUnit::Psi, 14.5, 40070, 20450, true, "psi" },
    { DisplayUnit::MetresHead, 10.2, 40080, 20460, true, "mhd" },
    { DisplayUnit::FeetHead, 33.44, 40090, 20470, true, "fthd" },
} };

constexpr int kFlowTextId = 40000;
constexpr int kPressureTextId = 40050;

const UnitRow *rowOf(DisplayUnit unit)
{
    const int code = DisplayUnits::code(unit);
    return code >= 1 && code <= static_cast<int>(kTable.size())
        ? &kTable[static_cast<size_t>(code - 1)]
        : nullptr;
}

} // namespace

DisplayUnit DisplayUnits::fromCode(int code)
{
    return code >= 1 && code <= static_cast<int>(kTable.size())
        ? kTable[static_cast<size_t>(code - 1)].unit
        : DisplayUnit::None;
}

qint16 DisplayUnits::code(DisplayUnit unit)
{
    return static_cast<qint16>(unit);
}

bool DisplayUnits::isPressure(DisplayUnit unit)
{
    const UnitRow *row = rowOf(unit);
    return row && row->pressure;
}

double DisplayUnits::factor(DisplayUnit unit)
{
    const UnitRow *row = rowOf(unit);
    return row ? row->factor : 1.0;
}

int DisplayUnits::unitTextId(DisplayUnit unit)
{
    const UnitRow *row = rowOf(unit);
    return row ? row->textId : 0;
}

int DisplayUnits::menuCaptionId(DisplayUnit unit)
{
    const UnitRow *row = rowOf(unit);
    return row ? row->menuId : 0;
}

int DisplayUnits::quantityTextId(DisplayUnit unit)
{
    return isPressure(unit) ? kPressureTextId : kFlowTextId;
}

DisplayUnit DisplayUnits::fromShortName(const QString &name)
{
    const QString wanted = name.trimmed().toLower();
    for (const UnitRow &row : kTable) {
        if (wanted == QLatin1String(row.shortName))
            return row.unit;
    }
    return DisplayUnit::None;
}
