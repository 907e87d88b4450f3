#include "plan/PlanTool.h"

#include <QGraphicsItem>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QPainterPath>
#include <QPen>

#include "plan/PlanScene.h"

namespace kalorina::gui {

PlanTool::~PlanTool()
{
    ClearPreview();
}

void PlanTool::Preview(const QList<QGraphicsItem*>& items)
{
    ClearPreview();
    preview_ = items;
    for (QGraphicsItem* item : preview_) {
        item->setZValue(10);
        context_.scene->addItem(item);
    }
}

void PlanTool::ClearPreview()
{
    for (QGraphicsItem* item : preview_) {
        if (item->scene())
            item->scene()->removeItem(item);
        delete item;
    }
    preview_.clear();
}

QGraphicsItem* PreviewOutline(const plan::Polygon& corners, bool closed)
{
    QPainterPath path;
    for (std::size_t i = 0; i < corners.size(); ++i)
        i == 0 ? path.moveTo(PlanScene::ToScene(corners[i])) : path.lineTo(PlanScene::ToScene(corners[i]));
    if (closed)
        path.closeSubpath();
    auto* item = new QGraphicsPathItem(path);
    QColor colour(0, 120, 215);
    QPen pen(colour);
    pen.setCosmetic(true);
    pen.setWidthF(2);
    pen.setStyle(Qt::DashLine);
    item->setPen(pen);
    if (closed) {
        colour.setAlpha(40);
        item->setBrush(colour);
    }
    return item;
}

} // namespace kalorina::gui
