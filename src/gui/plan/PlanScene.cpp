#include "plan/PlanScene.h"

#include <QBrush>
#include <QFont>
#include <QGraphicsItem>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include "document/LayoutInputs.h"
#include "document/TProject.h"
#include "plan/DxfWriter.h"
#include "platform/QtText.h"
#include "util/FloatFormat.h"

namespace kalorina::gui {

namespace {

QPolygonF ScenePolygon(const plan::Polygon& p)
{
    QPolygonF q;
    for (const plan::Point& c : p)
        q << PlanScene::ToScene(c);
    return q;
}

QGraphicsSimpleTextItem* Label(QGraphicsScene* scene, const QString& text, QPointF at, bool bold)
{
    auto* label = scene->addSimpleText(text);
    QFont f = label->font();
    f.setPointSizeF(8.5);
    f.setBold(bold);
    label->setFont(f);
    // Screen-sized whatever the zoom, centred on its point.
    label->setFlag(QGraphicsItem::ItemIgnoresTransformations);
    const QRectF r = label->boundingRect();
    label->setTransformOriginPoint(r.center());
    label->setPos(at);
    label->setTransform(QTransform::fromTranslate(-r.width() / 2, -r.height() / 2));
    label->setZValue(3);
    return label;
}

} // namespace

PlanScene::PlanScene(QObject* parent) : QGraphicsScene(parent)
{
    setBackgroundBrush(Qt::white);
}

void PlanScene::Rebuild(const TProject& project, int floor, const std::set<std::string>& errorRooms,
                        std::int32_t selectedRoom)
{
    for (QGraphicsItem* item : own_) {
        removeItem(item);
        delete item;
    }
    own_.clear();
    rooms_ = 0;
    planRect_ = {};
    underlay_ = 0;
    tubes_ = 0;
    const plan::Plan& plan = project.plan;
    auto keep = [this](QGraphicsItem* item) {
        own_ << item;
        planRect_ = planRect_.united(item->sceneBoundingRect());
    };
    if (showUnderlay) {
        QPen grey(QColor(175, 175, 175));
        grey.setCosmetic(true);
        grey.setWidthF(1);
        for (const plan::UnderlayLine& l : plan.underlay) {
            if (l.floor != floor)
                continue;
            auto* item = addLine(QLineF(PlanScene::ToScene(l.from), PlanScene::ToScene(l.to)), grey);
            item->setZValue(0);
            own_ << item;
            ++underlay_;
        }
    }
    for (const plan::RoomOutline& o : plan.outlines) {
        if (o.floor != floor)
            continue;
        const TRoomItem* room = project.FindRoomById(o.roomId);
        if (!room)
            continue;
        const bool error = errorRooms.count(room->roomName) > 0;
        const bool selected = o.roomId == selectedRoom;
        QPen pen(selected ? QColor(0, 90, 200) : QColor(60, 60, 60));
        pen.setCosmetic(true);
        pen.setWidthF(selected ? 3 : 1.5);
        auto* item =
            addPolygon(ScenePolygon(o.outline), pen, QBrush(error ? QColor(255, 205, 205) : QColor(232, 240, 250)));
        item->setData(0, o.roomId);
        item->setZValue(1);
        keep(item);
        ++rooms_;
        // The label at the middle of the corners, inside for the shapes rooms have.
        QPointF centre;
        for (const plan::Point& c : o.outline)
            centre += ToScene(c);
        centre /= static_cast<double>(o.outline.size());
        const QString text = Q(room->roomName) + QStringLiteral("\n")
            + Q(FloatToStrF(plan::RoundedArea(o.outline), TFloatFormat::Fixed, 15, 2)) + QStringLiteral(" m²\n")
            + Q(FloatToStrF(room->heatDemand, TFloatFormat::Fixed, 15, 0)) + QStringLiteral(" W");
        auto* label = Label(this, text, centre, selected);
        if (error)
            label->setBrush(QColor(170, 0, 0));
        own_ << label;
    }
    for (const plan::Door& d : plan.doors) {
        if (d.floor != floor)
            continue;
        QPen pen(QColor(150, 90, 30));
        pen.setCosmetic(true);
        pen.setWidthF(5);
        pen.setCapStyle(Qt::FlatCap);
        auto* item = addLine(QLineF(PlanScene::ToScene(d.from), PlanScene::ToScene(d.to)), pen);
        item->setZValue(2);
        keep(item);
    }
    for (std::size_t r = 0; showTubes && r < project.rounds.size(); ++r) {
        const TRoundItem& round = project.rounds[r];
        const plan::CircuitLayout& l = round.layout;
        if (!l.laid || l.floor != floor)
            continue;
        const plan::Rgb c = plan::CircuitColour(int(r));
        QPen pen(QColor(c.r, c.g, c.b));
        pen.setWidthF(0.025); // a 16-20 mm tube, a little wider to be seen
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        // A tube laid before the plan or its fields changed is drawn dashed.
        if (!LayoutCurrent(project, round))
            pen.setStyle(Qt::DashLine);
        QPainterPath path;
        const plan::Polyline tube = plan::WholeTube(l);
        for (std::size_t i = 0; i < tube.size(); ++i)
            i == 0 ? path.moveTo(ToScene(tube[i])) : path.lineTo(ToScene(tube[i]));
        auto* item = addPath(path, pen);
        item->setZValue(2.5);
        item->setData(1, QString::fromStdString(std::to_string(r)));
        keep(item);
        ++tubes_;
        if (!l.parts.empty() && !l.parts[0].region.empty()) {
            QPointF centre;
            for (const plan::Point& p : l.parts[0].region)
                centre += ToScene(p);
            centre /= static_cast<double>(l.parts[0].region.size());
            auto* label = Label(this,
                                Q(round.roundName) + QStringLiteral(" ")
                                    + Q(FloatToStrF(l.length, TFloatFormat::Fixed, 15, 1)) + QStringLiteral(" m"),
                                centre + QPointF(0, 0.9), true);
            label->setBrush(QColor(c.r, c.g, c.b).darker(130));
            label->setZValue(5);
            own_ << label;
        }
    }
    for (const plan::ManifoldPlace& m : plan.manifolds) {
        if (m.floor != floor || m.manifold < 0 || std::size_t(m.manifold) >= project.manifolds.size())
            continue;
        const QPointF at = PlanScene::ToScene(m.position);
        QPen pen(QColor(0, 110, 60));
        pen.setCosmetic(true);
        pen.setWidthF(2);
        auto* symbol = addRect(QRectF(at.x() - 0.3, at.y() - 0.1, 0.6, 0.2), pen, QBrush(QColor(120, 210, 150)));
        symbol->setZValue(4);
        keep(symbol);
        auto* label = Label(this, Q(project.manifolds[m.manifold].name), at + QPointF(0, 0.45), true);
        label->setBrush(QColor(0, 90, 50));
        own_ << label;
    }
}

} // namespace kalorina::gui
