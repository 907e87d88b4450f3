#pragma once
// The rows of the field lists and of the spacing choice list, cell by cell as the
// list's column format asks for them, and what a new field starts with.
#include <string>
#include <vector>

#include "calc/CellFormat.h"
#include "calc/FloorHeatingField.h"
#include "catalogue/SpacingRowResult.h"
#include "document/TProjektOptions.h"
#include "document/TRoomItem.h"
#include "listview/TListHeaderFormat.h"

namespace kalorina {

using RowCells = std::vector<std::string>;

// Numbers of a column as its format writes them: integers rounded, reals in the
// column's real format, zeros as "-" where the column says so.
CellNumberFormat CellFormatOf(const TListHeaderFormatCol& column);

// A field's row: one cell per visible column in display order.
RowCells FillListRow(const FloorHeatingField& field, const TListHeaderFormat& format);
// A spacing's row of the choice list; the surface temperature is red above the
// limit of `zoneType`.
RowCells FillChooseRow(const SpacingRowResult& row, int zoneType, const TListHeaderFormat& format);

struct FieldListRow {
    RowCells cells;
    int fieldId = -1;
};
// The room's fields in order; with `onlyUnassigned`, only those with area still free.
std::vector<FieldListRow> FillFieldList(const TRoomItem& room, const TListHeaderFormat& format, bool onlyUnassigned);
// The totals row under a room's field list.
FloorHeatingField RoomTotalsField(const TRoomItem& room);

// A field before it is set up: no zone, no number, the project's water temperatures.
FloorHeatingField NewField(const TProjektOptions& options);

} // namespace kalorina
