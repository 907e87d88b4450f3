#pragma once
// What a new circuit starts with: extra tube length, medium, balancing valve,
// available pressure and fittings.  The project's options carry these values.
#include <string>
#include <vector>

#include "calc/TMedium.h"
#include "calc/TResist.h"

namespace kalorina {

struct CircuitDefaults {
    float extraLength = 0;   // percent or m
    int extraLengthMode = 1; // 0 percent, 1 metres
    TMedium medium;
    std::string valveType;
    float availablePressure = 20000; // Pa
    // Every new circuit receives a copy.
    std::vector<TResist> defaultFittings;

    bool operator==(const CircuitDefaults&) const = default;
};

} // namespace kalorina
