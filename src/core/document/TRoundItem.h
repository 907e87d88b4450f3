#pragma once
// A heating circuit fed from the manifold: parts of room fields in flow order, their
// power and tube length, the flow balance and temperatures of the parts, and the
// circuit's hydraulics.
#include <cstdint>
#include <string>
#include <vector>

#include "calc/CellFormat.h"
#include "calc/THydraulic.h"
#include "document/FloorHeatingRoundField.h"
#include "document/Stream.h"
#include "plan/LayoutData.h"

namespace kalorina {

class TDevices;
class TProject;
class TProjektOptions;

class TRoundItem {
public:
    enum ConnectionFlags : std::int16_t { kMassFlowGiven = 1, kSeries = 2 };
    // ApplyToFields gives up after this many rounds of field temperatures.
    static constexpr int kMaxApplyRounds = 50;

    TRoundItem() = default;
    // A new circuit: hydraulics and fittings from the project's options.
    explicit TRoundItem(const TProjektOptions& options);

    std::string roundName;
    float totalArea = 0; // m2
    std::int16_t connectionFlags = 0;
    std::vector<FloorHeatingRoundField> roundFields;
    THydraulic hydraulic;
    // The place of the circuit's manifold in the project's list.  The project file
    // keeps it beside the circuits, so the circuit's own record (also the clipboard's)
    // stays as it was.
    std::int32_t manifold = 0;
    // The tube as laid on the plan; once laid, its length is the circuit's tube
    // length instead of the estimate.  Stored beside the circuits as the manifold is.
    plan::CircuitLayout layout;

    void WriteToStream(TMemoryStream& s) const;
    // Raises the version error when the hydraulic data are of an unknown version.
    void ReadFromStream(TMemoryStream& s, int version);

    void TakeDefaultFittings(const TProjektOptions& options);
    void RegisterAreas(TProject& project);
    void RefreshRoomNames(const TProject& project);

    // Shares, flow balance, temperatures of the parts and hydraulics.  False (with
    // temperatures and hydraulics left as they were) when the parts give no power.
    bool Recalculate(const TProject& project, const TDevices& devices);
    // Splits the room fields to the parts and repeats setting the fields to the
    // parts' temperatures until they settle.  False when Recalculate is; raises a
    // KalorinaError when the temperatures do not settle within kMaxApplyRounds.
    bool ApplyToFields(TProject& project, const TDevices& devices);
    bool AnyFieldTemperaturesDiffer(const TProject& project);

    void SwapFields(std::size_t i, std::size_t j);
    void DeleteField(std::size_t i);

    float TotalPower() const { return hydraulic.power; }
    float TotalTubeLength() const { return hydraulic.tubeLength; }

    // Cell of the circuit list ("RoundItemTitle").
    std::string CellText(int column, const CellNumberFormat& format) const;

    bool operator==(const TRoundItem&) const = default;
};

} // namespace kalorina
