#pragma once
// The rules of the two field dialogs: changing one field of a room with its results
// shown live, and setting the area of a room field that a circuit takes.
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "calc/FloorHeatingField.h"
#include "document/FloorHeatingRoundField.h"

namespace kalorina {

class FloorHeatDBItem;
class TDevices;

// What the system-dependent controls show after a system was chosen.
struct FieldChoices {
    bool found = false; // the system is in the catalogue
    std::vector<std::string> coverings;
    int coveringIndex = -1; // -1: the combo shows the field's covering as text
    std::string coveringR;  // with coveringIndex 0: the R of that covering
    std::string coveringText;
    std::string rLimits; // "(0 - 0.15) m2K/W"
    std::vector<std::string> spacings;
    int spacingIndex = 0;
    std::string link;
};

// The edits of the field dialog, already read.
struct FieldInputs {
    std::string covering;
    double R = 0;
    int spacing = 0;
    double area = 0;
    int zone = 0;
    double forward = 0, ret = 0, below = 0, downK = 0;
};

struct FieldTexts {
    std::string R, area, forward, ret, below, downK, roomTemperature;
    int zone = 0;
};

struct FieldResults {
    std::string length, surfaceTemperature, q, power, downPower, powerSum;
    bool surfaceTooWarm = false; // above the zone's limit: shown red
};

class FieldEditor {
public:
    // `inside` is the room's inside temperature.  A field whose system is no longer
    // in the catalogue takes the first system.
    FieldEditor(const FloorHeatingField& field, double inside, const TDevices& devices);

    const FloorHeatingField& Field() const { return field_; }
    // The catalogue's systems, sorted, and the one the field uses.
    const std::vector<std::string>& SystemNames() const { return systems_; }
    int SystemIndex() const { return systemIndex_; }

    FieldChoices LoadSystemChoices();
    FieldTexts Texts() const;
    FieldResults Results() const;

    // Another system: the field takes it and its choices are loaded.
    FieldChoices SystemChanged(const std::string& name);
    // R of a catalogue covering other than the field's, to show before applying.
    std::optional<std::string> CoveringChanged(const std::string& text) const;
    // The floor the field may take in its room; without it, any area.
    void LimitArea(double maximum) { maximumArea_ = maximum; }
    // Copies the inputs into the field and recomputes it at the room temperature;
    // raises the calculation's failure, or IDS_AREAABOVEMAXIMUM (changing nothing).
    void Apply(const FieldInputs& inputs);

private:
    const FloorHeatDBItem* FindSystem() const;

    FloorHeatingField field_;
    double inside_;
    double maximumArea_ = std::numeric_limits<double>::infinity();
    const TDevices& devices_;
    std::vector<std::string> systems_;
    int systemIndex_ = -1;
};

// The area a circuit takes of a room field: at most `maximum` m2.
class FieldAreaEditor {
public:
    FieldAreaEditor(FloorHeatingRoundField& part, double maximum) : part_(part), maximum_(maximum) {}
    std::string AreaText() const;
    std::string MaximumText() const;
    // Stores the area in the part; raises IDS_AREAABOVEMAXIMUM, naming the maximum,
    // and changes nothing when it exceeds the maximum by more than 0.0001 m2.
    void Commit(double area);

private:
    FloorHeatingRoundField& part_;
    double maximum_;
};

} // namespace kalorina
