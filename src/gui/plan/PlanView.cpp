#include "plan/PlanView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <cmath>

#include "plan/MoveCornerTool.h"
#include "plan/PlanScene.h"
#include "plan/PlanTool.h"

namespace kalorina::gui {

PlanView::PlanView(QWidget* parent) : QGraphicsView(parent)
{
    setObjectName(QStringLiteral("PlanView"));
    setRenderHint(QPainter::Antialiasing);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setMouseTracking(true);
    setDragMode(QGraphicsView::NoDrag);
    // Metres: 40 pixels to the metre to begin with.
    scale(40, 40);
}

void PlanView::Fit()
{
    const auto* plan = qobject_cast<PlanScene*>(scene());
    QRectF r = plan ? plan->PlanRect() : QRectF();
    if (r.isEmpty())
        r = QRectF(-1, -11, 12, 12);
    r.adjust(-1, -1, 1, 1);
    setSceneRect(r.adjusted(-50, -50, 50, 50));
    fitInView(r, Qt::KeepAspectRatio);
}

plan::Point PlanView::PlanPoint(const QPoint& viewPos) const
{
    return PlanScene::FromScene(mapToScene(viewPos));
}

void PlanView::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    const double factor = std::pow(1.2, steps);
    // Between a whole street and a few centimetres a pixel.
    const double current = transform().m11();
    if (current * factor < 2 || current * factor > 2000)
        return;
    scale(factor, factor);
}

void PlanView::mousePressEvent(QMouseEvent* event)
{
    setFocus();
    if (event->button() == Qt::MiddleButton) {
        panning_ = true;
        panFrom_ = event->pos();
        return;
    }
    const plan::Point at = PlanPoint(event->pos());
    if (tool_) {
        if (event->button() == Qt::RightButton) {
            if (auto* corners = dynamic_cast<MoveCornerTool*>(tool_))
                corners->DeleteAt(at);
            else
                tool_->Cancel();
            return;
        }
        if (event->button() == Qt::LeftButton)
            tool_->Press(at);
        return;
    }
    if (event->button() == Qt::LeftButton && roomAt)
        emit RoomClicked(roomAt(at));
}

void PlanView::mouseMoveEvent(QMouseEvent* event)
{
    if (panning_) {
        const QPoint d = event->pos() - panFrom_;
        panFrom_ = event->pos();
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() - d.x());
        verticalScrollBar()->setValue(verticalScrollBar()->value() - d.y());
        return;
    }
    if (tool_)
        tool_->Move(PlanPoint(event->pos()));
}

void PlanView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::MiddleButton) {
        panning_ = false;
        return;
    }
    if (tool_ && event->button() == Qt::LeftButton)
        tool_->Release(PlanPoint(event->pos()));
}

void PlanView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const plan::Point at = PlanPoint(event->pos());
    if (tool_) {
        tool_->DoubleClick(at);
        return;
    }
    if (event->button() == Qt::LeftButton && roomAt)
        if (const std::int32_t room = roomAt(at))
            emit RoomOpened(room);
}

void PlanView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && tool_) {
        tool_->Cancel();
        return;
    }
    QGraphicsView::keyPressEvent(event);
}

void PlanView::drawForeground(QPainter* painter, const QRectF&)
{
    // The scale bar, bottom left: the longest round length up to 150 pixels.
    const double pixelsPerMetre = transform().m11();
    double metres = 0.1;
    for (double candidate : {0.1, 0.2, 0.5, 1.0, 2.0, 5.0, 10.0, 20.0, 50.0, 100.0})
        if (candidate * pixelsPerMetre <= 150)
            metres = candidate;
    const int length = static_cast<int>(std::lround(metres * pixelsPerMetre));
    painter->save();
    painter->resetTransform();
    const int x = 14, y = viewport()->height() - 16;
    painter->setPen(QPen(Qt::black, 2));
    painter->drawLine(x, y, x + length, y);
    painter->drawLine(x, y - 5, x, y + 3);
    painter->drawLine(x + length, y - 5, x + length, y + 3);
    const QString label =
        metres < 1 ? QStringLiteral("%1 cm").arg(std::lround(metres * 100)) : QStringLiteral("%1 m").arg(metres);
    painter->drawText(x + length + 6, y + 4, label);
    painter->restore();
}

} // namespace kalorina::gui
