#include "calc/FloorHeatingField.h"

#include <cmath>

#include "calc/CalcTexts.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/Rounding.h"
#include "catalogue/TDevices.h"
#include "lang/TLanguages.h"
#include "util/Error.h"

namespace kalorina {

void FloorHeatingField::SetUp(const FloorHeatDBItem& system, const std::string& covering, double R, int spacingValue,
                              int zone, double fieldArea, const FieldDesignInput& input, int id)
{
    systemName = system.itemName;
    coveringName = covering;
    resistance = static_cast<float>(R);
    spacing = static_cast<std::int16_t>(spacingValue);
    zoneType = static_cast<std::int16_t>(zone);
    area = static_cast<float>(fieldArea);
    fieldId = static_cast<std::int16_t>(id);
    forward = static_cast<float>(input.forward);
    return_ = static_cast<float>(input.ret);
    belowTemp = static_cast<float>(input.below);
    downK = static_cast<float>(input.downK);
    assignedArea = 0;
    int index = system.SpacingIndex(spacing);
    if (index >= 0)
        ComputeOutput(system, input.inside, index);
    ComputePowers();
}

const FloorHeatDBItem& FloorHeatingField::System(const TDevices& devices) const
{
    const auto* system = devices.Find<FloorHeatDBItem>(kFloorHeatingKind, systemName);
    if (!system)
        throw KalorinaError(CalcText("IDS_UNKNOWEDTYPE"));
    return *system;
}

void FloorHeatingField::ComputeOutput(const FloorHeatDBItem& system, double ti, int index)
{
    specificOutput = 0;
    surfaceTemp = 0;
    double dTheta = FloorHeatDBItem::LogMeanDifference(forward, return_, ti);
    specificOutput = static_cast<float>(system.SpecificOutput(dTheta, resistance, index));
    surfaceTemp = static_cast<float>(system.SurfaceTemperature(specificOutput, ti, resistance, index));
}

void FloorHeatingField::ComputePowers()
{
    power = static_cast<float>(RoundW(double(area) * specificOutput));
    double d = belowTemp < return_ ? FloorHeatDBItem::LogMeanDifference(forward, return_, belowTemp)
                                   : (double(forward) + return_) / 2 - belowTemp;
    downPower = static_cast<float>(RoundW(double(area) * d * downK));
    // Without a spacing there is no tube to measure.
    tubeLength = spacing != 0 ? static_cast<float>(Round1(double(area) * 1000 / spacing)) : 0.0f;
}

void FloorHeatingField::Recompute(const TDevices& devices, double ti)
{
    const FloorHeatDBItem& system = System(devices);
    int s = spacing;
    int index = system.NearestSpacing(s);
    if (index < 0)
        throw KalorinaError(CalcText("IDS_UNKNOWEDDISTANCE"));
    spacing = static_cast<std::int16_t>(s);
    ComputeOutput(system, ti, index);
    ComputePowers();
}

void FloorHeatingField::Step(const TDevices& devices, double ti, int direction)
{
    const FloorHeatDBItem& system = System(devices);
    int index = system.SpacingIndex(spacing);
    if (index < 0)
        throw KalorinaError(CalcText("IDS_UNKNOWEDDISTANCE"));
    int next = index + direction;
    if (next < 0)
        throw KalorinaError(CalcText("IDS_CANNOTINCREASEDISTANCE"));
    if (next >= static_cast<int>(system.distances.size()))
        throw KalorinaError(CalcText("IDS_CANNOTDECREASEDISTANCE"));
    spacing = system.distances[next].distance;
    ComputeOutput(system, ti, next);
    ComputePowers();
}

void FloorHeatingField::Denser(const TDevices& devices, double ti)
{
    Step(devices, ti, -1);
}

void FloorHeatingField::Wider(const TDevices& devices, double ti)
{
    Step(devices, ti, +1);
}

double FloorHeatingField::LeftoverArea() const
{
    const double rest = double(area) - assignedArea;
    return rest < kNoLeftover ? 0.0 : rest;
}

void FloorHeatingField::SetUpSum(float sumArea, float sumAssigned, float sumPower, float sumDownPower,
                                 float sumTubeLength)
{
    systemName = CalcText("IDS_FLOORHEATINGSUMCAPTION");
    spacing = 0;
    area = sumArea;
    assignedArea = sumAssigned;
    power = sumPower;
    downPower = sumDownPower;
    tubeLength = sumTubeLength;
    forward = return_ = 0;
}

bool FloorHeatingField::WithinZoneLimit() const
{
    return surfaceTemp <= FloorHeatDBItem::ZoneSurfaceLimit(zoneType);
}

bool FloorHeatingField::TemperaturesDiffer(double otherForward, double otherReturn) const
{
    return std::fabs(otherForward - forward) > 0.05 || std::fabs(otherReturn - return_) > 0.05;
}

std::optional<std::pair<std::string, std::string>> FloorHeatingField::SystemTube(const TDevices& devices) const
{
    const auto* system = devices.Find<FloorHeatDBItem>(kFloorHeatingKind, systemName);
    if (!system)
        return std::nullopt;
    return std::make_pair(system->tubeType, system->tubeSize);
}

std::string FloorHeatingField::CellText(int column, const CellNumberFormat& format) const
{
    switch (column) {
    case 1:
        return systemName;
    case 2:
        return coveringName;
    case 3:
        return spacing != 0 ? format(spacing) : std::string();
    case 4:
        return format(area);
    case 5:
        return format(power);
    case 6:
        return format(tubeLength);
    case 7:
        return format(forward);
    case 8:
        return format(return_);
    case 9:
        return format(resistance);
    case 10:
        return format(specificOutput);
    case 11:
        return zoneType < 0 ? std::string() : Languages().GetFamilyText("IDS_FHZoneType+", zoneType);
    case 12:
        return (WithinZoneLimit() ? "" : kRedCell) + format(surfaceTemp);
    case 13:
        return format(belowTemp);
    case 14:
        return format(downK);
    case 15:
        return format(downPower);
    case 16:
        return format(double(power) + downPower);
    case 17:
        return (assignedArea > area ? kRedCell : "") + format(assignedArea);
    case 23:
        return format(fieldId + 1);
    default:
        return {};
    }
}

} // namespace kalorina
