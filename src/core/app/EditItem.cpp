#include "app/EditItem.h"

namespace kalorina {

bool EditItem(TProject& project, int index, bool isRoom, const ItemDialogs& dialogs)
{
    bool changed = false;
    if (index >= 0 && index < project.ItemCount(isRoom)) {
        if (isRoom && dialogs.room) {
            TRoomItem copy = project.rooms[index];
            if (dialogs.room(copy)) {
                project.rooms[index] = std::move(copy);
                changed = true;
            }
        } else if (!isRoom && dialogs.round) {
            TRoundItem copy = project.rounds[index];
            if (dialogs.round(copy)) {
                project.rounds[index] = std::move(copy);
                changed = true;
            }
        }
    }
    if (changed)
        project.modified = true;
    project.RecountAssignedSurfaces();
    return changed;
}

bool AssignField(FloorHeatingRoundField& part, std::int32_t roomId, const std::string& roomName,
                 const FloorHeatingField& field, const AreaQuestion& ask)
{
    part.AssignField(roomId, roomName, field);
    return ask && ask(part, part.assignedPart);
}

} // namespace kalorina
