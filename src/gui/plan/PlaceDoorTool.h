#pragma once
// Places a door on the wall under the mouse: the preview shows where it will stand,
// a click places it.
#include "plan/PlanTool.h"

namespace kalorina::gui {

class PlaceDoorTool : public PlanTool {
public:
    enum class State { Idle, Aiming };
    using PlanTool::PlanTool;

    void Press(plan::Point at) override;
    void Move(plan::Point at) override;
    void Cancel() override;
    bool Busy() const override { return state_ != State::Idle; }

    double width = 0.9;

private:
    State state_ = State::Idle;
};

} // namespace kalorina::gui
