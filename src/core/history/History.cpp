#include "history/History.h"

#include <algorithm>

#include "document/TProject.h"
#include "history/ProjectChange.h"

namespace kalorina {

History::History(TProject& project, std::size_t limit) : project_(project), limit_(std::max<std::size_t>(limit, 1))
{
}

bool History::Change(const StepLabel& name, const std::function<void(TProject&)>& edit)
{
    const TProject before = project_;
    try {
        edit(project_);
    } catch (...) {
        // A command that fails half way changes nothing.
        project_ = before;
        throw;
    }
    auto step = std::make_unique<ProjectChange>(name, before, project_);
    if (!step->ChangesAnything()) {
        project_.modified = !IsClean();
        return false;
    }
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(index_), steps_.end());
    if (clean_ > static_cast<std::ptrdiff_t>(index_))
        clean_ = -1; // the saved state was among the steps undone and now dropped
    const ChangeKinds kinds = step->Kinds();
    steps_.push_back(std::move(step));
    ++index_;
    if (steps_.size() > limit_) {
        steps_.erase(steps_.begin());
        --index_;
        clean_ = clean_ > 0 ? clean_ - 1 : -1;
    }
    AfterChange(kinds);
    return true;
}

std::string History::UndoName() const
{
    return CanUndo() ? steps_[index_ - 1]->Name() : std::string();
}

std::string History::RedoName() const
{
    return CanRedo() ? steps_[index_]->Name() : std::string();
}

bool History::Undo()
{
    if (!CanUndo())
        return false;
    steps_[--index_]->Undo(project_);
    AfterChange(steps_[index_]->Kinds());
    return true;
}

bool History::Redo()
{
    if (!CanRedo())
        return false;
    steps_[index_++]->Redo(project_);
    AfterChange(steps_[index_ - 1]->Kinds());
    return true;
}

void History::SetClean()
{
    clean_ = static_cast<std::ptrdiff_t>(index_);
    project_.modified = false;
}

void History::Clear()
{
    steps_.clear();
    index_ = 0;
    SetClean();
}

void History::SetUnsaved()
{
    clean_ = -1;
    project_.modified = true;
}

std::size_t History::Footprint() const
{
    std::size_t n = 0;
    for (const auto& step : steps_)
        n += step->Footprint();
    return n;
}

void History::AfterChange(const ChangeKinds& kinds)
{
    project_.RecountAssignedSurfaces();
    project_.ComputeTotals();
    project_.modified = !IsClean();
    if (changed)
        changed(kinds);
}

} // namespace kalorina
