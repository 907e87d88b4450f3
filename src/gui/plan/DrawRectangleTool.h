#pragma once
// Draws a rectangular room by dragging from one corner to the other, or, with a
// width and depth typed, by one click on its lower left corner.
#include "plan/PlanTool.h"

namespace kalorina::gui {

class DrawRectangleTool : public PlanTool {
public:
    enum class State { Idle, Dragging };
    using PlanTool::PlanTool;

    void Press(plan::Point at) override;
    void Move(plan::Point at) override;
    void Release(plan::Point at) override;
    void Cancel() override;
    bool Busy() const override { return state_ != State::Idle; }
    State CurrentState() const { return state_; }

private:
    void Finish(plan::Polygon outline);
    State state_ = State::Idle;
    plan::Point start_;
};

// The rectangle with corners `a` and `c`.
plan::Polygon RectangleBetween(plan::Point a, plan::Point c);

} // namespace kalorina::gui
