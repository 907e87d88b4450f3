#pragma once
// Moves the line between the laid regions of two circuit parts in one room by
// dragging it: the parts' areas (and their fields') follow the new line, and the
// room's circuits are laid again, as one step.
#include <cstddef>

#include "plan/PlanTool.h"

namespace kalorina::gui {

class MoveSplitTool : public PlanTool {
public:
    enum class State { Idle, Dragging };
    using PlanTool::PlanTool;

    void Press(plan::Point at) override;
    void Move(plan::Point at) override;
    void Release(plan::Point at) override;
    void Cancel() override;
    bool Busy() const override { return state_ != State::Idle; }
    State CurrentState() const { return state_; }

    // How near a press must come to a line between two regions, in metres.
    double reach = 0.3;

    // A line shared by two parts' regions: the parts, the line's ends.
    struct Split {
        int firstRound = -1, secondRound = -1;
        std::size_t firstPart = 0, secondPart = 0;
        plan::Point from, to;
    };
    // The first part's area were the line to pass through `at`.
    double FirstAreaAt(const Split& split, plan::Point at) const;

private:
    bool Nearest(plan::Point at, Split& split) const;
    State state_ = State::Idle;
    Split split_;
};

} // namespace kalorina::gui
