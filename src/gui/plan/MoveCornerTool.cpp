#include "plan/MoveCornerTool.h"

#include "app/PlanEditor.h"
#include "document/TProject.h"

namespace kalorina::gui {

bool MoveCornerTool::Nearest(plan::Point at, std::int32_t& room, int& corner) const
{
    double best = reach;
    bool found = false;
    const int floor = context_.floor();
    for (const plan::RoomOutline& o : context_.project().plan.outlines) {
        if (o.floor != floor)
            continue;
        for (std::size_t i = 0; i < o.outline.size(); ++i)
            if (const double d = plan::Distance(at, o.outline[i]); d <= best) {
                best = d;
                room = o.roomId;
                corner = static_cast<int>(i);
                found = true;
            }
    }
    return found;
}

void MoveCornerTool::Press(plan::Point at)
{
    if (!Nearest(at, room_, corner_))
        return;
    state_ = State::Dragging;
    Move(at);
}

void MoveCornerTool::Move(plan::Point at)
{
    if (state_ != State::Dragging)
        return;
    const plan::RoomOutline* o = context_.project().plan.OutlineOf(room_);
    if (!o)
        return Cancel();
    plan::Polygon moved = o->outline;
    moved[corner_] = context_.snap(at);
    Preview({PreviewOutline(moved, true)});
}

void MoveCornerTool::Release(plan::Point at)
{
    if (state_ != State::Dragging)
        return;
    const std::int32_t room = room_;
    const int corner = corner_;
    const plan::Point to = context_.snap(at);
    Cancel();
    const plan::RoomOutline* o = context_.project().plan.OutlineOf(room);
    if (!o || plan::Distance(o->outline[corner], to) < plan::kTolerance)
        return; // not moved: nothing to record
    context_.commit("IDS_STEPMOVECORNER", [&](TProject& p) { MoveCorner(p, room, corner, to); });
}

void MoveCornerTool::DeleteAt(plan::Point at)
{
    std::int32_t room = 0;
    int corner = -1;
    if (Nearest(at, room, corner))
        context_.commit("IDS_STEPDELETECORNER", [&](TProject& p) { DeleteCorner(p, room, corner); });
}

void MoveCornerTool::Cancel()
{
    state_ = State::Idle;
    room_ = 0;
    corner_ = -1;
    ClearPreview();
}

} // namespace kalorina::gui
