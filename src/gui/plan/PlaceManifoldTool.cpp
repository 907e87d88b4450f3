#include "plan/PlaceManifoldTool.h"

#include <QBrush>
#include <QGraphicsRectItem>
#include <QPen>

#include "app/PlanEditor.h"
#include "plan/PlanScene.h"

namespace kalorina::gui {

void PlaceManifoldTool::Press(plan::Point at)
{
    const plan::Point to = context_.snap(at);
    const int manifold = context_.manifold(), floor = context_.floor();
    Cancel();
    context_.commit("IDS_STEPPLACEMANIFOLD", [&](TProject& p) { PlaceManifold(p, manifold, floor, to); });
}

void PlaceManifoldTool::Move(plan::Point at)
{
    const QPointF c = PlanScene::ToScene(context_.snap(at));
    auto* symbol = new QGraphicsRectItem(c.x() - 0.3, c.y() - 0.1, 0.6, 0.2);
    QPen pen(PreviewColour());
    pen.setCosmetic(true);
    pen.setStyle(Qt::DashLine);
    symbol->setPen(pen);
    Preview({symbol});
    state_ = State::Aiming;
}

void PlaceManifoldTool::Cancel()
{
    state_ = State::Idle;
    ClearPreview();
}

} // namespace kalorina::gui
