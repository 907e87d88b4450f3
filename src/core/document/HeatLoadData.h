#pragma once
// What the room-by-room heat load is computed from: the project's climate and air
// tightness, and each room's height, air change and the elements of its envelope
// with their U-values and what lies behind them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kalorina {

// How sheltered the building stands from the wind.
enum class Shielding : std::int32_t { None = 0, Moderate = 1, Heavy = 2 };

enum class ElementType : std::int32_t { Wall = 0, Window = 1, Door = 2, Roof = 3, Ceiling = 4, Floor = 5 };

// What lies behind an element.
enum class Boundary : std::int32_t { Outside = 0, Ground = 1, Unheated = 2, Heated = 3 };

// Which way the heat flows through a construction: it sets the inside surface
// resistance (horizontal 0.13, upward 0.10, downward 0.17 m2K/W).
enum class HeatFlow : std::int32_t { Horizontal = 0, Upward = 1, Downward = 2 };

struct ConstructionLayer {
    std::string name;
    float thickness = 0;    // m
    float conductivity = 0; // λ, W/mK

    bool operator==(const ConstructionLayer&) const = default;
};

// A named build-up the elements of a project can share: changing it changes every
// element of it.  Its U is typed, or follows from its layers.
struct Construction {
    std::string name;
    bool layered = false; // U from the layers, else `u` as typed
    float u = 0;          // W/m2K, the typed value
    std::vector<ConstructionLayer> layers;
    HeatFlow flow = HeatFlow::Horizontal;
    // The outside surface resistance 0.04 m2K/W; towards the ground or an unheated
    // space the engineer may leave it out.
    bool outsideSurface = true;

    bool operator==(const Construction&) const = default;
};

struct HeatElement {
    std::string name;
    // The project's construction the element is of; empty: its own U.
    std::string construction;
    ElementType type = ElementType::Wall;
    float area = 0; // m2, net: a wall without its windows
    float u = 0;    // W/m2K; towards the ground the equivalent U
    Boundary boundary = Boundary::Outside;
    // An unheated space: its temperature reduction factor, or its temperature.
    std::optional<float> bu;
    // The temperature of an unheated space or of a heated neighbour, °C.
    std::optional<float> temperature;
    // A thermal-bridge supplement of its own, W/m2K; else the project's.
    std::optional<float> thermalBridge;

    bool operator==(const HeatElement&) const = default;
};

struct RoomHeatLoad {
    float height = 2.6f;             // m, clear
    float minAirChange = 0.5f;       // 1/h
    std::int32_t exposedFacades = 1; // façades with openings: 0, 1, or 2 for more
    float heightAboveGround = 0;     // m
    float heatingUp = 0;             // W/m2 of floor
    // The engineer keeps a typed heat loss instead of the computed one.
    bool manual = false;
    std::vector<HeatElement> elements;

    bool operator==(const RoomHeatLoad&) const = default;
};

struct ProjectHeatLoad {
    float outdoorTemperature = -13;          // °C, design
    float annualMeanOutdoorTemperature = 10; // °C
    float n50 = 3.0f;                        // 1/h at 50 Pa
    Shielding shielding = Shielding::Moderate;
    bool groundwaterShallow = false; // groundwater within 1 m below the floor
    float thermalBridge = 0.05f;     // W/m2K, the default supplement
    std::vector<Construction> constructions;

    bool operator==(const ProjectHeatLoad&) const = default;
};

} // namespace kalorina
