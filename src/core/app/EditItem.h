#pragma once
// Editing a room or circuit of the project through its dialog, and handing a part
// of a room field to a circuit through the area question.
#include <cstdint>
#include <functional>
#include <string>

#include "document/FloorHeatingRoundField.h"
#include "document/TProject.h"

namespace kalorina {

// The dialogs, each run modally on a copy; true when it ended with OK.  A dialog
// that does not exist yet is left empty.
struct ItemDialogs {
    std::function<bool(TRoomItem&)> room;
    std::function<bool(TRoundItem&)> round;
};

// Runs the item's dialog on a copy; only on OK is the copy put back and the project
// marked modified.  Either way the parts of room fields built into circuits are
// counted again (a room dialog may have removed a field a circuit used).  True when
// the item was changed.
bool EditItem(TProject& project, int index, bool isRoom, const ItemDialogs& dialogs);

// Asks for the area a new circuit part takes: the part with its proposal filled in
// and the maximum; true on OK (the answer is then in part.assignedPart).
using AreaQuestion = std::function<bool(FloorHeatingRoundField& part, double maximum)>;

// Makes `part` refer to the free area of `field` of the room, proposes that area
// and lets `ask` narrow it down; true when the user confirmed.
bool AssignField(FloorHeatingRoundField& part, std::int32_t roomId, const std::string& roomName,
                 const FloorHeatingField& field, const AreaQuestion& ask);

} // namespace kalorina
