#pragma once
// The plan of one floor as a scene: only a view of the project, rebuilt whole from
// it after every change.  Scene units are metres, the plan's y upwards; labels keep
// their size on the screen whatever the zoom.
#include <QGraphicsScene>
#include <QPointF>
#include <cstdint>
#include <set>
#include <string>

#include "plan/Geometry.h"

namespace kalorina {
class TProject;
}

namespace kalorina::gui {

class PlanScene : public QGraphicsScene {
    Q_OBJECT
public:
    explicit PlanScene(QObject* parent = nullptr);

    // The floor `floor` of the project: rooms filled and labelled (name, area, heat
    // loss), red where `errorRooms` names them, the selected one outlined, doors and
    // manifolds.  What the tools preview stays.
    void Rebuild(const TProject& project, int floor, const std::set<std::string>& errorRooms,
                 std::int32_t selectedRoom);
    // The architect's other lines, grey under the rooms.
    bool showUnderlay = true;
    int UnderlayItemCount() const { return underlay_; }
    // The laid tubes of the floor's circuits, each in its colour with its name and
    // length.
    bool showTubes = true;
    int TubeItemCount() const { return tubes_; }

    static QPointF ToScene(plan::Point p) { return {p.x, -p.y}; }
    static plan::Point FromScene(QPointF p) { return {p.x(), -p.y()}; }
    // What the plan holds, without the tools' previews.
    QRectF PlanRect() const { return planRect_; }
    int RoomItemCount() const { return rooms_; }

private:
    QList<QGraphicsItem*> own_;
    QRectF planRect_;
    int rooms_ = 0;
    int underlay_ = 0;
    int tubes_ = 0;
};

} // namespace kalorina::gui
