#pragma once
// Lays circuits' tubes on the floor plan: each room's floor shared among the
// circuit parts in it, a loop in each part's region at its field's spacing, the
// feed pipes from the manifold through the doors, and the laid length into the
// circuit's hydraulics.
#include <string>
#include <vector>

#include "document/TProject.h"

namespace kalorina {

class TDevices;

struct LaidCircuit {
    int round = -1;
    std::string name;
    bool laid = false; // laid now, or kept as it was laid
    bool kept = false; // nothing it was laid from changed
    // A loop longer than its tube allows is not laid: the number of circuits its
    // parts would have to be split into, else 0.
    int splitInto = 0;
    double length = 0;                 // m, as laid, or as it would be when too long
    std::vector<std::string> warnings; // why it was not laid, code page 1250
    std::vector<std::string> notes;    // laid, but not quite as asked
};

struct LayoutOutcome {
    std::vector<LaidCircuit> circuits;
    // What could not be laid, and then what was laid otherwise than asked.
    std::vector<std::string> Warnings() const;
    bool AnyFailed() const;
};

// The circuits at `rounds` (every circuit when empty) laid into `project` and
// recalculated.  A circuit laid before and unchanged since keeps its tube unless
// `again`.  A circuit that cannot be laid (no outline, no manifold place, no door,
// too long) loses its tube and keeps the estimate.
LayoutOutcome LayCircuits(TProject& project, const TDevices& devices, const std::vector<int>& rounds,
                          bool again = false);

// The circuits with a part in the room.
std::vector<int> RoundsOfRoom(const TProject& project, std::int32_t roomId);

// Splits the circuit at `round` into `count` circuits, each taking an equal share of
// every one of its parts, the new ones after it with names made from its own; the
// room fields are split to the parts.  The names of the circuits it became.
std::vector<std::string> SplitCircuit(TProject& project, const TDevices& devices, int round, int count);

// The line between the regions of two circuit parts in one room moved: the first
// part gets `firstArea` (m2, to 0.01, at least 0.5 m2 left to either), the second
// what both had less that; their fields take the same areas, the room and the
// circuits are computed again and the room's circuits laid anew.  Raises a
// KalorinaError when either part shares its field with another part, or the parts
// lie in different rooms.
void MoveSplit(TProject& project, const TDevices& devices, int firstRound, std::size_t firstPart, int secondRound,
               std::size_t secondPart, double firstArea);

} // namespace kalorina
