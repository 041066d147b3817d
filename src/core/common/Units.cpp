#include "Units.h"

#include "StringTable.h"
#include "UnitTable.h"

Units::Change Units::SetUnits(qint16 code, const StringTable &strings)
{
    Change change;
    QString unitText;
    if (UnitTable::isValid(code)) {
        change.entries[static_cast<size_t>(code - 1)].checked = true;
        unitText = strings.text(UnitTable::unitTextId(code));
        dblFlowScaleFactor = UnitTable::factor(code);
    }

    // Only units of the quantity in force can be chosen.
    int first = 0;
    int last = -1;
    if (UnitTable::isPressure(code)) {
        first = 4;
        last = UnitTable::kLastCode;
    } else if (code > 0) {
        first = UnitTable::kFirstCode;
        last = 3;
    }
    for (int c = first; c <= last; ++c)
        change.entries[static_cast<size_t>(c - 1)].enabled = true;

    if (code > 0) {
        change.applied = true;
        change.unitText = unitText;
        change.lblFlowCaption = strings.text(UnitTable::quantityTextId(code)) + QStringLiteral(" (")
            + unitText + u')';
    }
    return change;
}
