#include "catalogue/DeviceKind.h"

namespace kalorina {

namespace {
constexpr std::string_view kRoots[kDeviceKindCount] = {"TervaldDBFloorHeating", "TervaldDBTube",
                                                       "TervaldDBValve",        "TervaldDBResist",
                                                       "TervaldDBMedium",       "TervaldDBPieceList"};
constexpr std::string_view kIdentifiers[kDeviceKindCount] = {"TERVALD32FLOORHEAT", "TERVALD32TUBE",
                                                             "TERVALD32VALVE",     "TERVALD32RESIST",
                                                             "TERVALD32MEDIUM",    "TERVALD32PIECELIST"};
} // namespace

std::string_view DeviceRootElement(int kind)
{
    return kind >= 0 && kind < kDeviceKindCount ? kRoots[kind] : std::string_view();
}

std::string_view DeviceKindIdentifier(int kind)
{
    return kind >= 0 && kind < kDeviceKindCount ? kIdentifiers[kind] : std::string_view();
}

int DeviceKindOfRootElement(std::string_view element)
{
    for (int k = 0; k < kDeviceKindCount; ++k)
        if (kRoots[k] == element)
            return k;
    return -1;
}

} // namespace kalorina
