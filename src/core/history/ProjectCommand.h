#pragma once
// One step of the project's history: what a user action changed, able to take the
// project back to before it and forward again.
#include <string>

#include "history/StepLabel.h"

namespace kalorina {

class TProject;

// What a step touched, for those who show the project.
struct ChangeKinds {
    bool rooms = false, rounds = false, options = false, data = false;
};

class ProjectCommand {
public:
    virtual ~ProjectCommand() = default;
    virtual void Redo(TProject& project) const = 0;
    virtual void Undo(TProject& project) const = 0;
    // The step as the Edit menu names it ("Nappali módosítása"), in the active language.
    virtual const StepLabel& Label() const = 0;
    std::string Name() const { return Label().Text(); }
    // False for a step that would change nothing: it is never recorded.
    virtual bool ChangesAnything() const = 0;
    virtual ChangeKinds Kinds() const = 0;
    // About how many bytes the step keeps.
    virtual std::size_t Footprint() const = 0;
};

} // namespace kalorina
