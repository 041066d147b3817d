#include "Units.h"

#include "StringTable.h"

Units::Change Units::changeTo(DisplayUnit unit, const StringTable &strings)
{
    Change change;
    if (unit == DisplayUnit::None)
        return change;
    const QString unitText = strings.text(DisplayUnits::unitTextId(unit));
    for (size_t i = 0; i < DisplayUnits::kAll.size(); ++i) {
        const DisplayUnit entry = DisplayUnits::kAll[i];
        change.entries[i].checked = entry == unit;
        // Only units of the quantity in force can be chosen.
        change.entries[i].enabled
            = DisplayUnits::isPressure(entry) == DisplayUnits::isPressure(unit);
    }
    change.applied = true;
    change.unitText = unitText;
    change.valueAxisCaption
        = strings.text(DisplayUnits::quantityTextId(unit)) + QStringLiteral(" (") + unitText + u')';
    return change;
}
