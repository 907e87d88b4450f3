#pragma once
// The plan on the screen: zoom with the wheel, pan with the middle button, fit, a
// scale bar.  The mouse goes to the active tool; without one a click selects a
// room and a double click opens it.  Escape cancels the tool's gesture.
#include <QGraphicsView>
#include <cstdint>
#include <functional>

#include "plan/Geometry.h"

namespace kalorina::gui {

class PlanTool;
class MoveCornerTool;

class PlanView : public QGraphicsView {
    Q_OBJECT
public:
    explicit PlanView(QWidget* parent = nullptr);

    void SetTool(PlanTool* tool) { tool_ = tool; }
    PlanTool* Tool() const { return tool_; }
    // The whole floor in the window.
    void Fit();
    // The room under a point of the plan (the page answers from the project).
    std::function<std::int32_t(plan::Point)> roomAt;

signals:
    void RoomClicked(std::int32_t roomId);
    void RoomOpened(std::int32_t roomId);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    plan::Point PlanPoint(const QPoint& viewPos) const;
    PlanTool* tool_ = nullptr;
    bool panning_ = false;
    QPoint panFrom_;
};

} // namespace kalorina::gui
