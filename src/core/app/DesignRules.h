#pragma once
// The rules that keep a design physically possible.  Every dialog and command that
// takes these values checks them here, so that all of them refuse the same input
// with the same message; each raises a KalorinaError whose text says what is allowed.
#include <string>

namespace kalorina {

class TProject;

// The water must cool down in the floor: the return below the forward temperature.
void CheckTemperatureOrder(double forward, double backward);

// An area entered for a field or a circuit part: at most `maximum` m2 (the free
// floor), with room for the rounding of the maximum as it is shown.
void CheckAreaWithin(double area, double maximum);
// An area or a maximum as the dialogs and these messages show it: the shortest
// decimal within a fraction of what CheckAreaWithin forgives, so that the float
// sums' last digits do not show and taking a maximum as shown passes the check.
std::string AreaToStr(double area);

// A room that loses heat needs floor to heat it; its fields fit into its floor.
void CheckRoomAreas(double floorArea, double heatLoss, double fieldArea);

// The name an item of the project is to take: not blank, and not the name of
// another item of its list (`index` is the item's own place, -1 for a new one).
void CheckItemName(const TProject& project, bool isRoom, int index, const std::string& name);

} // namespace kalorina
