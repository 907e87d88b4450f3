#pragma once
// A manifold: the distributor that feeds a group of circuits from one supply, with
// the limits its automatic design keeps to.  Circuits name their manifold by its
// place in the project's list.
#include <string>

namespace kalorina {

struct TManifold {
    // The defaults an engineer starts from with a heat pump.
    static constexpr float kDefaultDesignSpread = 5.0f; // K
    static constexpr float kDefaultMaxSupply = 55.0f;   // °C

    std::string name;
    std::string location;
    float designSpread = kDefaultDesignSpread; // forward minus return of the index circuit, K
    float maxSupply = kDefaultMaxSupply;       // the highest supply temperature allowed, °C
    // The automatic design has set its supply, flows and pump pressure.  Not one of
    // the members below: it is stored in a block of its own, which older programs skip.
    bool designed = false;

    bool operator==(const TManifold&) const = default;
};

// The members of a manifold in their stored order (shared by the file and JSON).
template <class Manifold, class Visit>
void ManifoldMembers(Manifold& m, Visit&& visit)
{
    visit("name", m.name);
    visit("location", m.location);
    visit("designSpread", m.designSpread);
    visit("maxSupply", m.maxSupply);
}

} // namespace kalorina
