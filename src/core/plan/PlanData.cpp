#include "plan/PlanData.h"

namespace kalorina::plan {

const RoomOutline* Plan::OutlineOf(std::int32_t roomId) const
{
    for (const RoomOutline& o : outlines)
        if (o.roomId == roomId)
            return &o;
    return nullptr;
}

} // namespace kalorina::plan
