#include "app/FieldRows.h"

#include <cmath>

#include "catalogue/FloorHeatDBItem.h"

namespace kalorina {

CellNumberFormat CellFormatOf(const TListHeaderFormatCol& column)
{
    return [&column](double value) -> std::string {
        switch (column.valueKind) {
        case TValueKind::Integer:
            return column.FormatInteger(std::llround(value));
        case TValueKind::Real:
            return column.FormatReal(value);
        default:
            return FloatToStrF(value, TFloatFormat::General, 15, 0);
        }
    };
}

RowCells FillListRow(const FloorHeatingField& field, const TListHeaderFormat& format)
{
    RowCells cells;
    for (const TListHeaderFormatCol* col : format.VisibleColumns())
        cells.push_back(field.CellText(col->columnId, CellFormatOf(*col)));
    return cells;
}

RowCells FillChooseRow(const SpacingRowResult& row, int zoneType, const TListHeaderFormat& format)
{
    RowCells cells;
    for (const TListHeaderFormatCol* col : format.VisibleColumns())
        cells.push_back(FloorHeatDBItem::ChooseRowCellText(col->columnId, row, zoneType, CellFormatOf(*col)));
    return cells;
}

std::vector<FieldListRow> FillFieldList(const TRoomItem& room, const TListHeaderFormat& format, bool onlyUnassigned)
{
    std::vector<FieldListRow> rows;
    for (const FloorHeatingField& field : room.fields) {
        if (onlyUnassigned && field.LeftoverArea() <= 0)
            continue;
        rows.push_back({FillListRow(field, format), field.fieldId});
    }
    return rows;
}

FloorHeatingField RoomTotalsField(const TRoomItem& room)
{
    FloorHeatingField sum;
    sum.SetUpSum(room.FieldAreaSum(), room.AssignedAreaSum(), room.FieldPowerSum(), room.FieldDownPowerSum(),
                 room.EstimatedTubeLength());
    return sum;
}

FloorHeatingField NewField(const TProjektOptions& options)
{
    return FloorHeatingField(options.medium.forward, options.medium.return_);
}

} // namespace kalorina
