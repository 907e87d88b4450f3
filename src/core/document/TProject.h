#pragma once
// The one open design: project data, options, rooms and circuits, its file form and
// the operations on its item lists.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/HeatLoadData.h"
#include "plan/PlanData.h"
#include "document/Record.h"
#include "document/Stream.h"
#include "document/StreamEncoding.h"
#include "document/TManifold.h"
#include "document/TProjektOptions.h"
#include "document/TRoomItem.h"
#include "document/TRoundItem.h"

namespace kalorina {

class TemplateWriter;

// What a new project takes from the program and the catalogue.
struct NewProjectDefaults {
    TStringList designerLines;
    std::string projectDate;      // already formatted; empty when new projects are not dated
    std::string defaultValveName; // the catalogue's default valve
    // The catalogue's default medium with its properties at the default
    // temperatures; none keeps the built-in water.
    std::optional<TMedium> medium;
};

// The six totals of a project, in their units: kW, m2, kW, kW, m2, m.
struct ProjectTotals {
    float heatingLoss = 0, surfaceSum = 0, fieldPowers = 0, roundPowers = 0, remainderSurfaceSum = 0, tubeLengths = 0;
};

class TProject : public ProjectTotals {
public:
    TProject() : TProject(NewProjectDefaults{}) {}
    explicit TProject(const NewProjectDefaults& defaults);

    static constexpr std::int16_t kFileVersion = kRecordVersion;
    static constexpr const char* kSignature = "Kalorina_Project";

    bool modified = false;
    std::string fileName;
    TStringList buildingLines;
    TStringList customerLines;
    TStringList designerLines;
    TStringList commentLines;
    std::string projectDate;
    std::int32_t nextRoomId = 1;
    TProjektOptions options;
    std::vector<TRoomItem> rooms;
    std::vector<TRoundItem> rounds;
    // Never empty: a project has at least the manifold every circuit can go to.
    std::vector<TManifold> manifolds;
    // The climate and air tightness the rooms' heat loads are computed with.
    ProjectHeatLoad heatLoad;
    // The floor plan; empty in files from before it.
    plan::Plan plan;
    // Every room with an outline takes its area from it (m2 to 0.01).  The number of
    // rooms whose area changed.
    int ApplyOutlineAreas();

    // Raises a KalorinaError (IDS_INVALIDFILE, IDS_VERSIONERR, or the end of data).
    void ReadFromStream(TMemoryStream& s);
    void WriteToStream(TMemoryStream& s) const;

    std::string UniqueRoomName(const std::string& base) const;
    std::string UniqueRoundName(const std::string& base) const;
    std::string AddNewRoom();
    // A new circuit fed from the manifold at `manifold` (the first when out of range).
    std::string AddNewRound(int manifold = 0);
    std::string UniqueManifoldName(const std::string& base) const;
    std::string AddNewManifold();
    int FindManifold(const std::string& name) const;
    // Removes the manifold and its circuits; the circuits of later manifolds follow
    // their manifold's new place.  The last manifold gives way to a new empty one.
    void DeleteManifold(int index);
    // The places of the manifold's circuits in the circuit list, in list order.
    std::vector<int> ManifoldRounds(int manifold) const;
    int FindItem(const std::string& name, bool isRoom) const;
    void RenameItem(int index, bool isRoom, const std::string& name);
    void DeleteItem(int index, bool isRoom);
    const std::string& ItemName(int index, bool isRoom) const;
    int ItemCount(bool isRoom) const;

    // The bookkeeping between circuits and room fields.  `edited` (the circuit
    // dialog's working copy) stands in for the stored circuit of the same name.
    void RecountAssignedSurfaces(TRoundItem* edited = nullptr);
    // 1 when there is no such room, else the room's AddAssignedArea (0, or 2).
    int AddAssignedSurface(std::int32_t roomId, int fieldId, float area);
    TRoomItem* FindRoomById(std::int32_t id);
    const TRoomItem* FindRoomById(std::int32_t id) const;
    std::string RoomNameById(std::int32_t id) const;
    std::int32_t RoomIdByName(const std::string& name) const;
    const FloorHeatingField* FindRoomField(std::int32_t roomId, int fieldId) const;
    // The names a room list shows (after a recount with `edited`).
    std::vector<std::string> RoomListNames(TRoundItem* edited, bool onlyUnassigned);

    void ComputeTotals();
    // The totals as ComputeTotals sets them, the project left as it is.
    ProjectTotals Totals() const;

    // Member-by-member equality, totals and the file name excluded.
    bool SameContent(const TProject& other) const;
};

} // namespace kalorina
