#pragma once
// Places the chosen manifold where the mouse is clicked; the preview follows it.
#include "plan/PlanTool.h"

namespace kalorina::gui {

class PlaceManifoldTool : public PlanTool {
public:
    enum class State { Idle, Aiming };
    using PlanTool::PlanTool;

    void Press(plan::Point at) override;
    void Move(plan::Point at) override;
    void Cancel() override;
    bool Busy() const override { return state_ != State::Idle; }

private:
    State state_ = State::Idle;
};

} // namespace kalorina::gui
