#include "document/TRoundItem.h"

#include <cmath>
#include <utility>

#include "calc/CalcTexts.h"
#include "calc/CircuitFlow.h"
#include "calc/FloorHeatingField.h"
#include "document/CalcRecords.h"
#include "document/ImpossibleValue.h"
#include "document/Record.h"
#include "document/RecordMembers.h"
#include "document/TProject.h"
#include "document/TProjektOptions.h"
#include "util/Error.h"
#include "util/FloatFormat.h"

namespace kalorina {

namespace {
constexpr std::int16_t kBasicTag = 0x0101;
constexpr std::int16_t kPartTag = 0x0102;
constexpr std::int16_t kHydraulicTag = 0x0103;
constexpr std::int16_t kEndTag = 0x01FF;
constexpr RecordList kRoundRecords{kEndTag, EndTagForm::kWithLength, StreamEnd::kFails};
} // namespace

TRoundItem::TRoundItem(const TProjektOptions& options) : hydraulic(options)
{
    TakeDefaultFittings(options);
}

void TRoundItem::WriteToStream(TMemoryStream& s) const
{
    RecordWriter w(s, kRoundRecords);
    w.Write(kBasicTag, [&] { RoundMembers(*this, MemberWriter(s)); });
    for (const auto& part : roundFields)
        w.Write(kPartTag, [&] { part.Write(s); });
    // The hydraulic data follow their tag and a length of 0 directly.
    w.WriteUncounted(kHydraulicTag, [&] { WriteHydraulic(s, hydraulic); });
    w.End();
}

void TRoundItem::ReadFromStream(TMemoryStream& s, int version)
{
    CheckRecordVersion(version);
    ReadNamedRecord("IDS_DAMAGEDROUND", &roundName, [&] {
        ReadRecords(s, kRoundRecords,
                    {
                        {kBasicTag, [&] { RoundMembers(*this, MemberReader(s)); }},
                        {kPartTag, [&] { roundFields.emplace_back().Read(s); }},
                        {kHydraulicTag, [&] { ReadHydraulic(s, hydraulic, version); }},
                    });
    });
}

void TRoundItem::TakeDefaultFittings(const TProjektOptions& options)
{
    hydraulic.fittings = options.defaultFittings;
}

void TRoundItem::RegisterAreas(TProject& project)
{
    for (auto& part : roundFields)
        part.RegisterArea(project);
}

void TRoundItem::RefreshRoomNames(const TProject& project)
{
    for (auto& part : roundFields)
        part.RefreshRoomName(project);
}

bool TRoundItem::Recalculate(const TProject& project, const TDevices& devices)
{
    THydraulic& h = hydraulic;
    const bool massFlowGiven = (connectionFlags & kMassFlowGiven) != 0;
    float Q = 0, length = 0;
    totalArea = 0;
    h.power = 0;
    h.fieldsTubeLength = 0;
    if (!massFlowGiven)
        h.massFlow = 0;
    if (roundFields.empty()) {
        // Without parts the circuit lays no tube: nothing of a removed part stays
        // in the totals or the bill.
        h.tubeLength = 0;
        return true;
    }
    for (auto& part : roundFields) {
        part.ComputeShare(project);
        Q += part.partPower;
        length += part.partTubeLength;
        totalArea += part.assignedPart;
    }
    h.power = Q;
    h.fieldsTubeLength = length;
    if (!(Q > 0))
        return false;

    if (const FloorHeatingField* first = roundFields.front().RoomField(project))
        if (auto tube = first->SystemTube(devices)) {
            h.tubeName = tube->first;
            h.tubeSize = tube->second;
        }

    h.laidLength = layout.laid ? static_cast<float>(layout.length) : 0.0f;
    BalanceFlow(h, massFlowGiven, devices);
    std::vector<float> powers;
    for (const auto& part : roundFields)
        powers.push_back(part.partPower);
    auto temps = PartTemperaturesOf(h, (connectionFlags & kSeries) != 0, powers);
    for (std::size_t i = 0; i < roundFields.size(); ++i) {
        roundFields[i].inletTemp = temps[i].inlet;
        roundFields[i].outletTemp = temps[i].outlet;
    }
    h.Compute(devices);
    return true;
}

bool TRoundItem::ApplyToFields(TProject& project, const TDevices& devices)
{
    for (auto& part : roundFields)
        part.SplitRoomField(project, devices);
    // The parts' temperatures are brought up to date before they go to the fields:
    // a circuit never recalculated would otherwise hand its fields 0 °C.
    if (!Recalculate(project, devices))
        return false;
    for (int round = 0; round < kMaxApplyRounds; ++round) {
        for (auto& part : roundFields)
            part.ApplyTemperatures(project, devices);
        if (!Recalculate(project, devices))
            return false;
        if (!AnyFieldTemperaturesDiffer(project))
            return true;
    }
    throw KalorinaError(CalcText("IDS_TEMPERATURESNOTSETTLED"));
}

bool TRoundItem::AnyFieldTemperaturesDiffer(const TProject& project)
{
    for (auto& part : roundFields)
        if (part.FieldTemperaturesDiffer(project))
            return true;
    return false;
}

void TRoundItem::SwapFields(std::size_t i, std::size_t j)
{
    if (i < roundFields.size() && j < roundFields.size())
        std::swap(roundFields[i], roundFields[j]);
}

void TRoundItem::DeleteField(std::size_t i)
{
    if (i < roundFields.size())
        roundFields.erase(roundFields.begin() + static_cast<std::ptrdiff_t>(i));
}

std::string TRoundItem::CellText(int column, const CellNumberFormat& format) const
{
    const THydraulic& h = hydraulic;
    switch (column) {
    case 0:
        return roundName;
    case 1:
        return format(h.power);
    case 2:
        return format(h.massFlow);
    case 50:
        return format(totalArea);
    case 3:
        return h.tubeName;
    case 4:
        return h.tubeSize;
    case 18:
        return h.tubeName + " " + h.tubeSize;
    case 6:
        return format(h.tubeLength);
    case 17:
        return format(h.velocity);
    case 7:
        return format(h.pressureGradient);
    case 8:
        return format(h.tubePressureDrop);
    case 9:
        return format(h.dynamicPressure);
    case 10:
        return format(h.fittingsPressureDrop);
    case 11:
        return format(h.circuitPressureDrop);
    case 13:
        return format(h.availablePressure);
    case 12:
        return format(h.RequiredThrottling());
    case 15:
        return h.valveName;
    case 20:
        return h.ValveSizeInUse();
    case 19:
        return h.valveName + " " + h.ValveSizeInUse();
    case 16:
        return WithDecimalSeparator(h.valvePosition);
    case 14:
        return format(h.valvePressureDrop);
    default:
        return {};
    }
}

} // namespace kalorina
