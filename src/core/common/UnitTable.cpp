#include "UnitTable.h"

#include <array>

namespace {

struct Unit
{
    double factor;
    int textId;
    int menuId;
    const char *name;
};

constexpr std::array<Unit, 7> kUnits = { {
    { 1.0, 40010, 20410, "l/s" },
    { 3.6, 40020, 20420, "m3/h" },
    { 0.792, 40030, 20430, "kgal/h" },
    { 1.0, 40060, 20440, "bar" },
    { 14.5, 40070, 20450, "psi" },
    { 10.2, 40080, 20460, "mhd" },
    { 33.44, 40090, 20470, "fthd" },
} };

} // namespace

double UnitTable::factor(int code)
{
    return isValid(code) ? kUnits[static_cast<size_t>(code - 1)].factor : 1.0;
}

int UnitTable::unitTextId(int code)
{
    return isValid(code) ? kUnits[static_cast<size_t>(code - 1)].textId : 0;
}

int UnitTable::menuCaptionId(int code)
{
    return isValid(code) ? kUnits[static_cast<size_t>(code - 1)].menuId : 0;
}

int UnitTable::quantityTextId(int code)
{
    return isPressure(code) ? 40050 : 40000;
}

int UnitTable::codeForName(const QString &name)
{
    const QString wanted = name.trimmed().toLower();
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        if (wanted == QLatin1String(kUnits[static_cast<size_t>(code - 1)].name))
            return code;
    }
    return 0;
}

QString UnitTable::shortName(int code)
{
    return isValid(code) ? QString::fromLatin1(kUnits[static_cast<size_t>(code - 1)].name)
                         : QString();
}
