#pragma once
// Recomputing a whole project the way the tools do: every room's fields at its room
// temperature, then every circuit in order, each failure kept with its item so
// that the next item goes on.
#include <optional>
#include <string>
#include <vector>

namespace kalorina {

class TDevices;
class TProject;

struct RecalcOutcome {
    // Per room and per circuit: the failure text (code page 1250), if any.
    std::vector<std::optional<std::string>> roomErrors;
    std::vector<std::optional<bool>> recalculated; // what Recalculate / ApplyToFields returned
    std::vector<std::optional<std::string>> roundErrors;

    // Nothing run yet.
    explicit RecalcOutcome(const TProject& project);
    // Some room or circuit could not be computed (a failure, or a circuit that
    // carries no heat).
    bool AnyFailed() const;
};

// Rooms, recount, circuits (ApplyToFields instead of Recalculate with `apply`),
// recount, totals.
RecalcOutcome RecalculateProject(TProject& project, const TDevices& devices, bool apply);

} // namespace kalorina
