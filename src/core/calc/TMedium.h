#pragma once
// The heating medium of a circuit: its temperatures and the properties at their mean.
#include <string>

namespace kalorina {

class TMemoryStream;

struct TMedium {
    float forward = 38;          // °C
    float return_ = 33;          // °C
    std::string mediumName;      // empty: properties typed by the user
    float density = 971.9f;      // kg/m3
    float viscosity = 3.673e-7f; // m2/s, kinematic
    float specificHeat = 4173;   // J/kgK

    bool operator==(const TMedium&) const = default;
};

} // namespace kalorina
