#include "plan/DrawPolygonTool.h"

#include "app/PlanEditor.h"

namespace kalorina::gui {

void DrawPolygonTool::Press(plan::Point at)
{
    AddCorner(context_.snap(at));
}

void DrawPolygonTool::AddCorner(plan::Point at)
{
    if (state_ == State::Placing && corners_.size() >= 3 && plan::Distance(at, corners_.front()) < 1e-6) {
        Close();
        return;
    }
    if (state_ == State::Placing && !corners_.empty() && plan::Distance(at, corners_.back()) < 1e-6)
        return; // the second press of a double click
    corners_.push_back(at);
    state_ = State::Placing;
    plan::Polygon shown = corners_;
    Preview({PreviewOutline(shown, false)});
}

void DrawPolygonTool::Move(plan::Point at)
{
    if (state_ != State::Placing)
        return;
    plan::Polygon shown = corners_;
    shown.push_back(context_.snap(at));
    Preview({PreviewOutline(shown, false)});
}

void DrawPolygonTool::DoubleClick(plan::Point)
{
    if (state_ == State::Placing && corners_.size() >= 3)
        Close();
}

void DrawPolygonTool::Close()
{
    const plan::Polygon outline = corners_;
    Cancel();
    const int floor = context_.floor();
    context_.commit("IDS_STEPDRAWROOM", [&](TProject& p) { DrawRoom(p, floor, outline); });
}

void DrawPolygonTool::Cancel()
{
    state_ = State::Idle;
    corners_.clear();
    ClearPreview();
}

} // namespace kalorina::gui
