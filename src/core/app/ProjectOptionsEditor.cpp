#include "app/ProjectOptionsEditor.h"

#include "app/DesignRules.h"
#include "app/DialogEditor.h"
#include "util/InputRange.h"

namespace kalorina {

FittingsTreeMemory& ProjectOptionsDialogState()
{
    static FittingsTreeMemory memory;
    return memory;
}

ProjectOptionsEditor::ProjectOptionsEditor(const TProjektOptions& options, const TDevices& devices)
    : options_(options), devices_(devices)
{
}

std::string DownKText(double insulationR, double slabR, int belowKind)
{
    FloorBuildUp b;
    b.insulationResistance = static_cast<float>(insulationR);
    b.slabResistance = static_cast<float>(slabR);
    b.below = IsBelowKind(belowKind) ? static_cast<BelowKind>(belowKind) : BelowKind::HeatedRoom;
    return General(static_cast<float>(b.DownK()), 3);
}

ProjectOptionsView ProjectOptionsEditor::View() const
{
    ProjectOptionsView v;
    v.inside = General(options_.roomTemperature, 5);
    v.below = General(options_.belowTemperature, 3);
    v.downK = General(options_.downK, 3);
    const FloorBuildUp b = options_.buildUp.value_or(FloorBuildUp{});
    v.buildUpGiven = options_.buildUp.has_value();
    v.insulationR = General(b.insulationResistance, 3);
    v.slabR = General(b.slabResistance, 3);
    v.belowKind = static_cast<int>(b.below);
    v.lengthPlus = General(options_.extraLength, 3);
    v.forward = General(options_.medium.forward, 3);
    v.backward = General(options_.medium.return_, 3);
    v.pressure = General(options_.availablePressure, 6);
    v.lengthPlusMode = options_.extraLengthMode == 0 ? 0 : 1;
    v.media = MediumChoices(devices_, options_.medium.mediumName);
    v.valves = ValveChoices(devices_, options_.valveType);
    v.medium = MediumPropertyTexts(options_.medium);
    return v;
}

std::optional<MediumTexts> ProjectOptionsEditor::MediumChange(bool userDefined, const std::string& mediumName,
                                                              double forward, double backward)
{
    if (userDefined)
        return std::nullopt;
    TMedium& m = options_.medium;
    m.forward = static_cast<float>(forward);
    m.return_ = static_cast<float>(backward);
    m.mediumName = mediumName;
    m.UpdateProperties(devices_);
    return MediumPropertyTexts(m);
}

const TProjektOptions& ProjectOptionsEditor::Commit(const ProjectOptionsInputs& in)
{
    if (in.downK < 0 || in.lengthPlus < 0 || !(in.forward > 0) || !(in.backward > 0) || !(in.ro > 0) || !(in.nu > 0)
        || !(in.specificHeat > 0) || in.pressure < 0)
        RaiseText("IDS_WRONGVALUE");
    CheckTemperatureOrder(in.forward, in.backward);
    if (in.buildUpGiven) {
        if (!(in.insulationR >= 0 && in.insulationR <= kMaxLayerResistance && in.slabR >= 0
              && in.slabR <= kMaxLayerResistance)
            || !IsBelowKind(in.belowKind))
            RaiseText("IDS_LAYERRESISTANCERANGE");
    }
    // A number that still reads as View showed it is the stored one, to the last bit:
    // OK without an edit changes nothing.
    auto kept = [](float stored, double typed, int digits) {
        return static_cast<float>(Retyped(stored, typed, General(stored, digits)));
    };
    options_.roomTemperature = kept(options_.roomTemperature, in.inside, 5);
    if (in.buildUpGiven) {
        const FloorBuildUp was = options_.buildUp.value_or(FloorBuildUp{});
        FloorBuildUp b = was;
        b.insulationResistance = kept(was.insulationResistance, in.insulationR, 3);
        b.slabResistance = kept(was.slabResistance, in.slabR, 3);
        b.below = static_cast<BelowKind>(in.belowKind);
        b.belowTemperature = kept(options_.belowTemperature, in.below, 3);
        // Unchanged values keep the stored k to the last bit.
        if (options_.buildUp != b)
            options_.SetBuildUp(b);
    } else {
        options_.buildUp.reset();
        options_.belowTemperature = kept(options_.belowTemperature, in.below, 3);
        options_.downK = kept(options_.downK, in.downK, 3);
    }
    options_.extraLength = kept(options_.extraLength, in.lengthPlus, 3);
    options_.extraLengthMode = in.lengthPlusMode == 0 ? 0 : 1;
    TMedium& m = options_.medium;
    m.forward = kept(m.forward, in.forward, 3);
    m.return_ = kept(m.return_, in.backward, 3);
    m.mediumName = in.userDefinedMedium ? std::string() : in.mediumName;
    m.density = kept(m.density, in.ro, 4);
    m.viscosity = kept(m.viscosity, in.nu, 4);
    m.specificHeat = kept(m.specificHeat, in.specificHeat, 4);
    options_.valveType = in.valveType;
    options_.availablePressure = kept(options_.availablePressure, in.pressure, 6);
    return options_;
}

} // namespace kalorina
