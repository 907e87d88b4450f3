#pragma once
// Circuits take parts of room fields by the room's and the field's identifier.  What
// removing a room or a field does to the circuits that use it, and the references a
// file already holds that point nowhere.
#include <cstdint>
#include <string>
#include <vector>

#include "document/TProject.h"

namespace kalorina {

class TDevices;

// The names of the circuits with a part of room `roomId`'s fields, each once and in
// list order; with `fieldIds`, only of those fields.
std::vector<std::string> RoundsUsingRoom(const TProject& project, std::int32_t roomId,
                                         const std::vector<int>* fieldIds = nullptr);

// The identifiers of the fields of `stored` that `edited` no longer has.
std::vector<int> RemovedFieldIds(const TRoomItem& stored, const TRoomItem& edited);

// Removes from every circuit its parts of room `roomId` (with `fieldIds`, only of
// those fields), then recalculates every circuit that lost a part or still has one
// in that room, so that nothing of a removed field stays behind and the rest follows
// the room as it is now.  The failures of those recalculations, one
// "circuit: text" each.
std::vector<std::string> RemoveRoomParts(TProject& project, const TDevices& devices, std::int32_t roomId,
                                         const std::vector<int>* fieldIds = nullptr);

// Deletes room `index` together with the circuits' parts of its fields and
// recalculates those circuits; the failures as RemoveRoomParts.
std::vector<std::string> DeleteRoomWithParts(TProject& project, const TDevices& devices, int index);

// Every part whose room or field does not exist (after a recount), one line each:
// the circuit, the room's name as last known and the field's number.
std::vector<std::string> BrokenReferences(TProject& project);

// Recalculates the circuit; a failure goes into `failures` as "circuit: text".
void RecalculateNoting(TRoundItem& round, const TProject& project, const TDevices& devices,
                       std::vector<std::string>& failures);

// The names joined by ", " for a question.
std::string NameList(const std::vector<std::string>& names);

} // namespace kalorina
