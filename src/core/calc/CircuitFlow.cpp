#include "calc/CircuitFlow.h"

namespace kalorina {

namespace {
// Without a usable flow or heat capacity no heat is carried: the water stays at the
// forward temperature rather than leaving a division by zero in the data.
bool CarriesHeat(const THydraulic& h)
{
    return h.massFlow > 0 && h.medium.specificHeat > 0;
}
} // namespace

void BalanceFlow(THydraulic& h, bool massFlowGiven, const TDevices& devices)
{
    TMedium& medium = h.medium;
    const double Q = h.power;
    const double tF = medium.forward;
    if (massFlowGiven) {
        if (h.massFlow > 0) {
            medium.return_ = medium.forward;
            for (int pass = 0; pass < 2; ++pass) {
                medium.UpdateProperties(devices);
                medium.return_ = CarriesHeat(h) ? static_cast<float>(tF - Q / h.massFlow * 3600 / medium.specificHeat)
                                                : medium.forward;
            }
        }
    } else {
        double d = tF - medium.return_;
        if (d > 0) {
            medium.UpdateProperties(devices);
            h.massFlow = medium.specificHeat > 0 ? static_cast<float>(Q / d / medium.specificHeat * 3600) : 0.0f;
        }
    }
}

std::vector<PartTemperatures> PartTemperaturesOf(const THydraulic& h, bool series, const std::vector<float>& partPowers)
{
    std::vector<PartTemperatures> temps(partPowers.size());
    const TMedium& medium = h.medium;
    if (series) {
        double t = medium.forward;
        bool flowing = CarriesHeat(h);
        for (std::size_t i = 0; i < partPowers.size(); ++i) {
            temps[i].inlet = static_cast<float>(t);
            if (flowing)
                t -= double(partPowers[i]) / h.massFlow * 3600 / medium.specificHeat;
            temps[i].outlet = static_cast<float>(t);
        }
    } else {
        for (auto& part : temps)
            part = {medium.forward, medium.return_};
    }
    return temps;
}

} // namespace kalorina
