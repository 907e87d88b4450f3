#pragma once
// One part of one room field used by a circuit.  The part refers to its field by
// the room's roomId and the field's fieldId, never by position, so a deleted room or
// field leaves a reference that is marked broken instead of pointing elsewhere.
#include <cstdint>
#include <string>

#include "calc/CellFormat.h"

namespace kalorina {

class FloorHeatingField;
class TDevices;
class TMemoryStream;
class TProject;

class FloorHeatingRoundField {
public:
    enum RefState : std::uint8_t { kRefValid = 0, kRoomMissing = 1, kFieldMissing = 2 };

    std::int32_t roomRef = 0;
    std::string roomRefName; // the room's name when last looked up
    std::int16_t fieldRef = 0;
    float assignedPart = 0;            // m2
    float inletTemp = 0;               // °C
    float outletTemp = 0;              // °C
    float partPower = 0;               // W
    float partTubeLength = 0;          // m
    std::uint8_t refState = kRefValid; // not stored

    // Refers to the free part of `field`; the area dialog may then narrow it down.
    void AssignField(std::int32_t roomId, const std::string& roomName, const FloorHeatingField& field);
    // The totals row of the circuit's part list.
    void SetUpSum(float area, float power, float length);

    const FloorHeatingField* RoomField(const TProject& project) const;
    void RegisterArea(TProject& project);
    void RefreshRoomName(const TProject& project);
    // Power (upwards and downwards) and tube length of the part's share of its field.
    void ComputeShare(const TProject& project);
    bool FieldTemperaturesDiffer(const TProject& project);
    // Gives the part a room field of exactly its area.
    void SplitRoomField(TProject& project, const TDevices& devices);
    // Sets the room field to the part's temperatures and recomputes its room.
    void ApplyTemperatures(TProject& project, const TDevices& devices);

    // Cell of the circuit's part list ("RoundFloorFields"); `field` is the part's
    // room field as the caller found it, or none.
    std::string CellText(int column, const FloorHeatingField* field, const CellNumberFormat& format) const;

    void Write(TMemoryStream& s) const;
    void Read(TMemoryStream& s);

    bool operator==(const FloorHeatingRoundField&) const = default;
};

} // namespace kalorina
