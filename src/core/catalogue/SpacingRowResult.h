#pragma once
// One row of the spacing choice list of a room.
#include <cstdint>

namespace kalorina {

struct SpacingRowResult {
    std::int16_t spacing = 0; // mm
    float q = 0;              // W/m²
    float tf = 0;             // °C surface temperature
    float area = 0;           // m² needed
    float power = 0;          // W
    float downPower = 0;      // W
};

// The room's free area split over at most two spacings (spacing 0 = unused).
struct OptimumSplitResult {
    std::int16_t spacing1 = 0;
    double area1 = 0;
    std::int16_t spacing2 = 0;
    double area2 = 0;
};

} // namespace kalorina
