#include "app/CircuitEditor.h"

#include <algorithm>

#include "app/DesignRules.h"
#include "calc/FloorHeatingField.h"
#include "document/LayoutInputs.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/InputRange.h"

namespace kalorina {

namespace {

// Runs a recomputation of the circuit; the text of its refusal, if it refused.
template <class Work>
std::optional<std::string> Refusal(Work&& work)
{
    try {
        work();
    } catch (const KalorinaError& e) {
        return std::string(e.what());
    }
    return std::nullopt;
}

} // namespace

CircuitDialogMemory& CircuitDialogState()
{
    static CircuitDialogMemory memory;
    return memory;
}

std::string HydraulicWarningText(int flags)
{
    std::string text;
    for (int bit = 0; bit < 7; ++bit)
        if (flags & (1 << bit)) {
            const std::string warning = Txt("IDS_HYDRAULICWARNING+" + std::to_string(bit));
            text += text.empty() || warning.empty() ? warning : " " + warning;
        }
    return text;
}

CircuitActions UpdateCircuitActions(int selected, int rows, bool roomFieldSelected)
{
    CircuitActions a;
    const bool part = selected >= 0 && selected < rows - 1;
    a.modify = a.remove = part;
    a.up = part && selected > 0;
    a.down = part && selected < rows - 2;
    a.add = roomFieldSelected;
    return a;
}

CircuitEditor::CircuitEditor(const TRoundItem& round, const TProject& project, const TDevices& devices)
    : round_(round), project_(project), devices_(devices)
{
    round_.RefreshRoomNames(project_);
}

CircuitTexts CircuitEditor::Texts() const
{
    const THydraulic& h = round_.hydraulic;
    CircuitTexts t;
    t.forward = General(h.medium.forward, 3);
    t.backward = General(h.medium.return_, 3);
    t.volume = General(h.massFlow, 4);
    t.extraLength = General(h.extraLength, 4);
    t.extraLengthMode = h.extraInMetres ? 1 : 0;
    t.pattern = static_cast<int>(round_.layout.pattern);
    t.availablePressure = General(h.availablePressure, 6);
    t.massFlowGiven = (round_.connectionFlags & TRoundItem::kMassFlowGiven) != 0;
    t.serial = (round_.connectionFlags & TRoundItem::kSeries) != 0;
    t.media = MediumChoices(devices_, h.medium.mediumName);
    t.valves = ValveChoices(devices_, h.valveName);
    t.medium = MediumPropertyTexts(h.medium);
    return t;
}

CircuitView CircuitEditor::View()
{
    const THydraulic& h = round_.hydraulic;
    CircuitView v;
    const bool massFlowGiven = (round_.connectionFlags & TRoundItem::kMassFlowGiven) != 0;
    if (massFlowGiven)
        v.backward = General(h.medium.return_, 3);
    else
        v.volume = General(h.massFlow, 4);
    v.backwardReadOnly = massFlowGiven;
    v.volumeReadOnly = !massFlowGiven;
    v.differentTemperatures = round_.AnyFieldTemperaturesDiffer(project_);
    ChoiceList media = MediumChoices(devices_, h.medium.mediumName);
    v.mediumReadOnly = media.selected != static_cast<int>(media.entries.size()) - 1;
    if (v.mediumReadOnly)
        v.medium = MediumPropertyTexts(h.medium);
    v.tubeType = h.tubeName;
    v.tubeSize = h.tubeSize;
    v.lengthOrigin = General(h.fieldsTubeLength, 4);
    v.length = General(h.tubeLength, 4);
    if (round_.layout.laid) {
        v.lengthStale = !LayoutCurrent(project_, round_);
        v.lengthSource = TextOrBuiltIn(v.lengthStale ? "IDS_LENGTHLAIDSTALE" : "IDS_LENGTHLAID");
    } else {
        v.lengthSource = TextOrBuiltIn("IDS_LENGTHESTIMATED");
    }
    v.speed = General(h.velocity, 3);
    v.pDin = General(h.dynamicPressure, 4);
    v.dpProMeter = General(h.pressureGradient, 4);
    v.dpTube = General(h.tubePressureDrop, 6);
    if (!h.valveName.empty()) {
        v.recommendedValveSize = h.autoValveSize;
        v.throttlePressure = Whole(h.valvePressureDrop);
        v.throttleRed =
            (h.flags & (THydraulic::kBitValveTooOpen | THydraulic::kBitValveTooClosed | THydraulic::kBitValveNoisy))
            != 0;
        v.valvePosition = WithDecimalSeparator(h.valvePosition);
    }
    v.dpResists = Whole(h.fittingsPressureDrop);
    v.pressureLoss = Whole(h.circuitPressureDrop);
    v.neededThrottle = Whole(h.RequiredThrottling());
    v.neededThrottleRed = (h.flags & THydraulic::kBitPressureExceeded) != 0;
    v.warnings = HydraulicWarningText(h.flags);
    return v;
}

std::optional<std::string> CircuitEditor::Recalculate()
{
    bool computed = true;
    failure_ = Refusal([&] { computed = round_.Recalculate(project_, devices_); });
    withoutPower_ = !failure_ && !computed;
    if (withoutPower_)
        failure_ = Txt("IDS_CIRCUITWITHOUTPOWER");
    return failure_;
}

std::optional<std::string> CircuitEditor::SetValues(const CircuitInputs& in)
{
    // Refused before anything is taken, so the working copy keeps its last state.
    if (!in.massFlowGiven)
        CheckTemperatureOrder(in.forward, in.backward);
    THydraulic& h = round_.hydraulic;
    // A number that still reads as Texts showed it is the stored one, to the last bit.
    auto kept = [](float stored, double typed, int digits) {
        return static_cast<float>(Retyped(stored, typed, General(stored, digits)));
    };
    h.medium.forward = kept(h.medium.forward, in.forward, 3);
    round_.connectionFlags = static_cast<std::int16_t>((in.massFlowGiven ? TRoundItem::kMassFlowGiven : 0)
                                                       | (in.serial ? TRoundItem::kSeries : 0));
    if (in.massFlowGiven)
        h.massFlow = kept(h.massFlow, in.volume, 4);
    else
        h.medium.return_ = kept(h.medium.return_, in.backward, 3);
    if (in.userDefinedMedium) {
        h.medium.mediumName.clear();
        h.medium.density = kept(h.medium.density, in.ro, 4);
        h.medium.viscosity = kept(h.medium.viscosity, in.nu, 4);
        h.medium.specificHeat = kept(h.medium.specificHeat, in.specificHeat, 4);
    } else {
        h.medium.mediumName = in.mediumName;
    }
    h.extraLength = kept(h.extraLength, in.extraLength, 4);
    h.extraInMetres = in.extraLengthMode == 1 ? 1 : 0;
    round_.layout.pattern = in.pattern == 1 ? plan::LoopPattern::Meander : plan::LoopPattern::Spiral;
    h.valveName = in.valveType;
    h.valveSize = StoredSize(in.valveSizeText);
    h.availablePressure = kept(h.availablePressure, in.availablePressure, 6);
    return Recalculate();
}

std::vector<std::string> CircuitEditor::RoomNames(bool onlyUnassigned)
{
    return project_.RoomListNames(&round_, onlyUnassigned);
}

std::vector<FieldListRow> CircuitEditor::RoomFieldRows(const std::string& roomName, const TListHeaderFormat& format,
                                                       bool onlyUnassigned)
{
    Recount();
    std::vector<FieldListRow> rows;
    for (const TRoomItem& room : project_.rooms)
        if (room.roomName == roomName) {
            auto more = FillFieldList(room, format, onlyUnassigned);
            rows.insert(rows.end(), more.begin(), more.end());
        }
    return rows;
}

std::vector<RowCells> CircuitEditor::FieldRows(const TListHeaderFormat& format) const
{
    std::vector<RowCells> rows;
    auto row = [&](const FloorHeatingRoundField& part, const FloorHeatingField* field) {
        RowCells cells;
        for (const TListHeaderFormatCol* col : format.VisibleColumns())
            cells.push_back(part.CellText(col->columnId, field, CellFormatOf(*col)));
        rows.push_back(std::move(cells));
    };
    for (const FloorHeatingRoundField& part : round_.roundFields)
        row(part, part.RoomField(project_));
    if (!round_.roundFields.empty()) {
        FloorHeatingRoundField sum;
        sum.SetUpSum(round_.totalArea, round_.TotalPower(), round_.TotalTubeLength());
        sum.roomRefName = Txt("IDS_FLOORHEATINGSUMCAPTION");
        sum.inletTemp = round_.roundFields.front().inletTemp;
        sum.outletTemp = round_.roundFields.back().outletTemp;
        row(sum, nullptr);
    }
    return rows;
}

bool CircuitEditor::AddField(const std::string& roomName, int fieldId, const AreaQuestion& ask)
{
    Recount();
    bool added = false;
    const std::int32_t roomId = project_.RoomIdByName(roomName);
    if (const TRoomItem* room = project_.FindRoomById(roomId))
        if (const FloorHeatingField* field = room->FindField(fieldId)) {
            FloorHeatingRoundField part;
            if (kalorina::AssignField(part, roomId, roomName, *field, ask)) {
                round_.roundFields.push_back(part);
                added = true;
            }
        }
    Recalculate();
    return added;
}

bool CircuitEditor::ModifyField(int index, const AreaQuestion& ask)
{
    if (index < 0 || index >= static_cast<int>(round_.roundFields.size()) || !ask)
        return false;
    Recount();
    FloorHeatingRoundField copy = round_.roundFields[index];
    double maximum = copy.assignedPart;
    if (const FloorHeatingField* field = copy.RoomField(project_))
        maximum += double(field->area) - field->assignedArea;
    if (!ask(copy, maximum))
        return false;
    round_.roundFields[index] = copy;
    Recalculate();
    return true;
}

void CircuitEditor::DeleteField(int index)
{
    round_.DeleteField(static_cast<std::size_t>(index));
    Recalculate();
}

int CircuitEditor::MoveField(int index, bool up)
{
    const int other = up ? index - 1 : index + 1;
    const int n = static_cast<int>(round_.roundFields.size());
    if (index < 0 || index >= n || other < 0 || other >= n)
        return index;
    round_.SwapFields(static_cast<std::size_t>(index), static_cast<std::size_t>(other));
    Recalculate();
    return other;
}

std::optional<std::string> CircuitEditor::ApplyToFields()
{
    bool computed = true;
    failure_ = Refusal([&] { computed = round_.ApplyToFields(project_, devices_); });
    withoutPower_ = !failure_ && !computed;
    if (withoutPower_)
        failure_ = Txt("IDS_CIRCUITWITHOUTPOWER");
    return failure_;
}

ValveSizeChoice CircuitEditor::ApplyValveType(const std::string& typeText, bool takeSize, const std::string& sizeText)
{
    THydraulic& h = round_.hydraulic;
    h.valveName = typeText;
    if (takeSize)
        h.valveSize = StoredSize(sizeText);
    return ValveSizes(devices_, h.valveName, h.valveSize);
}

const TRoundItem& CircuitEditor::Commit()
{
    // Parts without output leave temperatures and hydraulics as they were; the
    // circuit is kept all the same (the status bar has said so).
    if (auto failure = Recalculate(); failure && !withoutPower_)
        throw KalorinaError(*failure);
    return round_;
}

} // namespace kalorina
