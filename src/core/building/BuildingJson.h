#pragma once
// The heat-load data of a project as JSON, the form in which other tools hand a
// building to us and take it back:
//   {"outdoorTemperature", "annualMeanOutdoorTemperature", "n50",
//    "shielding": "none"|"moderate"|"heavy", "groundwaterShallow", "thermalBridge",
//    "constructions": [{"name", "u" | "layers": [{"name", "thickness", "conductivity"}],
//                       "flow": "horizontal"|"upward"|"downward", "outsideSurface"}],
//    "rooms": [{"room", "height", "minAirChange", "exposedFacades": 0|1|2,
//               "heightAboveGround", "heatingUp", "manual",
//               "elements": [{"name", "type", "area", "u", "construction",
//                             "boundary": "outside"|"ground"|"unheated"|"heated",
//                             "bu", "temperature", "thermalBridge"}]}]}
// Texts are UTF-8 in the JSON and code page 1250 in the project.
#include <string>

#include "document/HeatLoadData.h"

namespace kalorina {

class TProject;

// The project's heat-load data (UTF-8 JSON), the rooms with data in project order.
std::string ExportBuilding(const TProject& project);

// Reads `json` into the project: the climate values it names replace the
// project's, a list of constructions replaces the project's, and each room it
// lists (matched by name) takes the data given, defaults for what is left out.
// Rooms it does not list keep theirs.  Then every room computed from its building
// takes its load.  Raises a KalorinaError naming the place and what is allowed on
// the first fault (text no JSON, an unknown room or key, a value out of its range,
// an outdoor temperature not below a room's inside temperature), and then leaves
// the project as it was.
void ImportBuilding(TProject& project, const std::string& json);

// The names the JSON gives the enumerations.
const char* ShieldingName(Shielding s);
const char* ElementTypeName(ElementType t);
const char* BoundaryName(Boundary b);
const char* HeatFlowName(HeatFlow f);

// The room whose inside temperature the design outdoor temperature `outdoor` does
// not lie below, or nullptr.
const class TRoomItem* RoomNotAboveOutdoor(const TProject& project, double outdoor);

} // namespace kalorina
