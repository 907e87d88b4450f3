#pragma once
// The edits the plan view's tools end in, each a change of the project that
// either holds whole or raises a KalorinaError (the outline that would cross itself
// or overlap a neighbour, the corner a room cannot lose) and changes nothing.  The
// caller runs them inside one step of the project's history.
#include <cstdint>
#include <string>

#include <vector>

#include "document/HeatLoadData.h"
#include "plan/PlanData.h"

namespace kalorina {

class TProject;

// The text id of why an outline is none ("IDS_PLANFAULT+N").
const char* OutlineFaultTextId(plan::OutlineFault fault);

// The floor a plan's first edit draws on: "Földszint" when the plan has none.
int EnsureFloor(TProject& project);

// A new room with `outline` on `floor`: named "Helyiség N", with the project
// options' room temperature and the outline's area.  Answers its name.
std::string DrawRoom(TProject& project, int floor, plan::Polygon outline);
// Gives an existing room the outline (it may have had none).
void SetOutline(TProject& project, std::int32_t roomId, int floor, plan::Polygon outline);
void MoveCorner(TProject& project, std::int32_t roomId, int corner, plan::Point to);
void DeleteCorner(TProject& project, std::int32_t roomId, int corner);
// A door of `width` on the wall of the room nearest to `near`, centred where `near`
// meets it, to the room beyond that wall or to the outside.
void PlaceDoor(TProject& project, std::int32_t roomId, plan::Point near, double width = 0.9);
void PlaceManifold(TProject& project, int manifold, int floor, plan::Point at);

// The walls of a drawn room from its outline: each stretch of its edges another
// room on the floor shares becomes a wall to a heated space at that room's inside
// temperature, the rest outside walls (named by the edge's number), each edge
// length × `clearHeight`.  The windows and doors among `current` stay and are taken
// off their wall where their name begins with its number ("2: ablak"), else off the
// outside walls in order; outside walls take the U (or construction) of the first outside wall of
// `current`, else 0.24 W/m2K, walls inside 1.5 W/m2K.  Empty for a room without an
// outline.
std::vector<HeatElement> ElementsFromPlan(const TProject& project, std::int32_t roomId, double clearHeight,
                                          const std::vector<HeatElement>& current);

// The room whose outline on `floor` holds `p`, or 0.
std::int32_t RoomAt(const TProject& project, int floor, plan::Point p);

} // namespace kalorina
