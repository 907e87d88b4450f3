#pragma once
// Editing a room or circuit of the project through its dialog, and handing a part
// of a room field to a circuit through the area question.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "document/FloorHeatingRoundField.h"
#include "document/TProject.h"

namespace kalorina {

class TDevices;

// What the circuit dialog hands back on OK: the edited circuit and the project's
// rooms as the dialog left them ("Átszámít" splits room fields and sets their
// temperatures, in the dialog's own copy of the rooms).
struct CircuitEdit {
    TRoundItem round;
    std::vector<TRoomItem> rooms;
};

// The dialogs, each run modally on a copy; true when it ended with OK.  A dialog
// that does not exist yet is left empty.
struct ItemDialogs {
    std::function<bool(TRoomItem&)> room;
    std::function<bool(CircuitEdit&)> round;
};

// Runs the item's dialog on a copy; only on OK with a copy that differs from the
// item is the copy applied (ApplyRoomEdit, ApplyCircuitEdit) and the project marked
// modified.  Either way the parts of room
// fields built into circuits are counted again.  True when the item was changed;
// the failures of circuits recalculated on the way go to `failures`.
bool EditItem(TProject& project, const TDevices& devices, int index, bool isRoom, const ItemDialogs& dialogs,
              std::vector<std::string>* failures = nullptr);

// The edited room takes the place of room `index`; the circuits' parts of fields it
// no longer has are removed, and every circuit with a part in the room, or that lost
// one, is recalculated to follow it.  The failures of those recalculations, one
// "circuit: text" each.
std::vector<std::string> ApplyRoomEdit(TProject& project, const TDevices& devices, int index, TRoomItem room);

// OK of the circuit dialog as one step: the edited circuit takes the place of
// circuit `index` and the dialog's rooms those of the project; every other circuit
// with a part in a room that changed is recalculated, since its share of a split
// or recomputed field changed with it.  The failures as ApplyRoomEdit.
std::vector<std::string> ApplyCircuitEdit(TProject& project, const TDevices& devices, int index, CircuitEdit edit);

// Asks for the area a new circuit part takes: the part with its proposal filled in
// and the maximum; true on OK (the answer is then in part.assignedPart).
using AreaQuestion = std::function<bool(FloorHeatingRoundField& part, double maximum)>;

// Makes `part` refer to the free area of `field` of the room, proposes that area
// and lets `ask` narrow it down; true when the user confirmed.
bool AssignField(FloorHeatingRoundField& part, std::int32_t roomId, const std::string& roomName,
                 const FloorHeatingField& field, const AreaQuestion& ask);

} // namespace kalorina
