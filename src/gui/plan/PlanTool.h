#pragma once
// A drawing gesture on the plan: a small state machine that previews while the
// mouse moves and ends in exactly one change of the project through the one door
// (the context's commit), or in nothing when it is cancelled (Escape).
#include <QColor>
#include <QList>
#include <functional>
#include <optional>
#include <utility>

#include "plan/Geometry.h"

class QGraphicsItem;
class QGraphicsScene;

namespace kalorina {
class TDevices;
class TProject;
} // namespace kalorina

namespace kalorina::gui {

struct PlanToolContext {
    QGraphicsScene* scene = nullptr;
    std::function<const TProject&()> project;
    std::function<int()> floor;
    // To the grid and to the corners and walls of the floor's rooms.
    std::function<plan::Point(plan::Point)> snap;
    // One step of the project's history named by `stepId`; a refusal is shown and
    // leaves the project as it was.  True when the project changed.
    std::function<bool(const char* stepId, const std::function<void(TProject&)>& edit)> commit;
    // The width and depth typed in the dimensions panel, if both are.
    std::function<std::optional<std::pair<double, double>>()> typedSize;
    // The manifold the manifold tool places.
    std::function<int()> manifold;
    // The catalogue, for the edits that compute the fields again.
    std::function<const TDevices&()> devices;
};

class PlanTool {
public:
    explicit PlanTool(PlanToolContext& context) : context_(context) {}
    virtual ~PlanTool();
    PlanTool(const PlanTool&) = delete;
    PlanTool& operator=(const PlanTool&) = delete;

    virtual void Press(plan::Point at) = 0;
    virtual void Move(plan::Point) {}
    virtual void Release(plan::Point) {}
    virtual void DoubleClick(plan::Point) {}
    // Escape: back to the start, leaving nothing behind.
    virtual void Cancel() = 0;
    virtual bool Busy() const = 0;

protected:
    // The preview: replaced on every move, gone on cancel and commit.
    void Preview(const QList<QGraphicsItem*>& items);
    void ClearPreview();
    static QColor PreviewColour() { return {0, 120, 215}; }

    PlanToolContext& context_;

private:
    QList<QGraphicsItem*> preview_;
};

// A dashed outline in the preview colour, closed (a room) or open (corners so far).
QGraphicsItem* PreviewOutline(const plan::Polygon& corners, bool closed);

} // namespace kalorina::gui
