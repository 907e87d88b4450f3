#pragma once
// The open project's history of changes: the one door through which every change
// reaches the project, so that each can be undone and redone.  It knows the step
// at which the project was last saved (the clean point): the project is modified
// exactly when the history stands elsewhere.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "history/ProjectCommand.h"

namespace kalorina {

class TProject;

class History {
public:
    // At least this many steps are kept; older ones are forgotten.
    static constexpr std::size_t kDefaultLimit = 200;

    explicit History(TProject& project, std::size_t limit = kDefaultLimit);

    // Runs `edit` on the project (a command or a dialog's OK) and records what it
    // changed as one step named `name`.  A run that changes nothing records nothing
    // and leaves the modified flag as it was.  True when a step was recorded.
    bool Change(const StepLabel& name, const std::function<void(TProject&)>& edit);

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ < steps_.size(); }
    // The names of the steps Undo and Redo would take, in the active language;
    // empty when there is none.
    std::string UndoName() const;
    std::string RedoName() const;
    bool Undo();
    bool Redo();

    // The project as it stands is the saved one; or a new or opened project starts
    // a new history.
    void SetClean();
    void Clear();
    // The project as it stands differs from its file and no step leads back to it
    // (work restored after the program was killed): modified until it is saved.
    void SetUnsaved();
    bool IsClean() const { return clean_ == static_cast<std::ptrdiff_t>(index_); }

    std::size_t Size() const { return steps_.size(); }
    std::size_t Footprint() const;

    // Called after every change, undo and redo, once the project's assigned areas and
    // totals are counted again (the main window refreshes itself here).
    std::function<void(const ChangeKinds&)> changed;

private:
    void AfterChange(const ChangeKinds& kinds);

    TProject& project_;
    std::size_t limit_;
    std::vector<std::unique_ptr<ProjectCommand>> steps_;
    std::size_t index_ = 0;    // steps before it are done
    std::ptrdiff_t clean_ = 0; // -1: the saved state is no longer in the history
};

} // namespace kalorina
