#include "document/FloorHeatingRoundField.h"

#include "calc/FloorHeatingField.h"
#include "document/RecordMembers.h"
#include "document/TProject.h"

namespace kalorina {

void FloorHeatingRoundField::AssignField(std::int32_t roomId, const std::string& roomName,
                                         const FloorHeatingField& field)
{
    roomRef = roomId;
    roomRefName = roomName;
    fieldRef = field.fieldId;
    assignedPart = field.area - field.assignedArea;
    partPower = 0;
    partTubeLength = 0;
    refState = kRefValid;
}

void FloorHeatingRoundField::SetUpSum(float area, float power, float length)
{
    assignedPart = area;
    partPower = power;
    partTubeLength = length;
}

const FloorHeatingField* FloorHeatingRoundField::RoomField(const TProject& project) const
{
    return project.FindRoomField(roomRef, fieldRef);
}

void FloorHeatingRoundField::RegisterArea(TProject& project)
{
    refState = static_cast<std::uint8_t>(project.AddAssignedSurface(roomRef, fieldRef, assignedPart));
}

void FloorHeatingRoundField::RefreshRoomName(const TProject& project)
{
    roomRefName = project.RoomNameById(roomRef);
}

void FloorHeatingRoundField::ComputeShare(const TProject& project)
{
    const FloorHeatingField* field = RoomField(project);
    if (!field) {
        refState = kFieldMissing;
        return;
    }
    partPower = field->area > 0
        ? static_cast<float>((double(field->power) + field->downPower) * assignedPart / field->area)
        : 0.0f;
    // A field without spacing has no tube to share.
    partTubeLength = field->spacing != 0 ? static_cast<float>(double(assignedPart) * 1000 / field->spacing) : 0.0f;
    refState = kRefValid;
}

bool FloorHeatingRoundField::FieldTemperaturesDiffer(const TProject& project)
{
    const FloorHeatingField* field = RoomField(project);
    if (!field) {
        refState = kFieldMissing;
        return false;
    }
    refState = kRefValid;
    return field->TemperaturesDiffer(inletTemp, outletTemp);
}

void FloorHeatingRoundField::SplitRoomField(TProject& project, const TDevices& devices)
{
    TRoomItem* room = project.FindRoomById(roomRef);
    if (!room) {
        refState = kFieldMissing;
        return;
    }
    int id = room->SplitField(devices, fieldRef, assignedPart);
    if (id != fieldRef)
        project.modified = true;
    fieldRef = static_cast<std::int16_t>(id);
    refState = kRefValid;
}

void FloorHeatingRoundField::ApplyTemperatures(TProject& project, const TDevices& devices)
{
    TRoomItem* room = project.FindRoomById(roomRef);
    if (!room) {
        refState = kFieldMissing;
        return;
    }
    if (room->SetFieldTemperatures(devices, fieldRef, inletTemp, outletTemp))
        project.modified = true;
    refState = kRefValid;
}

std::string FloorHeatingRoundField::CellText(int column, const FloorHeatingField* field,
                                             const CellNumberFormat& format) const
{
    switch (column) {
    case 0:
        return roomRefName;
    case 18:
        return format(inletTemp);
    case 19:
        return format(outletTemp);
    case 20: {
        bool red = refState != kRefValid || (field && field->assignedArea > field->area);
        return (red ? kRedCell : "") + format(assignedPart);
    }
    case 21:
        return format(partPower);
    case 22:
        return format(partTubeLength);
    default:
        return field ? field->CellText(column, format) : std::string();
    }
}

void FloorHeatingRoundField::Write(TMemoryStream& s) const
{
    RoundFieldMembers(*this, MemberWriter(s));
}

void FloorHeatingRoundField::Read(TMemoryStream& s)
{
    RoundFieldMembers(*this, MemberReader(s));
}

} // namespace kalorina
