// The numbers a product can have.  A catalogue is a third party's data: a tube
// without bore, a curve a thousand times steeper than any floor gives or a medium
// without density would compute nonsense for every project that uses it, so such
// an item is left out of the catalogue with the number named.  The ranges are wide
// enough for any product made for a building.
#include <cmath>

#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/MediumDBItem.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/TubeDBItem.h"
#include "catalogue/ValveDBItem.h"
#include "util/FloatFormat.h"

namespace kalorina {

namespace {

// "name = value" when `v` lies outside [low, high] (above `low` with `aboveLow`).
std::string Outside(const std::string& name, double v, double low, double high, bool aboveLow = false)
{
    const bool inside = std::isfinite(v) && (aboveLow ? v > low : v >= low) && v <= high;
    return inside ? std::string() : name + " = " + FloatToStrF(v, TFloatFormat::General, 7, 0);
}

// The first of the checks that names a number.
template <class... Texts>
std::string First(const Texts&... texts)
{
    std::string found;
    ((found.empty() ? void(found = texts) : void()), ...);
    return found;
}

constexpr double kMaxDiameter = 1000;  // mm
constexpr double kMaxPressure = 1e6;   // Pa
constexpr double kMaxFlowFactor = 1e4; // kv, m3/h, and zeta

} // namespace

std::string TubeDBItem::ImplausibleNumber() const
{
    for (const TubeSubType& s : sizes) {
        std::string found =
            First(Outside("d1", s.d1, 0, kMaxDiameter, true), Outside("d2", s.d2, 0, kMaxDiameter),
                  Outside("DN", s.dn, 0, kMaxDiameter), Outside("SpeedLimit", s.speedLimit, 0, 100),
                  Outside("Roughness", s.roughness, 0, 100), Outside("MaxLoopLength", s.maxLoopLength, 0, 10000));
        if (!found.empty())
            return s.sizeName + ": " + found;
    }
    return Outside("ThermalCond", thermalCond, 0, 1000);
}

std::string FloorHeatDBItem::ImplausibleNumber() const
{
    for (const FloorHeatDistanceType& d : distances)
        if (std::string found = Outside("Distance", d.distance, 0, 1000, true); !found.empty())
            return found;
    for (const FloorHeatSurfaceType& s : surfaces) {
        std::string found = Outside("HeatResist", s.heatResist, 0, 10);
        // The curves of the spacings the system offers.
        const int n = std::min<int>(static_cast<int>(distances.size()), kMaxSpacings);
        for (int i = 0; i < n && found.empty(); ++i)
            found = First(Outside("LineSteep", s.lineSteep[i], 0, 1000),
                          Outside("LineyIntersection", s.lineyIntersection[i], -1e4, 1e4),
                          Outside("Exponent", s.exponent[i], 0, 10, true),
                          Outside("SurfaceTempFactor", s.surfaceTempFactor[i], 0, 100));
        if (!found.empty())
            return s.surfaceName + ": " + found;
    }
    return {};
}

std::string MediumDBItem::ImplausibleNumber() const
{
    if (std::string found = First(Outside("TempMin", tempMin, -100, 400), Outside("TempMax", tempMax, -100, 400));
        !found.empty())
        return found;
    for (const MediumFunction& f : characteristics) {
        // What each property may be, in the units the calculation takes.
        double low = -1e30, high = 1e30;
        bool aboveLow = false;
        if (f.name == "ro")
            low = 0, high = 5000, aboveLow = true; // kg/m3
        else if (f.name == "nu")
            low = 0, high = 0.01, aboveLow = true; // m2/s
        else if (f.name == "C")
            low = 0, high = 1e5, aboveLow = true; // J/kgK
        for (float t : f.temperatures)
            if (std::string found = Outside(f.name + " Temperature", t, -100, 400); !found.empty())
                return found;
        if (f.mode == 1) {
            for (float v : f.pointValues)
                if (std::string found = Outside(f.name, v, low, high, aboveLow); !found.empty())
                    return found;
        } else {
            // A polynomial, where the medium is used.
            for (double t : {double(tempMin), 0.5 * (double(tempMin) + tempMax), double(tempMax)})
                if (std::string found = Outside(f.name, Evaluate(f, t), low, high, aboveLow); !found.empty())
                    return found;
        }
    }
    return {};
}

std::string ValveDBItem::ImplausibleNumber() const
{
    for (const ValveSubType& s : sizes) {
        std::string found = First(Outside("DN", s.dn, 0, kMaxDiameter),
                                  Outside("NoiceLimit", s.noiceLimit, -kMaxPressure, kMaxPressure),
                                  Outside("OpenedValue", s.openedValue, 0, kMaxPressure),
                                  Outside("ThermostaticValue", s.thermostaticValue, 0, kMaxPressure));
        for (const ValvePosition& p : s.positions) {
            if (!found.empty())
                break;
            // A flow factor of 0 is a closed valve, which no presetting is.
            found = resistMode == kKvMode ? Outside("ResistValue", p.resistValue, 0, kMaxFlowFactor, true)
                                          : Outside("ResistValue", p.resistValue, 0, kMaxPressure);
        }
        if (!found.empty())
            return s.sizeName + ": " + found;
    }
    return {};
}

std::string ResistDBItem::ImplausibleNumber() const
{
    if (std::string found = Outside("DefaultValue", defaultValue, 0, kMaxPressure); !found.empty())
        return found;
    for (const ResistSubType& s : sizes)
        if (std::string found =
                First(Outside("DN", s.dn, 0, kMaxDiameter), Outside("UniqueValue", s.uniqueValue, 0, kMaxPressure));
            !found.empty())
            return s.sizeName + ": " + found;
    return {};
}

} // namespace kalorina
