#pragma once
// What lies under a floor's tubes: the insulation, the slab or ceiling below it and
// the space beyond.  It gives the downward heat transfer of new fields and the
// least insulation that floor heating over such a space should have.
#include <cstdint>

namespace kalorina {

// The space under the floor; the stored codes are the enumerators' values.
enum class BelowKind : std::int32_t { HeatedRoom = 0, UnheatedRoom = 1, Ground = 2, OutsideAir = 3 };
inline constexpr int kBelowKindCount = 4;
// The most a layer's thermal resistance can be in a real floor, m2K/W.
inline constexpr double kMaxLayerResistance = 10;

struct FloorBuildUp {
    // A heated storey below, 30 mm of polystyrene on a concrete slab: the build-up an
    // engineer starts from in a block of flats.
    float insulationResistance = 0.75f; // m2K/W of the insulation under the tubes
    float slabResistance = 0.10f;       // m2K/W of the slab or ceiling with its plaster
    BelowKind below = BelowKind::HeatedRoom;
    float belowTemperature = 20; // °C of the room below, the ground, or the design outdoor air

    // W/m2K from the tube plane to the space below: the two layers and the surface
    // the heat leaves by (a ceiling below, outside air; none towards the ground).
    double DownK() const;
    // The least insulation resistance for floor heating over this space, m2K/W: a
    // heated room 0.75; an unheated room or the ground 1.25; outside air 1.25 down to
    // 0 °C design outdoor temperature, 1.50 down to -5 °C, 2.00 below.
    double MinimumInsulation() const;

    bool operator==(const FloorBuildUp&) const = default;
};

// Whether a stored code names a kind of space.
bool IsBelowKind(std::int32_t code);

} // namespace kalorina
