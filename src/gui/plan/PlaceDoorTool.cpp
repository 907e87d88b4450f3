#include "plan/PlaceDoorTool.h"

#include <QGraphicsLineItem>
#include <QPen>

#include "app/PlanEditor.h"
#include "document/TProject.h"
#include "plan/PlanScene.h"

namespace kalorina::gui {

namespace {
// The room whose wall is nearest to `at`: the one it stands in, else the nearest.
std::int32_t RoomFor(const TProject& p, int floor, plan::Point at)
{
    if (const std::int32_t inside = RoomAt(p, floor, at))
        return inside;
    std::int32_t best = 0;
    double bestDistance = 0.5;
    for (const plan::RoomOutline& o : p.plan.outlines)
        if (o.floor == floor)
            if (const auto snapped = plan::SnapToOutlines(at, {o.outline}, bestDistance)) {
                bestDistance = plan::Distance(at, *snapped);
                best = o.roomId;
            }
    return best;
}
} // namespace

void PlaceDoorTool::Press(plan::Point at)
{
    const std::int32_t room = RoomFor(context_.project(), context_.floor(), at);
    Cancel();
    if (room == 0)
        return;
    const double w = width;
    context_.commit("IDS_STEPPLACEDOOR", [&](TProject& p) { PlaceDoor(p, room, at, w); });
}

void PlaceDoorTool::Move(plan::Point at)
{
    const TProject& project = context_.project();
    const std::int32_t room = RoomFor(project, context_.floor(), at);
    if (room == 0)
        return Cancel();
    // Where the door would stand: placed on a copy, shown, thrown away.
    TProject copy = project;
    PlaceDoor(copy, room, at, width);
    const plan::Door& d = copy.plan.doors.back();
    auto* line = new QGraphicsLineItem(QLineF(PlanScene::ToScene(d.from), PlanScene::ToScene(d.to)));
    QPen pen(PreviewColour());
    pen.setCosmetic(true);
    pen.setWidthF(6);
    line->setPen(pen);
    Preview({line});
    state_ = State::Aiming;
}

void PlaceDoorTool::Cancel()
{
    state_ = State::Idle;
    ClearPreview();
}

} // namespace kalorina::gui
