#include "app/EditItem.h"

#include <algorithm>
#include <exception>
#include <set>

#include "app/ItemReferences.h"

namespace kalorina {

bool EditItem(TProject& project, const TDevices& devices, int index, bool isRoom, const ItemDialogs& dialogs,
              std::vector<std::string>* failures)
{
    bool changed = false;
    std::vector<std::string> failed;
    if (index >= 0 && index < project.ItemCount(isRoom)) {
        if (isRoom && dialogs.room) {
            TRoomItem copy = project.rooms[index];
            // OK on what is as it was changes nothing: the circuits that use the
            // room are not recalculated either, which could move their stored results.
            if (dialogs.room(copy) && !(copy == project.rooms[index])) {
                failed = ApplyRoomEdit(project, devices, index, std::move(copy));
                changed = true;
            }
        } else if (!isRoom && dialogs.round) {
            CircuitEdit edit{project.rounds[index], project.rooms};
            if (dialogs.round(edit) && !(edit.round == project.rounds[index] && edit.rooms == project.rooms)) {
                failed = ApplyCircuitEdit(project, devices, index, std::move(edit));
                changed = true;
            }
        }
    }
    project.RecountAssignedSurfaces();
    if (failures)
        failures->insert(failures->end(), failed.begin(), failed.end());
    return changed;
}

std::vector<std::string> ApplyRoomEdit(TProject& project, const TDevices& devices, int index, TRoomItem room)
{
    if (index < 0 || index >= static_cast<int>(project.rooms.size()))
        return {};
    const std::int32_t roomId = project.rooms[index].roomId;
    const std::vector<int> removed = RemovedFieldIds(project.rooms[index], room);
    project.rooms[index] = std::move(room);
    project.modified = true;
    return RemoveRoomParts(project, devices, roomId, &removed);
}

std::vector<std::string> ApplyCircuitEdit(TProject& project, const TDevices& devices, int index, CircuitEdit edit)
{
    if (index < 0 || index >= static_cast<int>(project.rounds.size()))
        return {};
    std::set<std::int32_t> changedRooms;
    for (const TRoomItem& room : edit.rooms) {
        const TRoomItem* before = project.FindRoomById(room.roomId);
        if (!before || !(*before == room))
            changedRooms.insert(room.roomId);
    }
    project.rooms = std::move(edit.rooms);
    project.rounds[index] = std::move(edit.round);
    project.modified = true;
    project.RecountAssignedSurfaces();
    std::vector<std::string> failures;
    for (std::size_t i = 0; i < project.rounds.size(); ++i) {
        TRoundItem& round = project.rounds[i];
        const bool touched =
            std::any_of(round.roundFields.begin(), round.roundFields.end(),
                        [&](const FloorHeatingRoundField& part) { return changedRooms.count(part.roomRef) != 0; });
        if (static_cast<int>(i) != index && touched)
            RecalculateNoting(round, project, devices, failures);
    }
    project.RecountAssignedSurfaces();
    return failures;
}

bool AssignField(FloorHeatingRoundField& part, std::int32_t roomId, const std::string& roomName,
                 const FloorHeatingField& field, const AreaQuestion& ask)
{
    part.AssignField(roomId, roomName, field);
    return ask && ask(part, part.assignedPart);
}

} // namespace kalorina
