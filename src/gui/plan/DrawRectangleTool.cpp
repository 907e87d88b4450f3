#include "plan/DrawRectangleTool.h"

#include <cmath>

#include "app/PlanEditor.h"
#include "plan/PlanScene.h"

namespace kalorina::gui {

plan::Polygon RectangleBetween(plan::Point a, plan::Point c)
{
    return {{a.x, a.y}, {c.x, a.y}, {c.x, c.y}, {a.x, c.y}};
}

void DrawRectangleTool::Press(plan::Point at)
{
    at = context_.snap(at);
    if (const auto size = context_.typedSize()) {
        // Exact dimensions: the click gives the corner.
        Finish(RectangleBetween(at, {at.x + size->first, at.y + size->second}));
        return;
    }
    start_ = at;
    state_ = State::Dragging;
    Move(at);
}

void DrawRectangleTool::Move(plan::Point at)
{
    if (state_ != State::Dragging)
        return;
    Preview({PreviewOutline(RectangleBetween(start_, context_.snap(at)), true)});
}

void DrawRectangleTool::Release(plan::Point at)
{
    if (state_ != State::Dragging)
        return;
    const plan::Point end = context_.snap(at);
    state_ = State::Idle;
    ClearPreview();
    // A click without a drag draws nothing.
    if (std::fabs(end.x - start_.x) < plan::kTolerance || std::fabs(end.y - start_.y) < plan::kTolerance)
        return;
    Finish(RectangleBetween(start_, end));
}

void DrawRectangleTool::Finish(plan::Polygon outline)
{
    ClearPreview();
    state_ = State::Idle;
    const int floor = context_.floor();
    context_.commit("IDS_STEPDRAWROOM", [&](TProject& p) { DrawRoom(p, floor, outline); });
}

void DrawRectangleTool::Cancel()
{
    state_ = State::Idle;
    ClearPreview();
}

} // namespace kalorina::gui
