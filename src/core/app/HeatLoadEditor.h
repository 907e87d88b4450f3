#pragma once
// The rules of the heat-load pages: the room dialog's table of elements and the
// project options' table of constructions, read from their cell texts with the
// ranges of typed input (a refusal names the row and the column and says what is
// allowed), and the breakdown the room's page shows.
#include <string>
#include <vector>

#include "building/HeatLoad.h"
#include "document/HeatLoadData.h"

namespace kalorina {

class TRoomItem;

// One row of the elements table as typed.  Empty optional cells leave the value
// out: b_u and the temperature behind, the element's own thermal-bridge supplement.
struct ElementRowTexts {
    std::string name;
    int type = 0;
    std::string area, u;
    std::string construction; // empty: the element's own U
    int boundary = 0;
    std::string bu, temperature, thermalBridge;
};

// Column captions of the elements table, as the refusals name them (code page 1250).
struct ElementColumns {
    std::string area = "A", u = "U", bu = "b_u", temperature = "t", thermalBridge = "dU_TB";
    std::string row = "row"; // "row 2: U: ..."
};

// A stored number as the engineer typed it: the shortest text that reads back to
// the same single, in the user's decimal sign.
std::string TypedFloat(float value);

ElementRowTexts RowTextsOf(const HeatElement& e);
// Raises a KalorinaError naming the row and column.  A row on a construction the
// project has takes its U; an unheated space needs b_u or its temperature, a heated
// one its temperature.
HeatElement ReadElementRow(const ElementRowTexts& row, int rowNumber, const ProjectHeatLoad& climate,
                           const ElementColumns& columns = {});

// The factor, H and watts of an element as the table shows them.
struct ElementResultTexts {
    std::string u, factor, h, watts;
};
ElementResultTexts ResultTextsOf(const ElementLoad& load);

// The room page's breakdown, one line each (code page 1250).
struct HeatLoadBreakdown {
    std::string transmission, air, heatingUp, total;
    double rounded = 0; // the load in whole watts
};
HeatLoadBreakdown BreakdownOf(const RoomLoad& load);

// A construction row: its layers typed as "d/λ; d/λ ..." in metres and W/mK.
std::string LayersText(const Construction& c);
Construction ReadConstructionRow(const std::string& name, const std::string& uText, const std::string& layersText,
                                 HeatFlow flow, bool outsideSurface, int rowNumber);

// Raises the refusal of an outdoor temperature not below the inside temperature of
// every room with data of its building, naming `field` and the room.
void CheckOutdoorBelowRooms(double outdoor, const std::vector<TRoomItem>& rooms, const std::string& field);

} // namespace kalorina
