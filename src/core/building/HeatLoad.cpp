#include "building/HeatLoad.h"

#include <algorithm>
#include <cmath>

#include "document/TProject.h"

namespace kalorina {

namespace {

constexpr double kGroundFactor = 1.45;    // f_g1, the yearly swing of the outdoor temperature
constexpr double kGroundwater = 1.15;     // G_w with groundwater within 1 m below the floor
constexpr double kAirHeatCapacity = 0.34; // W·h/(m3·K)

// (θint − θ)/(θint − θe): how much of the full difference to outside an element sees.
double Reduction(double inside, double other, double outside)
{
    const double full = inside - outside;
    return full != 0 ? (inside - other) / full : 0;
}

} // namespace

double InsideSurfaceResistance(HeatFlow flow)
{
    switch (flow) {
    case HeatFlow::Upward:
        return 0.10;
    case HeatFlow::Downward:
        return 0.17;
    case HeatFlow::Horizontal:
        break;
    }
    return 0.13;
}

double ConstructionU(const Construction& c)
{
    if (!c.layered)
        return c.u;
    if (c.layers.empty())
        return 0;
    double r = InsideSurfaceResistance(c.flow) + (c.outsideSurface ? kOutsideSurfaceResistance : 0.0);
    for (const ConstructionLayer& l : c.layers) {
        if (!(l.conductivity > 0))
            return 0;
        r += double(l.thickness) / double(l.conductivity);
    }
    return 1.0 / r;
}

const Construction* FindConstruction(const ProjectHeatLoad& climate, const std::string& name)
{
    if (name.empty())
        return nullptr;
    for (const Construction& c : climate.constructions)
        if (c.name == name)
            return &c;
    return nullptr;
}

double ElementU(const HeatElement& e, const ProjectHeatLoad& climate)
{
    const Construction* c = FindConstruction(climate, e.construction);
    return c ? ConstructionU(*c) : double(e.u);
}

double ShieldingCoefficient(Shielding shielding, int exposedFacades)
{
    static constexpr double e[3][3] = {{0, 0.03, 0.05}, {0, 0.02, 0.03}, {0, 0.01, 0.02}};
    const int row = std::clamp(static_cast<int>(shielding), 0, 2);
    return e[row][std::clamp(exposedFacades, 0, 2)];
}

double HeightCorrection(double heightAboveGround)
{
    return heightAboveGround <= 10 ? 1.0 : heightAboveGround <= 30 ? 1.2 : 1.5;
}

RoomLoad RoomHeatLoadOf(const TRoomItem& room, const ProjectHeatLoad& climate)
{
    RoomLoad load;
    load.room = room.roomName;
    if (!room.heatLoad)
        return load;
    const RoomHeatLoad& data = *room.heatLoad;
    const double inside = room.roomTemperature;
    const double outside = climate.outdoorTemperature;
    const double difference = inside - outside;
    for (const HeatElement& e : data.elements) {
        ElementLoad el;
        el.name = e.name;
        const double bridge = e.thermalBridge.value_or(climate.thermalBridge);
        const double a = e.area, u = ElementU(e, climate);
        el.u = u;
        switch (e.boundary) {
        case Boundary::Outside:
            el.h = a * (u + bridge);
            break;
        case Boundary::Unheated:
            el.factor = e.temperature ? Reduction(inside, *e.temperature, outside) : e.bu.value_or(1.0);
            el.h = a * (u + bridge) * el.factor;
            break;
        case Boundary::Heated:
            el.factor = Reduction(inside, e.temperature.value_or(inside), outside);
            el.h = a * u * el.factor;
            break;
        case Boundary::Ground:
            el.factor = kGroundFactor * Reduction(inside, climate.annualMeanOutdoorTemperature, outside)
                * (climate.groundwaterShallow ? kGroundwater : 1.0);
            el.h = a * u * el.factor;
            break;
        }
        el.watts = el.h * difference;
        load.transmissionH += el.h;
        load.elements.push_back(std::move(el));
    }
    load.transmission = load.transmissionH * difference;
    load.volume = double(room.floorArea) * data.height;
    load.minimumAir = data.minAirChange * load.volume;
    load.infiltration = 2 * load.volume * climate.n50 * ShieldingCoefficient(climate.shielding, data.exposedFacades)
        * HeightCorrection(data.heightAboveGround);
    load.ventilation = kAirHeatCapacity * std::max(load.infiltration, load.minimumAir) * difference;
    load.heatingUp = double(room.floorArea) * data.heatingUp;
    load.total = load.transmission + load.ventilation + load.heatingUp;
    return load;
}

BuildingLoad BuildingHeatLoad(const TProject& project)
{
    BuildingLoad b;
    for (const TRoomItem& room : project.rooms)
        if (room.heatLoad) {
            b.rooms.push_back(RoomHeatLoadOf(room, project.heatLoad));
            b.total += b.rooms.back().total;
        }
    return b;
}

float AppliedHeatLoss(double load)
{
    return static_cast<float>(std::max(0.0, std::round(load)));
}

int ApplyHeatLoads(TProject& project)
{
    int changed = 0;
    // An element of a construction keeps its construction's U as its own too, for a
    // reader that knows no constructions (and for the JSON it exports).
    for (TRoomItem& room : project.rooms)
        if (room.heatLoad)
            for (HeatElement& e : room.heatLoad->elements)
                if (const Construction* c = FindConstruction(project.heatLoad, e.construction)) {
                    const float u = static_cast<float>(ConstructionU(*c));
                    if (e.u != u) {
                        e.u = u;
                        project.modified = true;
                    }
                }
    for (TRoomItem& room : project.rooms) {
        if (!room.heatLoad || room.heatLoad->manual || room.heatLoad->elements.empty())
            continue;
        const float watts = AppliedHeatLoss(RoomHeatLoadOf(room, project.heatLoad).total);
        if (room.heatDemand != watts) {
            room.heatDemand = watts;
            ++changed;
        }
    }
    if (changed > 0)
        project.modified = true;
    return changed;
}

} // namespace kalorina
