#include "calc/FloorBuildUp.h"

namespace kalorina {

namespace {
// Surface resistances for heat flowing downwards, m2K/W.
constexpr double kCeilingSurface = 0.17;
constexpr double kOutsideSurface = 0.04;
} // namespace

double FloorBuildUp::DownK() const
{
    double surface = 0;
    switch (below) {
    case BelowKind::HeatedRoom:
    case BelowKind::UnheatedRoom:
        surface = kCeilingSurface;
        break;
    case BelowKind::OutsideAir:
        surface = kOutsideSurface;
        break;
    case BelowKind::Ground:
        break;
    }
    const double total = double(insulationResistance) + double(slabResistance) + surface;
    return total > 0 ? 1.0 / total : 0.0;
}

double FloorBuildUp::MinimumInsulation() const
{
    switch (below) {
    case BelowKind::HeatedRoom:
        return 0.75;
    case BelowKind::UnheatedRoom:
    case BelowKind::Ground:
        return 1.25;
    case BelowKind::OutsideAir:
        if (belowTemperature >= 0)
            return 1.25;
        if (belowTemperature >= -5)
            return 1.50;
        return 2.00;
    }
    return 0.75;
}

bool IsBelowKind(std::int32_t code)
{
    return code >= 0 && code < kBelowKindCount;
}

} // namespace kalorina
