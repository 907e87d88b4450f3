#pragma once
// Moves a room's corner by dragging it; a right click on a corner deletes it.
#include <cstdint>

#include "plan/PlanTool.h"

namespace kalorina::gui {

class MoveCornerTool : public PlanTool {
public:
    enum class State { Idle, Dragging };
    using PlanTool::PlanTool;

    void Press(plan::Point at) override;
    void Move(plan::Point at) override;
    void Release(plan::Point at) override;
    void Cancel() override;
    bool Busy() const override { return state_ != State::Idle; }
    // Deletes the corner nearest to `at` within reach (a right click).
    void DeleteAt(plan::Point at);
    State CurrentState() const { return state_; }

    // How near a press must come to a corner to take it, in metres.
    double reach = 0.3;

private:
    bool Nearest(plan::Point at, std::int32_t& room, int& corner) const;
    State state_ = State::Idle;
    std::int32_t room_ = 0;
    int corner_ = -1;
};

} // namespace kalorina::gui
