#include "app/RoomEditor.h"

#include <algorithm>
#include <cmath>

#include "app/DesignRules.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/Rounding.h"
#include "catalogue/TDevices.h"
#include "lang/TLanguages.h"
#include "platform/Registry.h"
#include "util/FloatFormat.h"
#include "util/InputRange.h"
#include "util/TextCase.h"

namespace kalorina {

namespace {

std::string General(double value, int digits)
{
    return FloatToStrF(value, TFloatFormat::General, digits, 0);
}

int IndexIgnoringCase(const std::vector<std::string>& names, const std::string& name)
{
    for (std::size_t i = 0; i < names.size(); ++i)
        if (SameTextIgnoringCase(names[i], name))
            return static_cast<int>(i);
    return -1;
}

bool OpenRoomFunctionsKey(TRegistry& registry)
{
    return OpenRootKey(registry) && registry.OpenKey("RoomFunctions", true);
}

} // namespace

RoomDialogMemory& RoomDialogState()
{
    static RoomDialogMemory memory;
    return memory;
}

RoomActions UpdateRoomActions(int selectedFieldRow, int fieldRowCount, bool choiceSelected, bool optimumShown)
{
    RoomActions a;
    const bool field = selectedFieldRow >= 0 && selectedFieldRow < fieldRowCount - 1;
    a.modify = a.denser = a.wider = a.remove = field;
    a.add = choiceSelected;
    a.optimum = optimumShown;
    return a;
}

RoomEditor::RoomEditor(const TRoomItem& room, const TDevices& devices, const TProjektOptions& options)
    : room_(room), devices_(devices), options_(options)
{
}

RoomTexts RoomEditor::InitialTexts() const
{
    RoomTexts t;
    t.function = room_.roomFunction;
    t.area = General(room_.floorArea, 5);
    t.inside = General(room_.roomTemperature, 5);
    t.heatLoss = General(room_.heatDemand, 6);
    t.forward = General(options_.medium.forward, 3);
    t.ret = General(options_.medium.return_, 3);
    t.below = General(options_.belowTemperature, 3);
    // Six digits: a new field takes the k the build-up gives, not a rounded one.
    t.downK = General(options_.downK, 6);
    if (room_.buildUp) {
        t.below = General(room_.buildUp->belowTemperature, 3);
        t.downK = General(static_cast<float>(room_.buildUp->DownK()), 6);
    }
    return t;
}

std::optional<FloorBuildUp> RoomEditor::EffectiveBuildUp() const
{
    return room_.buildUp ? room_.buildUp : options_.buildUp;
}

void RoomEditor::SetBuildUp(const std::optional<FloorBuildUp>& buildUp)
{
    if (buildUp == room_.buildUp)
        return;
    room_.buildUp = buildUp;
    const std::optional<FloorBuildUp> b = EffectiveBuildUp();
    if (!b)
        return;
    for (auto& field : room_.fields) {
        field.belowTemp = b->belowTemperature;
        field.downK = static_cast<float>(b->DownK());
    }
}

bool RoomEditor::FunctionNamesBathroom(const std::string& function)
{
    auto lower = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(LowerCp1250(static_cast<unsigned char>(c)));
        return text;
    };
    const std::string f = lower(function);
    // Code page 1250: "fürdő", "zuhany".
    std::vector<std::string> words{"f\xFCrd\xF5", "zuhany", "bath", "shower"};
    const std::vector<std::string> builtIn = Languages().GetFamily("IDS_ROOMFUNCTION+");
    if (builtIn.size() > 3 && !builtIn[3].empty())
        words.push_back(lower(builtIn[3]));
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& w) { return f.find(w) != std::string::npos; });
}

std::vector<std::string> RoomEditor::RoomFunctions()
{
    std::vector<std::string> functions = Languages().GetFamily("IDS_ROOMFUNCTION+");
    TRegistry registry;
    if (!OpenRoomFunctionsKey(registry))
        return functions;
    for (const std::string& name : registry.GetValueNames()) {
        try {
            std::string text = registry.ReadString(name);
            if (!text.empty())
                functions.push_back(text);
        } catch (...) {
            // A value of another type is not a room function.
        }
    }
    return functions;
}

bool StoreRoomFunction(const std::string& function)
{
    TRegistry registry;
    if (!OpenRoomFunctionsKey(registry))
        return false;
    int n = 1;
    while (registry.ValueExists(std::to_string(n)))
        ++n;
    registry.WriteString(std::to_string(n), function);
    return true;
}

double RoomEditor::PowerRequest() const
{
    return RoundW(static_cast<double>(room_.heatDemand) - room_.FieldPowerSum());
}

double RoomEditor::FreeArea() const
{
    return std::floor((static_cast<double>(room_.floorArea) - room_.FieldAreaSum()) * 100.0 + 0.5) / 100.0;
}

std::string RoomEditor::PowerRequestText() const
{
    return General(PowerRequest(), 6);
}
std::string RoomEditor::FreeAreaText() const
{
    return General(FreeArea(), 6);
}

std::optional<SystemChoice> RoomEditor::SelectSystem(const std::string& nodeText, bool isSystem)
{
    RoomDialogMemory& memory = RoomDialogState();
    const bool hadSystem = system_ != nullptr;
    if (isSystem) {
        memory.lastFloorHeatingSystem = nodeText;
        if (system_ && system_->itemName == nodeText)
            return std::nullopt;
        system_ = devices_.Find<FloorHeatDBItem>(kFloorHeatingKind, nodeText);
    }
    SystemChoice choice;
    if (system_) {
        choice.name = system_->itemName;
        choice.link = system_->homePage;
        choice.coverings = system_->CoveringNames();
    }
    int index = choice.coverings.empty() ? -1 : 0;
    if (!memory.lastCovering.empty()) {
        index = IndexIgnoringCase(choice.coverings, memory.lastCovering);
        if (index < 0 && hadSystem && !choice.coverings.empty())
            index = 0;
    }
    if (index < 0) {
        // A covering the user typed last time stays with its R.
        choice.coveringText = memory.lastCovering;
        choice.rText = memory.lastCoveringR < 0 ? std::string() : General(memory.lastCoveringR, 4);
        return choice;
    }
    choice.coveringIndex = index;
    if (hadSystem || memory.lastCoveringR < 0)
        memory.lastCoveringR = system_->surfaces[index].heatResist;
    choice.rText = General(memory.lastCoveringR, 4);
    memory.lastCovering = choice.coverings[index];
    return choice;
}

std::optional<std::string> RoomEditor::CoveringChanged(const std::string& text)
{
    if (!system_)
        return std::nullopt;
    RoomDialogMemory& memory = RoomDialogState();
    memory.lastCovering = text;
    const int index = IndexIgnoringCase(system_->CoveringNames(), text);
    if (index < 0)
        return std::nullopt;
    memory.lastCoveringR = system_->surfaces[index].heatResist;
    return General(memory.lastCoveringR, 4);
}

ChooseListView RoomEditor::ChooseList(const ChooseInputs& in, const TListHeaderFormat& format)
{
    ChooseListView view;
    if (!system_)
        return view;
    RoomDialogState().lastCoveringR = in.R;
    for (int s = 0; s < static_cast<int>(system_->distances.size()); ++s)
        view.rows.push_back(FillChooseRow(system_->SpacingRow(in.R, s, in.design), in.zone, format));
    const OptimumSplitResult split = system_->OptimumSplit(in.R, in.design);
    if (split.spacing1 != 0) {
        view.distance1 = std::to_string(split.spacing1);
        view.surface1 = FloatToStrF(split.area1, TFloatFormat::Fixed, 15, 2);
    }
    if (split.spacing2 != 0) {
        view.distance2 = std::to_string(split.spacing2);
        view.surface2 = FloatToStrF(split.area2, TFloatFormat::Fixed, 15, 2);
    }
    return view;
}

std::vector<RowCells> RoomEditor::FieldRows(const TListHeaderFormat& format) const
{
    std::vector<RowCells> rows;
    for (const FieldListRow& row : FillFieldList(room_, format, false))
        rows.push_back(row.cells);
    if (!room_.fields.empty())
        rows.push_back(FillListRow(RoomTotalsField(room_), format));
    return rows;
}

void RoomEditor::SetRoomValues(const std::string& function, double area, double inside, double heatLoss)
{
    room_.roomFunction = function;
    // The texts InitialTexts shows: what still reads as they do is the room's own value.
    room_.floorArea = static_cast<float>(Retyped(room_.floorArea, area, General(room_.floorArea, 5)));
    room_.roomTemperature =
        static_cast<float>(Retyped(room_.roomTemperature, inside, General(room_.roomTemperature, 5)));
    const float typed = static_cast<float>(Retyped(room_.heatDemand, heatLoss, General(room_.heatDemand, 6)));
    // A heat loss typed over the one the room's building gives is the engineer's
    // own value from then on ("kézi érték"): the building no longer overrides it.
    if (typed != room_.heatDemand && room_.heatLoad && !room_.heatLoad->elements.empty())
        room_.heatLoad->manual = true;
    room_.heatDemand = typed;
    // A new area or inside temperature moves the load of a room computed from its building.
    if (HeatLossComputed())
        room_.heatDemand = AppliedHeatLoss(ComputedHeatLoad().total);
}

void RoomEditor::SetHeatLoad(std::optional<RoomHeatLoad> data)
{
    room_.heatLoad = std::move(data);
    if (HeatLossComputed())
        room_.heatDemand = AppliedHeatLoss(ComputedHeatLoad().total);
}

RoomLoad RoomEditor::ComputedHeatLoad() const
{
    return climate_ ? RoomHeatLoadOf(room_, *climate_) : RoomLoad{};
}

bool RoomEditor::HeatLossComputed() const
{
    return climate_ && room_.heatLoad && !room_.heatLoad->elements.empty() && !room_.heatLoad->manual;
}

void RoomEditor::RecomputeFields()
{
    room_.RecomputeFields(devices_);
}

FloorHeatingField RoomEditor::MakeField(const ChooseInputs& in, int spacing, int zone, double area)
{
    FloorHeatingField field = NewField(options_);
    field.SetUp(*system_, in.covering, in.R, spacing, zone, area, in.design, room_.nextFieldId);
    ++room_.nextFieldId;
    return field;
}

bool RoomEditor::AddField(const ChooseInputs& in, int spacing, const AreaAsk& askArea)
{
    if (!system_)
        return false;
    RoomDialogState().lastCoveringR = in.R;
    const int index = system_->SpacingIndex(spacing);
    if (index < 0)
        return false;
    const SpacingRowResult row = system_->SpacingRow(in.R, index, in.design);
    if (!(row.area > 0))
        return false;
    // The proposal is the spacing's share of the area typed for the choice; the
    // limit is the floor the room still has free.
    const double available = AreaAvailableFor(-1);
    double area = std::min(static_cast<double>(row.area), available);
    int zone = in.zone;
    if (!askArea || !askArea(area, zone, available) || !(area > 0))
        return false;
    CheckAreaWithin(area, available);
    room_.fields.push_back(MakeField(in, spacing, zone, area));
    return true;
}

int RoomEditor::AddOptimum(const ChooseInputs& in, const std::vector<std::pair<int, double>>& proposals)
{
    if (!system_)
        return 0;
    RoomDialogState().lastCoveringR = in.R;
    double total = 0;
    for (const auto& [spacing, area] : proposals)
        if (system_->SpacingIndex(spacing) >= 0)
            total += area;
    CheckAreaWithin(total, AreaAvailableFor(-1));
    int added = 0;
    for (const auto& [spacing, area] : proposals) {
        if (system_->SpacingIndex(spacing) < 0)
            continue;
        room_.fields.push_back(MakeField(in, spacing, in.zone, area));
        ++added;
    }
    return added;
}

void RoomEditor::Denser(int index)
{
    if (index >= 0 && index < static_cast<int>(room_.fields.size()))
        room_.fields[index].Denser(devices_, room_.roomTemperature);
}

void RoomEditor::Wider(int index)
{
    if (index >= 0 && index < static_cast<int>(room_.fields.size()))
        room_.fields[index].Wider(devices_, room_.roomTemperature);
}

void RoomEditor::ReplaceField(int index, const FloorHeatingField& field)
{
    if (index < 0 || index >= static_cast<int>(room_.fields.size()))
        return;
    CheckAreaWithin(field.area, AreaAvailableFor(index));
    room_.fields[index] = field;
}

void RoomEditor::DeleteField(int index)
{
    if (index < 0 || index >= static_cast<int>(room_.fields.size()))
        return;
    // The identifier is not given out again while the dialog is open: a circuit that
    // used the deleted field must find it gone, not take a new field in its place.
    room_.fields.erase(room_.fields.begin() + index);
}

double RoomEditor::AreaAvailableFor(int index) const
{
    double available = static_cast<double>(room_.floorArea) - room_.FieldAreaSum();
    if (index >= 0 && index < static_cast<int>(room_.fields.size()))
        available += room_.fields[index].area;
    return std::max(available, 0.0);
}

const TRoomItem& RoomEditor::Commit(const std::vector<std::string>& listedFunctions)
{
    CheckRoomAreas(room_.floorArea, room_.heatDemand, room_.FieldAreaSum());
    RecomputeFields();
    if (!room_.roomFunction.empty() && IndexIgnoringCase(listedFunctions, room_.roomFunction) < 0)
        StoreRoomFunction(room_.roomFunction);
    return room_;
}

} // namespace kalorina
