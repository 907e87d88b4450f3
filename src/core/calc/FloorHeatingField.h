#pragma once
// One area of floor heating laid in a room: a catalogue system, a covering, a tube
// spacing, a zone type and an area, with the results of its thermal sizing stored
// beside the inputs so that lists, reports and files show them without recomputing.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "calc/CellFormat.h"
#include "catalogue/FieldDesignInput.h"

namespace kalorina {

class TDevices;
class FloorHeatDBItem;

// The zone of bathrooms, wet rooms and showers, with its higher floor limit.
inline constexpr std::int16_t kBathroomZone = 2;

class FloorHeatingField {
public:
    // New fields take the forward and return temperatures of the project's options.
    FloorHeatingField() = default;
    FloorHeatingField(float defaultForward, float defaultReturn) : forward(defaultForward), return_(defaultReturn) {}

    std::string systemName; // itemName of the floor heating system
    std::string coveringName;
    float resistance = 0;       // m2K/W of the covering
    std::int16_t spacing = 0;   // mm
    float area = 0;             // m2
    float assignedArea = 0;     // m2 built into circuits; counted by the project, never stored
    float forward = 0;          // °C
    float return_ = 0;          // °C
    std::int16_t zoneType = -1; // 0..2, -1 none
    float specificOutput = 0;   // W/m2
    float surfaceTemp = 0;      // °C
    float power = 0;            // W upwards
    float belowTemp = 0;        // °C of the space below
    float downK = 0;            // W/m2K towards it
    float downPower = 0;        // W downwards
    float tubeLength = 0;       // m
    std::int16_t fieldId = -1;

    void SetUp(const FloorHeatDBItem& system, const std::string& covering, double R, int spacingValue, int zone,
               double fieldArea, const FieldDesignInput& input, int id);
    // Snaps the spacing to the nearest one of the system and recomputes at the
    // room temperature `ti`.  Fails with IDS_UNKNOWEDTYPE, IDS_UNKNOWEDDISTANCE or
    // IDS_DTLOGERROR.
    void Recompute(const TDevices& devices, double ti);
    // One spacing denser / wider; fail at the ends of the system's list.
    void Denser(const TDevices& devices, double ti);
    void Wider(const TDevices& devices, double ti);
    // Makes the field the sum row under a field list.
    void SetUpSum(float sumArea, float sumAssigned, float sumPower, float sumDownPower, float sumTubeLength);

    // The area not yet built into circuits, in m2.  Parts typed in hundredths and
    // summed as singles leave rests of a few millionths on a field built in whole;
    // rests below kNoLeftover count as none, as does an over-assigned field.
    static constexpr double kNoLeftover = 0.005;
    double LeftoverArea() const;

    bool WithinZoneLimit() const;
    bool TemperaturesDiffer(double otherForward, double otherReturn) const;
    // (tube type, tube size) of the system; none when it is not in the catalogue.
    std::optional<std::pair<std::string, std::string>> SystemTube(const TDevices& devices) const;

    // Cell of the field lists ("RoomFloorHeatingsTitle", "FloorHeatingsReportTitle").
    std::string CellText(int column, const CellNumberFormat& format) const;

    bool operator==(const FloorHeatingField&) const = default;

private:
    const FloorHeatDBItem& System(const TDevices& devices) const;
    void Step(const TDevices& devices, double ti, int direction);
    void ComputeOutput(const FloorHeatDBItem& system, double ti, int index);
    void ComputePowers();
};

} // namespace kalorina
