#pragma once
// A room: a named space with its floor area, design temperature, heat loss and
// floor heating fields.
#include <cstdint>
#include <string>
#include <vector>

#include "document/Stream.h"

namespace kalorina {

class TRoomItem {
public:
    explicit TRoomItem(float defaultRoomTemperature = 20) : roomTemperature(defaultRoomTemperature) {}

    std::string roomName;
    std::string roomFunction;
    float floorArea = 0;        // m2
    float roomTemperature = 20; // °C
    float heatDemand = 0;       // W
    std::int32_t roomId = 0;
    // The fields in their stored form (one field record body each), kept as read so
    // that saving never loses them.
    std::vector<std::string> fieldRecords;
    std::int32_t nextFieldId = 0;

    void WriteToStream(TMemoryStream& s) const;
    void ReadFromStream(TMemoryStream& s, int version);

    float FieldPowerSum() const { return 0; }
    float FieldAreaSum() const { return 0; }
    float UnassignedArea() const { return 0; }

    bool operator==(const TRoomItem&) const = default;
};

} // namespace kalorina
