#pragma once
// The flow and temperatures of a heating circuit carrying the power its parts give
// (THydraulic::power): the mass flow or the return temperature, whichever the
// circuit does not fix, and the water temperature at each part.
#include <vector>

#include "calc/THydraulic.h"

namespace kalorina {

class TDevices;

// With `massFlowGiven` the return temperature follows from the mass flow (the
// medium's properties taken twice, at the mean of forward and the return found);
// otherwise the mass flow follows from forward and return temperature.
void BalanceFlow(THydraulic& h, bool massFlowGiven, const TDevices& devices);

// The water temperature at one part: where it enters and where it leaves.
struct PartTemperatures {
    float inlet = 0;  // °C
    float outlet = 0; // °C
};

// In series each part cools the water by its own power (`partPowers`, W, in flow
// order); in parallel every part sees the forward and the return temperature.
std::vector<PartTemperatures> PartTemperaturesOf(const THydraulic& h, bool series,
                                                 const std::vector<float>& partPowers);

} // namespace kalorina
