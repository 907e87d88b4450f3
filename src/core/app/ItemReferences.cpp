#include "app/ItemReferences.h"

#include <algorithm>
#include <exception>

#include "lang/TLanguages.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {

bool Contains(const std::vector<int>& ids, int id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

} // namespace

std::vector<std::string> RoundsUsingRoom(const TProject& project, std::int32_t roomId, const std::vector<int>* fieldIds)
{
    std::vector<std::string> names;
    for (const TRoundItem& round : project.rounds)
        for (const FloorHeatingRoundField& part : round.roundFields)
            if (part.roomRef == roomId && (!fieldIds || Contains(*fieldIds, part.fieldRef))) {
                names.push_back(round.roundName);
                break;
            }
    return names;
}

std::vector<int> RemovedFieldIds(const TRoomItem& stored, const TRoomItem& edited)
{
    std::vector<int> removed;
    for (const FloorHeatingField& field : stored.fields)
        if (!edited.FindField(field.fieldId))
            removed.push_back(field.fieldId);
    return removed;
}

std::vector<std::string> RemoveRoomParts(TProject& project, const TDevices& devices, std::int32_t roomId,
                                         const std::vector<int>* fieldIds)
{
    std::vector<std::string> failures;
    for (TRoundItem& round : project.rounds) {
        auto& parts = round.roundFields;
        const auto gone = std::remove_if(parts.begin(), parts.end(), [&](const FloorHeatingRoundField& part) {
            return part.roomRef == roomId && (!fieldIds || Contains(*fieldIds, part.fieldRef));
        });
        const bool lost = gone != parts.end();
        parts.erase(gone, parts.end());
        const bool uses = std::any_of(parts.begin(), parts.end(),
                                      [&](const FloorHeatingRoundField& part) { return part.roomRef == roomId; });
        if (!lost && !uses)
            continue;
        if (lost)
            project.modified = true;
        RecalculateNoting(round, project, devices, failures);
    }
    project.RecountAssignedSurfaces();
    return failures;
}

void RecalculateNoting(TRoundItem& round, const TProject& project, const TDevices& devices,
                       std::vector<std::string>& failures)
{
    try {
        round.Recalculate(project, devices);
    } catch (const std::exception& e) {
        failures.push_back(round.roundName + ": " + e.what());
    }
}

std::vector<std::string> DeleteRoomWithParts(TProject& project, const TDevices& devices, int index)
{
    if (index < 0 || index >= static_cast<int>(project.rooms.size())) {
        project.DeleteItem(index, true);
        return {};
    }
    const std::int32_t roomId = project.rooms[index].roomId;
    project.DeleteItem(index, true);
    return RemoveRoomParts(project, devices, roomId);
}

std::vector<std::string> BrokenReferences(TProject& project)
{
    project.RecountAssignedSurfaces();
    std::vector<std::string> lines;
    for (const TRoundItem& round : project.rounds)
        for (const FloorHeatingRoundField& part : round.roundFields)
            if (part.refState != FloorHeatingRoundField::kRefValid)
                lines.push_back(FormatText(Txt("IDS_BROKENREFERENCELINE"),
                                           {round.roundName, part.roomRefName, std::to_string(part.fieldRef + 1)}));
    return lines;
}

std::string NameList(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + name;
    return list;
}

} // namespace kalorina
