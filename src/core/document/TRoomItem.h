#pragma once
// A room: a named space with its floor area, design temperature, heat loss and the
// floor heating fields laid in it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "calc/CellFormat.h"
#include "calc/FloorBuildUp.h"
#include "calc/FloorHeatingField.h"
#include "document/HeatLoadData.h"
#include "document/Stream.h"

namespace kalorina {

class TDevices;

class TRoomItem {
public:
    // New rooms take the room temperature of the project's options.
    explicit TRoomItem(float defaultRoomTemperature = 20) : roomTemperature(defaultRoomTemperature) {}

    std::string roomName;
    std::string roomFunction;
    float floorArea = 0;        // m2
    float roomTemperature = 20; // °C
    float heatDemand = 0;       // W
    std::int32_t roomId = 0;
    std::vector<FloorHeatingField> fields;
    std::int32_t nextFieldId = 0; // derived from the fields when read, never stored
    // The engineer allows a heater beside the floor (a towel radiator): the room
    // does not raise its manifold's supply, and what the floor cannot give at the
    // supply the other rooms need is listed as supplementary heat.  Stored beside
    // the room records, so the room's own record stays as older programs read it.
    bool supplementaryHeatAllowed = false;
    // The floor under this room's tubes where it is not the project's (a ground floor
    // room in a project whose default is a heated storey below); stored beside the
    // room records too.
    std::optional<FloorBuildUp> buildUp;
    // The room's envelope and air, where its heat loss is computed from the building;
    // stored beside the room records too.
    std::optional<RoomHeatLoad> heatLoad;

    void WriteToStream(TMemoryStream& s) const;
    void ReadFromStream(TMemoryStream& s, int version);

    // Sums over the fields, in 32-bit floats in list order.
    float FieldPowerSum() const;
    float FieldAreaSum() const;
    float FieldDownPowerSum() const;
    // Every field lies in the bathroom zone, or the engineer allows supplementary heat.
    bool AllowsSupplementaryHeat() const;
    // The heat loss the floor leaves to a supplementary heater, in W; 0 in a room
    // that does not allow one.
    double SupplementaryHeat() const;
    float AssignedAreaSum() const;
    // Free area of the fields: the sum of their leftovers (a rest too small to
    // build in and an over-assigned field add nothing).
    float UnassignedArea() const;
    // Metres of tube the fields need; a field without spacing adds nothing.
    float EstimatedTubeLength() const;

    // Some field has a leftover.
    bool HasUnassignedArea() const;
    void ResetAssignedAreas();
    // 0, or 2 when the room has no field `fieldId`.
    int AddAssignedArea(int fieldId, float area);
    FloorHeatingField* FindField(int fieldId);
    const FloorHeatingField* FindField(int fieldId) const;
    // Gives the area `part` of the field a field of its own and answers its id; the
    // field's own id when nothing had to be split (or there is no such field).
    int SplitField(const TDevices& devices, int fieldId, float part);
    // False when there is no such field.
    bool SetFieldTemperatures(const TDevices& devices, int fieldId, float forward, float ret);
    // Every field at the room temperature; a failure stops at that field.
    void RecomputeFields(const TDevices& devices);

    // Cell of the room list ("RoomItemTitle").
    std::string CellText(int column, const CellNumberFormat& format) const;

    bool operator==(const TRoomItem&) const = default;
};

} // namespace kalorina
