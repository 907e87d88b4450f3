#pragma once
// The project options dialog's working copy and rules: thermal defaults, the
// default medium, the hydraulic defaults of new circuits and the default fittings.
#include <optional>
#include <string>

#include "app/FittingEditor.h"
#include "app/HydraulicChoices.h"
#include "document/TProjektOptions.h"

namespace kalorina {

class TDevices;

// The fittings tree of the dialog as it was last left, while the program runs.
FittingsTreeMemory& ProjectOptionsDialogState();

struct ProjectOptionsView {
    std::string inside, below, downK, lengthPlus, forward, backward, pressure;
    // The floor under the tubes; without one (files from before it) the downward k
    // is typed.
    bool buildUpGiven = false;
    std::string insulationR, slabR;
    int belowKind = 0;
    int lengthPlusMode = 1;
    ChoiceList media, valves;
    MediumTexts medium;
};

// Everything the dialog reads on OK, already parsed with its number kind.
struct ProjectOptionsInputs {
    double inside = 0, below = 0, downK = 0, lengthPlus = 0;
    int lengthPlusMode = 1;
    double forward = 0, backward = 0;
    bool userDefinedMedium = false;
    std::string mediumName;
    double ro = 0, nu = 0, specificHeat = 0;
    std::string valveType;
    double pressure = 0;
    // With a build-up, downK follows from it and `below` is its temperature.
    bool buildUpGiven = false;
    double insulationR = 0, slabR = 0;
    int belowKind = 0;
};

// The downward k a build-up gives, as the dialog shows it.
std::string DownKText(double insulationR, double slabR, int belowKind);

class ProjectOptionsEditor {
public:
    ProjectOptionsEditor(const TProjektOptions& options, const TDevices& devices);

    TProjektOptions& Options() { return options_; }
    ProjectOptionsView View() const;
    FittingList Fittings() { return FittingList(options_.defaultFittings, devices_); }

    // A catalogue medium chosen, or its temperatures left: the catalogue's
    // properties at the mean temperature; nothing for the user-defined medium, and
    // the copy's values unchanged for a medium the catalogue lacks.
    std::optional<MediumTexts> MediumChange(bool userDefined, const std::string& mediumName, double forward,
                                            double backward);
    // Stores the inputs; raises IDS_WRONGVALUE for a value out of its range (the
    // dialog's number kinds already refuse them: this guards other callers).
    const TProjektOptions& Commit(const ProjectOptionsInputs& inputs);

private:
    TProjektOptions options_;
    const TDevices& devices_;
};

} // namespace kalorina
