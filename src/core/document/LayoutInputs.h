#pragma once
// What a circuit's laid tube depends on, as one number: the outlines and doors of
// its floor, its manifold's place, the fields of its rooms and every circuit part in
// them (a room's fields share its floor), the pattern and the distance from the
// walls.  A laid circuit whose number differs from the one it was laid with is out
// of date.
#include <cstdint>

namespace kalorina {

class TProject;
class TRoundItem;

std::uint64_t LayoutInputs(const TProject& project, const TRoundItem& round);
// Whether the circuit is laid and its layout still fits the plan and its fields.
bool LayoutCurrent(const TProject& project, const TRoundItem& round);

} // namespace kalorina
