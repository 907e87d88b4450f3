#pragma once
// The circuit dialog's working copy and rules: which room fields the circuit takes
// and in which order, its temperatures, medium and hydraulics, recalculated after
// every change, and the texts and flags the dialog shows of the results.
#include <optional>
#include <string>
#include <vector>

#include "app/EditItem.h"
#include "app/FieldRows.h"
#include "app/FittingEditor.h"
#include "app/HydraulicChoices.h"
#include "document/TProject.h"
#include "document/TRoundItem.h"

namespace kalorina {

class TDevices;

// What the circuit dialog remembers from one opening to the next while the program runs.
struct CircuitDialogMemory {
    int lastPage = 0;
    bool lastOnlyNotUsed = false;
    FittingsTreeMemory fittingsTree;
};
CircuitDialogMemory& CircuitDialogState();

// The dialog's edits, already parsed.  Only the values that are given are taken:
// the mass flow when it is fixed, else the return temperature; the medium's
// properties only for the user-defined medium.
struct CircuitInputs {
    double forward = 0;
    bool massFlowGiven = false;
    bool serial = false;
    double volume = 0;
    double backward = 0;
    bool userDefinedMedium = false;
    std::string mediumName;
    double ro = 0, nu = 0, specificHeat = 0;
    double extraLength = 0;
    int extraLengthMode = 0; // 0 percent, 1 metres
    int pattern = 0;         // the loop pattern the tube is laid in: 0 spiral, 1 meander
    std::string valveType;
    std::string valveSizeText;
    double availablePressure = 0;
};

struct CircuitTexts {
    std::string forward, backward, volume, extraLength, availablePressure;
    int extraLengthMode = 0;
    int pattern = 0;
    bool massFlowGiven = false, serial = false;
    ChoiceList media, valves;
    MediumTexts medium;
};

struct CircuitView {
    // The computed one of return temperature and mass flow, the other empty.
    std::string backward, volume;
    bool backwardReadOnly = true, volumeReadOnly = false;
    bool differentTemperatures = false; // the warning and "Átszámít"
    std::optional<MediumTexts> medium;  // a catalogue medium's properties
    bool mediumReadOnly = true;
    std::string tubeType, tubeSize, lengthOrigin, length, speed, dpProMeter, dpTube, pDin;
    // Which length the hydraulics use: the tube as laid on the plan, or the estimate.
    std::string lengthSource;
    bool lengthStale = false; // laid, but the plan or the parts changed since
    std::string recommendedValveSize, throttlePressure, valvePosition;
    bool throttleRed = false;
    std::string dpResists, pressureLoss, neededThrottle;
    bool neededThrottleRed = false;
    // The warnings of the hydraulic calculation, for the status bar; empty without.
    std::string warnings;
};

// The texts of the set warning bits of a circuit's hydraulics, joined by blanks.
std::string HydraulicWarningText(int flags);

struct CircuitActions {
    bool modify = false, remove = false, up = false, down = false, add = false;
};
// `selected` is the row of the circuit's field list (-1 none), `rows` its row count
// with the totals row.
CircuitActions UpdateCircuitActions(int selected, int rows, bool roomFieldSelected);

class CircuitEditor {
public:
    // Works on copies of the circuit and of `project`: "Átszámít" changes the copy's
    // room fields, which OK hands back with the circuit (Rooms) and Cancel drops.
    CircuitEditor(const TRoundItem& round, const TProject& project, const TDevices& devices);

    TRoundItem& Round() { return round_; }
    const TRoundItem& Round() const { return round_; }
    // The working copy of the project, its rooms as the dialog changed them.
    TProject& Project() { return project_; }
    const std::vector<TRoomItem>& Rooms() const { return project_.rooms; }
    const TDevices& Devices() const { return devices_; }

    CircuitTexts Texts() const;
    CircuitView View();

    // Recalculates; the failure's text, if any.
    std::optional<std::string> Recalculate();
    // The failure of the latest recalculation (after any change of the parts, the
    // values or "Átszámít"), if it failed; parts that give no output are one.
    const std::optional<std::string>& Failure() const { return failure_; }
    // Takes the inputs, then recalculates.
    std::optional<std::string> SetValues(const CircuitInputs& inputs);

    // Room choice: the rooms that offer fields (with `onlyUnassigned` only those
    // with area still free) and the fields of the named room.
    std::vector<std::string> RoomNames(bool onlyUnassigned);
    std::vector<FieldListRow> RoomFieldRows(const std::string& roomName, const TListHeaderFormat& format,
                                            bool onlyUnassigned);
    // The circuit's parts, then the totals row when there is a part.
    std::vector<RowCells> FieldRows(const TListHeaderFormat& format) const;

    // Adds the free area of field `fieldId` of the room named `roomName`, as far as
    // `ask` confirms; true when a part was added.  Recalculates in any case.
    bool AddField(const std::string& roomName, int fieldId, const AreaQuestion& ask);
    // Changes the area of part `index`; its own area counts as free.
    bool ModifyField(int index, const AreaQuestion& ask);
    void DeleteField(int index);
    // Moves part `index` up or down; the part's new index.
    int MoveField(int index, bool up);
    // "Átszámít": brings the room fields to the circuit's temperatures (in the
    // working copy); the failure's text, if any.
    std::optional<std::string> ApplyToFields();

    // The valve type typed or chosen; with `takeSize` the size shown as well.
    ValveSizeChoice ApplyValveType(const std::string& typeText, bool takeSize, const std::string& sizeText);

    FittingList Fittings() { return FittingList(round_.hydraulic.fittings, devices_); }

    // OK: recalculates and hands the circuit over.
    const TRoundItem& Commit();

private:
    void Recount() { project_.RecountAssignedSurfaces(&round_); }

    TRoundItem round_;
    TProject project_;
    std::optional<std::string> failure_;
    bool withoutPower_ = false; // the failure is that the parts give no output
    const TDevices& devices_;
};

} // namespace kalorina
