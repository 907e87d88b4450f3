#pragma once
// The hydraulic data and results of one heating circuit: tube, lengths, medium,
// fittings, the circuit's resistance against the pressure available at the
// manifold, and the balancing valve's size and presetting.  Missing catalogue items
// and valve troubles become warning bits, never failures.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "calc/CircuitDefaults.h"
#include "calc/TMedium.h"
#include "calc/TResist.h"

namespace kalorina {

class TDevices;

class THydraulic {
public:
    enum Flags : std::int16_t {
        kBitTubeMissing = 1,
        kBitFittingErrors = 2,
        kBitValveMissing = 4,
        kBitValveTooOpen = 8,      // even fully open the valve throttles more than required
        kBitValveTooClosed = 16,   // the valve cannot throttle as much as required
        kBitPressureExceeded = 32, // the resistance exceeds the available pressure
        kBitValveNoisy = 64,       // the required throttling exceeds the noise limit
    };

    THydraulic() = default;
    // A new circuit's data: reset, then the extra length, medium, valve and available
    // pressure of the defaults (the project's options).
    explicit THydraulic(const CircuitDefaults& options);

    std::string tubeName;
    std::string tubeSize;
    float fieldsTubeLength = 0;     // m
    float extraLength = 0;          // m or %
    std::int16_t extraInMetres = 0; // stored 16-bit flag
    float tubeLength = 0;           // m
    // The tube as laid on the plan (supply route, loops, return route), m; when
    // above 0 it is the tube length instead of the fields' estimate and the extra
    // length.  Not part of the stored hydraulic data: the circuit's layout holds it.
    float laidLength = 0;
    std::int16_t tubeDN = 0;        // mm
    std::int16_t tubeValveDN = 0;   // mm
    float tubePressureDrop = 0;     // Pa
    std::string valveName;
    std::string valveSize; // empty: automatic
    std::string autoValveSize;
    float valvePressureDrop = 0; // Pa
    std::string valvePosition;
    std::vector<TResist> fittings;
    float power = 0;    // W
    float massFlow = 0; // kg/h
    TMedium medium;
    float velocity = 0;             // m/s
    float pressureGradient = 0;     // Pa/m
    float dynamicPressure = 0;      // Pa
    float circuitPressureDrop = 0;  // Pa
    float availablePressure = 0;    // Pa
    float fittingsPressureDrop = 0; // Pa
    std::int16_t flags = 0;

    void Reset() { *this = THydraulic(); }
    const std::string& ValveSizeInUse() const { return valveSize.empty() ? autoValveSize : valveSize; }
    // The throttling the valve has to take up.
    double RequiredThrottling() const { return double(availablePressure) - circuitPressureDrop; }
    // Volume flow in m3/s; 0 without a usable density.
    double VolumeFlow() const;

    // Tube, fittings and valve for the flow the circuit has set (power, massFlow and
    // the medium's temperatures).
    void Compute(const TDevices& devices);

    std::string TubeDisplayName(const TDevices& devices) const;
    std::string ValveDisplayName(const TDevices& devices, bool markMissing) const;
    // "85.3 + 10% = 93.83", or the total alone without extra length.
    std::string LengthText(char decimalSeparator) const;

    bool operator==(const THydraulic&) const = default;
};

} // namespace kalorina
