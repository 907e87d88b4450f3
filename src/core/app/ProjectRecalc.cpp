#include "app/ProjectRecalc.h"

#include <exception>

#include "document/StoredRanges.h"
#include "document/TProject.h"

namespace kalorina {

RecalcOutcome::RecalcOutcome(const TProject& p)
    : roomErrors(p.rooms.size()), recalculated(p.rounds.size()), roundErrors(p.rounds.size())
{
}

bool RecalcOutcome::AnyFailed() const
{
    for (const auto& e : roomErrors)
        if (e)
            return true;
    for (const auto& e : roundErrors)
        if (e)
            return true;
    for (const auto& r : recalculated)
        if (r && !*r)
            return true;
    return false;
}

RecalcOutcome RecalculateProject(TProject& project, const TDevices& devices, bool apply)
{
    RecalcOutcome outcome(project);
    for (std::size_t i = 0; i < project.rooms.size(); ++i) {
        try {
            project.rooms[i].RecomputeFields(devices);
        } catch (const std::exception& e) {
            outcome.roomErrors[i] = e.what();
        }
        // An infinity is no result: the item failed, and no number built on it is shown.
        if (std::string notFinite = SettleNonFiniteResults(project.rooms[i]);
            !notFinite.empty() && !outcome.roomErrors[i])
            outcome.roomErrors[i] = notFinite;
    }
    project.RecountAssignedSurfaces();
    for (std::size_t i = 0; i < project.rounds.size(); ++i) {
        TRoundItem& round = project.rounds[i];
        try {
            round.RefreshRoomNames(project);
            outcome.recalculated[i] =
                apply ? round.ApplyToFields(project, devices) : round.Recalculate(project, devices);
        } catch (const std::exception& e) {
            outcome.roundErrors[i] = e.what();
        }
        if (std::string notFinite = SettleNonFiniteResults(round); !notFinite.empty() && !outcome.roundErrors[i])
            outcome.roundErrors[i] = notFinite;
    }
    // Applying a circuit writes into the fields of its rooms.
    for (std::size_t i = 0; i < project.rooms.size(); ++i)
        if (std::string notFinite = SettleNonFiniteResults(project.rooms[i]);
            !notFinite.empty() && !outcome.roomErrors[i])
            outcome.roomErrors[i] = notFinite;
    project.RecountAssignedSurfaces();
    project.ComputeTotals();
    return outcome;
}

} // namespace kalorina
