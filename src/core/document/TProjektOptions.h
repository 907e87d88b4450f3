#pragma once
// The defaults of one project: what new rooms and circuits start with.
#include <string>
#include <vector>

#include "calc/TMedium.h"
#include "calc/TResist.h"
#include "document/Stream.h"

namespace kalorina {

class TProjektOptions {
public:
    // `defaultValveName` is the catalogue's default valve; the medium's name is the
    // text of the built-in water medium in the current language.
    explicit TProjektOptions(std::string defaultValveName = {});

    float roomTemperature = 20;   // °C
    float belowTemperature = 0;   // °C
    float downK = 0;              // W/m2K
    float extraLength = 0;        // percent or m
    int extraLengthMode = 1;      // 0 percent, 1 metres
    TMedium medium;
    std::string valveType;
    float availablePressure = 20000;  // Pa
    // Every new circuit receives a copy.
    std::vector<TResist> defaultFittings;

    void WriteOptions(TMemoryStream& s) const;
    // Fails (returns false, reading nothing) for an unknown version.  Fittings are
    // appended to those the record has; unknown blocks are skipped by their length,
    // and a stream that ends where a block would begin ends the record.
    bool ReadOptions(TMemoryStream& s, int version);

    bool operator==(const TProjektOptions&) const = default;
};

} // namespace kalorina
