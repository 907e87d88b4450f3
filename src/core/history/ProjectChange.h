#pragma once
// The step every user action becomes: the project compared before and after, and
// only what differs kept, so that most steps hold one room or one circuit.  Lists
// keep the changed run between their unchanged beginning and end, which covers a
// new, deleted, pasted or edited item alike, and restores its place exactly.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "document/TProject.h"
#include "history/ProjectCommand.h"

namespace kalorina {

// The project's data that are not items.
struct ProjectData {
    TStringList buildingLines, customerLines, designerLines, commentLines;
    std::string projectDate;
    std::int32_t nextRoomId = 1;
    bool operator==(const ProjectData&) const = default;

    static ProjectData Of(const TProject& p);
    void To(TProject& p) const;
};

// The run of a list that changed: from `at`, `before` became `after`.
template <class Item>
struct ListChange {
    std::size_t at = 0;
    std::vector<Item> before, after;
};

class ProjectChange : public ProjectCommand {
public:
    ProjectChange(StepLabel label, const TProject& before, const TProject& after);

    void Redo(TProject& project) const override;
    void Undo(TProject& project) const override;
    const StepLabel& Label() const override { return label_; }
    bool ChangesAnything() const override;
    std::size_t Footprint() const override;
    ChangeKinds Kinds() const override
    {
        // Manifolds are shown with their circuits, and change with them.
        // The climate, the constructions and the plan are shown as options are.
        return {rooms_.has_value(), rounds_.has_value() || manifolds_.has_value(),
                options_.has_value() || heatLoad_.has_value() || plan_.has_value(), data_.has_value()};
    }

private:
    StepLabel label_;
    std::optional<std::pair<ProjectData, ProjectData>> data_;
    std::optional<std::pair<TProjektOptions, TProjektOptions>> options_;
    std::optional<std::pair<ProjectHeatLoad, ProjectHeatLoad>> heatLoad_;
    std::optional<std::pair<plan::Plan, plan::Plan>> plan_;
    std::optional<ListChange<TRoomItem>> rooms_;
    std::optional<ListChange<TRoundItem>> rounds_;
    std::optional<ListChange<TManifold>> manifolds_;
};

} // namespace kalorina
