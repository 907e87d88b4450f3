#pragma once
// The choice lists the circuit and project options dialogs share: media, valve
// types and a valve's sizes, and the number forms of their edits.
#include <string>
#include <vector>

namespace kalorina {

class TDevices;
struct TMedium;

struct ChoiceList {
    std::vector<std::string> entries;
    int selected = -1; // -1: nothing selected
};

// The catalogue media in catalogue order, then the user-defined medium; `mediumName`
// is selected ignoring case, the user-defined medium when it is not listed.
ChoiceList MediumChoices(const TDevices& devices, const std::string& mediumName);
// The catalogue valve names, sorted; `valveName` selected when listed.
ChoiceList ValveChoices(const TDevices& devices, const std::string& valveName);

// The valve size list: the automatic entry, then the valve's sizes; `found` false
// (and no entries) when the valve is not in the catalogue.
struct ValveSizeChoice {
    bool found = false;
    ChoiceList sizes;
    std::string link; // the valve's document
};
ValveSizeChoice ValveSizes(const TDevices& devices, const std::string& valveName, const std::string& sizeName);
// A size as the list shows it, stored empty for the automatic entry.
std::string StoredSize(const std::string& sizeText);

std::string AutoText();
std::string UserDefinedText();

// Numbers in general form with up to `digits` significant digits.
std::string General(double value, int digits);
// Whole units, fixed notation.
std::string Whole(double value);

// Density, viscosity and specific heat of a medium as the edits show them.
struct MediumTexts {
    std::string ro, nu, specificHeat;
};
MediumTexts MediumPropertyTexts(const TMedium& medium);

} // namespace kalorina
