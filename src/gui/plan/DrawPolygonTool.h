#pragma once
// Draws a room of any shape by clicking its corners; a double click, or a click on
// the first corner, closes it.
#include "plan/PlanTool.h"

namespace kalorina::gui {

class DrawPolygonTool : public PlanTool {
public:
    enum class State { Idle, Placing };
    using PlanTool::PlanTool;

    void Press(plan::Point at) override;
    // A corner at exact coordinates typed (no snapping); the first corner again closes.
    void AddCorner(plan::Point at);
    void Move(plan::Point at) override;
    void DoubleClick(plan::Point at) override;
    void Cancel() override;
    bool Busy() const override { return state_ != State::Idle; }
    State CurrentState() const { return state_; }
    const plan::Polygon& Corners() const { return corners_; }

private:
    void Close();
    State state_ = State::Idle;
    plan::Polygon corners_;
};

} // namespace kalorina::gui
