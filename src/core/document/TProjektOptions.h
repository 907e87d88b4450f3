#pragma once
// The defaults of one project: what new rooms and circuits start with.
#include <optional>
#include <string>
#include <vector>

#include "calc/CircuitDefaults.h"
#include "calc/FloorBuildUp.h"
#include "document/Stream.h"

namespace kalorina {

// The defaults of new circuits come from the base.
class TProjektOptions : public CircuitDefaults {
public:
    // `defaultValveName` is the catalogue's default valve; the medium's name is the
    // text of the built-in water medium in the current language.
    explicit TProjektOptions(std::string defaultValveName = {});

    float roomTemperature = 20; // °C
    float belowTemperature = 0; // °C
    float downK = 0;            // W/m2K
    // The floor under the tubes that new fields are laid on: it sets belowTemperature
    // and downK.  New projects start from the usual build-up; files from before it
    // have none and keep the two values they stored.
    std::optional<FloorBuildUp> buildUp;
    // How far the first tube of a laid loop stays from the walls, m.
    static constexpr double kDefaultEdgeDistance = 0.10;
    double edgeDistance = kDefaultEdgeDistance;

    // The build-up, and the temperature below and downward k it gives.
    void SetBuildUp(const FloorBuildUp& b);

    void WriteOptions(TMemoryStream& s) const;
    // Raises the version error for an unknown version, reading nothing.  Fittings
    // are appended to those the record has; unknown blocks are skipped by their
    // length, and a stream that ends where a block would begin ends the record.
    void ReadOptions(TMemoryStream& s, int version);

    bool operator==(const TProjektOptions&) const = default;
};

} // namespace kalorina
