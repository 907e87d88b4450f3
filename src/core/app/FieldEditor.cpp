#include "app/FieldEditor.h"

#include <algorithm>

#include "app/DesignRules.h"
#include "app/DialogEditor.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/TDevices.h"
#include "lang/Alphabet.h"
#include "util/FloatFormat.h"
#include "util/InputRange.h"
#include "util/TextCase.h"

namespace kalorina {

namespace {

std::string General(double value, int digits)
{
    return FloatToStrF(value, TFloatFormat::General, digits, 0);
}

} // namespace

FieldEditor::FieldEditor(const FloorHeatingField& field, double inside, const TDevices& devices)
    : field_(field), inside_(inside), devices_(devices)
{
    systems_ = devices.FillDeviceCombo(kFloorHeatingKind);
    SortAlphabetically(systems_);
    for (std::size_t i = 0; i < systems_.size() && systemIndex_ < 0; ++i)
        if (SameTextIgnoringCase(systems_[i], field_.systemName))
            systemIndex_ = static_cast<int>(i);
    if (systemIndex_ < 0 && !systems_.empty()) {
        systemIndex_ = 0;
        field_.systemName = systems_[0];
    }
    if (systemIndex_ >= 0)
        field_.systemName = systems_[systemIndex_];
}

const FloorHeatDBItem* FieldEditor::FindSystem() const
{
    return devices_.Find<FloorHeatDBItem>(kFloorHeatingKind, field_.systemName);
}

FieldChoices FieldEditor::LoadSystemChoices()
{
    FieldChoices c;
    const FloorHeatDBItem* system = FindSystem();
    if (!system)
        return c;
    c.found = true;
    c.coverings = system->CoveringNames();
    c.coveringText = field_.coveringName;
    const auto [low, high] = system->ResistanceRange();
    c.rLimits = "(" + General(low, 4) + " - " + General(high, 4) + ") m2K/W";
    if (!system->surfaces.empty() && (field_.resistance < low || field_.resistance > high)) {
        c.coveringIndex = 0;
        c.coveringR = General(system->surfaces[0].heatResist, 4);
    }
    c.spacings = system->SpacingNames();
    c.spacingIndex = system->SpacingIndex(field_.spacing);
    if (c.spacingIndex < 0) {
        c.spacingIndex = 0;
        if (!system->distances.empty())
            field_.spacing = system->distances[0].distance;
    }
    c.link = system->homePage;
    return c;
}

FieldTexts FieldEditor::Texts() const
{
    FieldTexts t;
    t.R = General(field_.resistance, 4);
    t.area = General(field_.area, 5);
    t.forward = General(field_.forward, 3);
    t.ret = General(field_.return_, 3);
    t.below = General(field_.belowTemp, 3);
    t.downK = General(field_.downK, 4);
    t.roomTemperature = General(inside_, 3);
    t.zone = std::clamp<int>(field_.zoneType, 0, 2);
    return t;
}

FieldResults FieldEditor::Results() const
{
    FieldResults r;
    r.length = General(field_.tubeLength, 4);
    r.surfaceTemperature = General(field_.surfaceTemp, 3);
    r.surfaceTooWarm = field_.surfaceTemp > FloorHeatDBItem::ZoneSurfaceLimit(field_.zoneType);
    r.q = General(field_.specificOutput, 4);
    r.power = General(field_.power, 6);
    r.downPower = General(field_.downPower, 6);
    r.powerSum = General(static_cast<double>(field_.power) + field_.downPower, 6);
    return r;
}

FieldChoices FieldEditor::SystemChanged(const std::string& name)
{
    field_.systemName = name;
    for (std::size_t i = 0; i < systems_.size(); ++i)
        if (systems_[i] == name)
            systemIndex_ = static_cast<int>(i);
    return LoadSystemChoices();
}

std::optional<std::string> FieldEditor::CoveringChanged(const std::string& text) const
{
    const FloorHeatDBItem* system = FindSystem();
    if (!system || text == field_.coveringName)
        return std::nullopt;
    for (const auto& surface : system->surfaces)
        if (SameTextIgnoringCase(surface.surfaceName, text))
            return General(surface.heatResist, 4);
    return std::nullopt;
}

void FieldEditor::Apply(const FieldInputs& in)
{
    CheckAreaWithin(in.area, maximumArea_);
    field_.coveringName = in.covering;
    // A number that still reads as Texts showed it is the stored one, to the last bit.
    auto kept = [](float stored, double typed, int digits) {
        return static_cast<float>(Retyped(stored, typed, General(stored, digits)));
    };
    field_.resistance = kept(field_.resistance, in.R, 4);
    field_.spacing = static_cast<std::int16_t>(in.spacing);
    field_.area = kept(field_.area, in.area, 5);
    field_.zoneType = static_cast<std::int16_t>(in.zone);
    field_.forward = kept(field_.forward, in.forward, 3);
    field_.return_ = kept(field_.return_, in.ret, 3);
    field_.belowTemp = kept(field_.belowTemp, in.below, 3);
    field_.downK = kept(field_.downK, in.downK, 4);
    field_.Recompute(devices_, inside_);
}

std::string FieldAreaEditor::AreaText() const
{
    return General(part_.assignedPart, 5);
}
std::string FieldAreaEditor::MaximumText() const
{
    return AreaToStr(maximum_);
}

void FieldAreaEditor::Commit(double area)
{
    // A refused area leaves the part as it was.
    CheckAreaWithin(static_cast<float>(area), maximum_);
    part_.assignedPart = static_cast<float>(Retyped(part_.assignedPart, area, AreaText()));
}

} // namespace kalorina
