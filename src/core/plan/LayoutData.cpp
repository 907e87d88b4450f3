#include "plan/LayoutData.h"

#include <iterator>

namespace kalorina::plan {

double PolylineLength(const Polyline& line)
{
    double length = 0;
    for (std::size_t i = 1; i < line.size(); ++i)
        length += Distance(line[i - 1], line[i]);
    return length;
}

void CircuitLayout::Measure()
{
    loopLength = 0;
    for (const LaidPart& part : parts)
        loopLength += PolylineLength(part.loop);
    routeLength = PolylineLength(supplyRoute) + PolylineLength(returnRoute) + 2 * riser;
    for (const Polyline& join : joins)
        routeLength += PolylineLength(join);
    length = loopLength + routeLength;
}

Rgb CircuitColour(int index)
{
    static constexpr Rgb kColours[] = {{214, 39, 40},  {31, 119, 180}, {44, 160, 44}, {148, 103, 189},
                                       {255, 127, 14}, {23, 190, 207}, {140, 86, 75}, {227, 119, 194},
                                       {188, 189, 34}, {0, 0, 139},    {128, 0, 0},   {0, 100, 0}};
    constexpr int count = int(std::size(kColours));
    return kColours[((index % count) + count) % count];
}

} // namespace kalorina::plan
