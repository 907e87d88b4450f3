#pragma once
// The heating medium of a circuit: its temperatures and the properties the
// hydraulics need, taken from the catalogue medium of that name at the mean
// temperature, or kept as they are (built-in water, values typed by the user).
#include <string>

namespace kalorina {

class TDevices;

struct TMedium {
    TMedium() { Reset(); }

    float forward = 0;           // °C
    float return_ = 0;           // °C
    std::string mediumName;      // a catalogue medium, or any other text for fixed values
    float density = 971.9f;      // kg/m3
    float viscosity = 3.673e-7f; // m2/s, kinematic
    float specificHeat = 4173;   // J/kgK

    // Temperatures 0, the built-in water (named in the current language).
    void Reset();
    // Re-reads the properties of a catalogue medium at (forward + return) / 2; a
    // medium not in the catalogue keeps its values, a missing characteristic gives 0.
    void UpdateProperties(const TDevices& devices);

    bool operator==(const TMedium&) const = default;
};

} // namespace kalorina
