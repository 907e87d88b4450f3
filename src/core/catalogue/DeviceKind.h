#pragma once
// The six kinds of catalogue item: their codes, root elements and identifiers.
#include <cstdint>
#include <string_view>

namespace kalorina {

enum DeviceKind : std::uint8_t {
    kFloorHeatingKind = 0,
    kTubeKind = 1,
    kValveKind = 2,
    kResistKind = 3,
    kMediumKind = 4,
    kPieceListKind = 5,
};

inline constexpr int kDeviceKindCount = 6;

// Root element of an item of the kind, e.g. "TervaldDBTube".
std::string_view DeviceRootElement(int kind);
// Kind identifier used by piece lists, e.g. "TERVALD32TUBE".
std::string_view DeviceKindIdentifier(int kind);
// Kind of a root element name, or -1.
int DeviceKindOfRootElement(std::string_view element);

} // namespace kalorina
