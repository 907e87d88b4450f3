#include "calc/THydraulic.h"

#include <cmath>

#include "catalogue/DeviceKind.h"
#include "catalogue/TDevices.h"
#include "catalogue/TubeDBItem.h"
#include "catalogue/ValveDBItem.h"
#include "util/FloatFormat.h"

namespace kalorina {

namespace {
float Finite(double x)
{
    return std::isfinite(x) ? static_cast<float>(x) : 0.0f;
}
} // namespace

THydraulic::THydraulic(const CircuitDefaults& options)
{
    extraLength = options.extraLength;
    extraInMetres = options.extraLengthMode == 1 ? 1 : 0;
    medium = options.medium;
    valveName = options.valveType;
    availablePressure = options.availablePressure;
}

double THydraulic::VolumeFlow() const
{
    if (!(medium.density > 0) || !(massFlow > 0))
        return 0;
    double v = double(massFlow) / medium.density / 3600;
    return std::isfinite(v) ? v : 0;
}

void THydraulic::Compute(const TDevices& devices)
{
    flags = 0;
    double length =
        extraInMetres ? double(fieldsTubeLength) + extraLength : double(fieldsTubeLength) * (1 + extraLength * 0.01);
    if (laidLength > 0)
        length = laidLength;
    tubeLength = Finite(std::floor(100 * length + 0.5) * 0.01);

    velocity = pressureGradient = dynamicPressure = 0;
    tubeDN = tubeValveDN = 0;
    const double V = VolumeFlow();
    const double rho = medium.density;
    if (!tubeName.empty()) {
        const auto* tube = devices.Find<TubeDBItem>(kTubeKind, tubeName);
        if (!tube) {
            flags |= kBitTubeMissing;
        } else {
            tubeDN = static_cast<std::int16_t>(tube->SizeDN(tubeSize));
            tubeValveDN = static_cast<std::int16_t>(tube->SizeValveDN(tubeSize));
            pressureGradient = Finite(tube->PressureGradient(tubeSize, V, rho, medium.viscosity));
            velocity = Finite(tube->Velocity(tubeSize, V));
            dynamicPressure = Finite(rho * 0.5 * double(velocity) * velocity);
        }
    }
    tubePressureDrop = Finite(std::floor(double(tubeLength) * pressureGradient + 0.5));

    // The lines add up in the stored single, and that sum is what gets rounded.
    fittingsPressureDrop = 0;
    for (auto& fitting : fittings) {
        double drop = fitting.Compute(devices, tubeDN, tubeValveDN, V, dynamicPressure, rho);
        fittingsPressureDrop = Finite(double(fittingsPressureDrop) + drop);
        if (fitting.errors != 0)
            flags |= kBitFittingErrors;
    }
    fittingsPressureDrop = Finite(std::floor(double(fittingsPressureDrop) + 0.5));
    circuitPressureDrop = tubePressureDrop + fittingsPressureDrop;

    valvePressureDrop = 0;
    autoValveSize.clear();
    valvePosition.clear();
    if (valveName.empty())
        return;
    const auto* valve = devices.Find<ValveDBItem>(kValveKind, valveName);
    if (!valve) {
        flags |= kBitValveMissing;
        return;
    }
    autoValveSize = valve->SizeByDN(tubeValveDN);
    valvePressureDrop = Finite(valve->OpenDrop(ValveSizeInUse(), V, rho));
    if (double(circuitPressureDrop) - availablePressure > 0.5)
        flags |= kBitPressureExceeded;
    ValveChoice choice = valve->ChoosePosition(ValveSizeInUse(), RequiredThrottling(), V, rho);
    valvePosition = choice.positionString;
    valvePressureDrop = Finite(choice.pressureDrop);
    if (choice.warning == ValveWarning::kValveTooOpen)
        flags |= kBitValveTooOpen;
    else if (choice.warning == ValveWarning::kValveTooClosed)
        flags |= kBitValveTooClosed;
    else if (choice.warning == ValveWarning::kValveNoisy)
        flags |= kBitValveNoisy;
}

std::string THydraulic::TubeDisplayName(const TDevices& devices) const
{
    if (tubeName.empty())
        return {};
    if (const auto* tube = devices.Find<TubeDBItem>(kTubeKind, tubeName))
        return tube->DisplayName(tubeSize);
    return tubeName + " " + tubeSize;
}

std::string THydraulic::ValveDisplayName(const TDevices& devices, bool markMissing) const
{
    if (valveName.empty())
        return {};
    std::string text = markMissing && (flags & kBitValveMissing) ? "\\red" : "";
    if (const auto* valve = devices.Find<ValveDBItem>(kValveKind, valveName))
        return text + valve->DisplayName(ValveSizeInUse());
    return text + valveName + " " + ValveSizeInUse();
}

std::string THydraulic::LengthText(char sep) const
{
    if (extraLength == 0 || laidLength > 0)
        return FloatToStrF(tubeLength, TFloatFormat::General, 4, 0, sep);
    return FloatToStrF(fieldsTubeLength, TFloatFormat::General, 4, 0, sep) + " + "
        + FloatToStrF(extraLength, TFloatFormat::General, 4, 0, sep) + (extraInMetres ? "m = " : "% = ")
        + FloatToStrF(tubeLength, TFloatFormat::General, 4, 0, sep);
}

} // namespace kalorina
