#pragma once
// A heating circuit fed from the manifold: parts of room fields, its tube, fittings,
// medium and balancing valve.
#include <cstdint>
#include <string>
#include <vector>

#include "document/Stream.h"

namespace kalorina {

class TRoundItem {
public:
    std::string roundName;
    float totalArea = 0;
    std::int16_t connectionFlags = 0;
    // Everything after the basic data in stored form (parts, hydraulics, end record),
    // kept as read so that saving never loses it.
    std::string storedTail = std::string("\xFF\x01\x00\x00", 4);

    void WriteToStream(TMemoryStream& s) const;
    // Reads a circuit body of `length` bytes.
    void ReadFromStream(TMemoryStream& s, int version, std::size_t length);

    float TotalPower() const { return 0; }
    float TotalTubeLength() const { return 0; }

    bool operator==(const TRoundItem&) const = default;
};

} // namespace kalorina
