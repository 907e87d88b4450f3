#pragma once
// The room dialog's working copy and rules: the room's own values, the choice of a
// floor heating system, covering and R, the spacing choice list with its optimum
// proposal, and the commands that add, change and remove the room's fields.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/FieldRows.h"
#include "building/HeatLoad.h"
#include "catalogue/DeviceTreeNode.h"
#include "catalogue/FieldDesignInput.h"
#include "document/TProjektOptions.h"
#include "document/TRoomItem.h"

namespace kalorina {

class FloorHeatDBItem;
class TDevices;

// What the room dialog remembers from one opening to the next while the program
// runs: the last system, covering and R, and the systems tree as it was left.
struct RoomDialogMemory {
    std::string lastFloorHeatingSystem;
    std::string lastCovering;
    double lastCoveringR = -1; // none
    // The tree's nodes and, in node index order (depth first), which were expanded.
    std::optional<DeviceTreeNode> savedSystemsTree;
    std::vector<bool> savedExpanded;
};
RoomDialogMemory& RoomDialogState();

// The selection inputs of the lower half, already read from their edits.
struct ChooseInputs {
    FieldDesignInput design;
    double R = 0;
    std::string covering;
    int zone = 0;
};

// The system label, the covering combo and R after a system was chosen.
struct SystemChoice {
    std::string name; // empty: no system
    std::string link; // the system's document, may be empty
    std::vector<std::string> coverings;
    int coveringIndex = -1; // -1: the combo shows coveringText instead
    std::string coveringText;
    std::string rText;
};

struct ChooseListView {
    std::vector<RowCells> rows;                           // one per spacing, densest first
    std::string distance1, surface1, distance2, surface2; // empty when not proposed
};

struct RoomTexts {
    std::string function, area, inside, heatLoss;
    std::string forward, ret, below, downK;
};

// Which field commands may run: a field row other than the totals row is selected,
// a choice row is selected, an optimum is shown.
struct RoomActions {
    bool modify = false, denser = false, wider = false, remove = false, add = false, optimum = false;
};
RoomActions UpdateRoomActions(int selectedFieldRow, int fieldRowCount, bool choiceSelected, bool optimumShown);

class RoomEditor {
public:
    RoomEditor(const TRoomItem& room, const TDevices& devices, const TProjektOptions& options);

    TRoomItem& Room() { return room_; }
    const TRoomItem& Room() const { return room_; }
    const FloorHeatDBItem* System() const { return system_; }

    RoomTexts InitialTexts() const;
    // The built-in room functions of the language, then the user's own.
    static std::vector<std::string> RoomFunctions();
    // Whether a room function names a bathroom or a shower ("Fürdőszoba",
    // "Bathroom", "Zuhanyzó", the language's own bathroom function...): its new
    // fields are proposed in the bathroom zone.
    static bool FunctionNamesBathroom(const std::string& function);

    // The heat loss not yet covered (whole watts) and the floor not yet used
    // (0.01 m2), as FHPowerRequest and FHSurface show them.
    double PowerRequest() const;
    double FreeArea() const;
    std::string PowerRequestText() const;
    std::string FreeAreaText() const;

    // A tree node was selected; `isSystem` tells a system from a folder.  Nothing
    // when the node is the system already chosen.
    std::optional<SystemChoice> SelectSystem(const std::string& nodeText, bool isSystem);
    // The covering combo changed: R of a catalogue covering to show, else nothing.
    std::optional<std::string> CoveringChanged(const std::string& text);

    // Raises the calculation's failure (IDS_DTLOGERROR, ...).
    ChooseListView ChooseList(const ChooseInputs& inputs, const TListHeaderFormat& format);
    // The fields, then the totals row when there is a field.
    std::vector<RowCells> FieldRows(const TListHeaderFormat& format) const;

    void SetRoomValues(const std::string& function, double area, double inside, double heatLoss);
    // The room's own floor under the tubes, or none for the project's: every field
    // of the room, and the new ones, take the temperature below and downward k it
    // gives.  Without a build-up anywhere the fields keep their values.
    void SetBuildUp(const std::optional<FloorBuildUp>& buildUp);
    // The build-up the room's fields follow: its own, else the project's.
    std::optional<FloorBuildUp> EffectiveBuildUp() const;

    // The project's climate and constructions the room's heat load is computed with;
    // without them (callers that edit no building) the room keeps its heat loss.
    void SetClimate(const ProjectHeatLoad* climate) { climate_ = climate; }
    const ProjectHeatLoad* Climate() const { return climate_; }
    // The room's building as the heat-load page edited it: with elements and no kept
    // typed value, the computed load, in whole watts, becomes its heat loss.
    void SetHeatLoad(std::optional<RoomHeatLoad> data);
    // The load of the room as it stands (all zero without data or climate).
    RoomLoad ComputedHeatLoad() const;
    // The heat loss follows the building: elements and no kept typed value.
    bool HeatLossComputed() const;
    void RecomputeFields();

    // "Felvesz": `askArea` gets the proposal in `area` and the zone, the maximum, and
    // answers false for Cancel.  True when a field was added.
    using AreaAsk = std::function<bool(double& area, int& zone, double maximum)>;
    bool AddField(const ChooseInputs& inputs, int spacing, const AreaAsk& askArea);
    // "Optimum": one field per proposal (spacing, area); answers how many were added.
    int AddOptimum(const ChooseInputs& inputs, const std::vector<std::pair<int, double>>& proposals);
    void Denser(int index);
    void Wider(int index);
    // The floor a field may take: what the other fields leave free of the room's
    // area (`index` -1 for a new field).
    double AreaAvailableFor(int index) const;
    // Raises IDS_AREAABOVEMAXIMUM, changing nothing, when the field does not fit.
    void ReplaceField(int index, const FloorHeatingField& field);
    // Removes the field; its identifier is not given to a field added later.
    void DeleteField(int index);

    // OK: recomputes the fields (raising their failure) and stores a function that
    // is not among `listedFunctions` as the user's own.  Answers the edited room.
    const TRoomItem& Commit(const std::vector<std::string>& listedFunctions);

private:
    FloorHeatingField MakeField(const ChooseInputs& inputs, int spacing, int zone, double area);

    TRoomItem room_;
    const TDevices& devices_;
    const TProjektOptions& options_;
    const FloorHeatDBItem* system_ = nullptr;
    const ProjectHeatLoad* climate_ = nullptr;
};

// Stores a room function under the smallest free value name "1", "2", ... of the
// RoomFunctions key; false when the key cannot be opened.
bool StoreRoomFunction(const std::string& function);

} // namespace kalorina
