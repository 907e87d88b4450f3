#include "app/DesignRules.h"

#include "app/HydraulicChoices.h"
#include "document/TProject.h"
#include "lang/BuiltInTexts.h"
#include "util/Error.h"
#include "util/FloatFormat.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
// Areas are shown and typed to the hundredth of a square metre.
constexpr double kAreaTolerance = 0.0001;

[[noreturn]] void Refuse(const std::string& id, const std::vector<std::string>& args)
{
    throw KalorinaError(FormatText(TextOrBuiltIn(id), args));
}
} // namespace

void CheckTemperatureOrder(double forward, double backward)
{
    if (!(backward < forward))
        Refuse("IDS_RETURNNOTBELOWFORWARD", {General(backward, 4), General(forward, 4)});
}

void CheckAreaWithin(double area, double maximum)
{
    if (area - maximum > kAreaTolerance)
        Refuse("IDS_AREAABOVEMAXIMUM", {AreaToStr(area), AreaToStr(maximum < 0 ? 0 : maximum)});
}

std::string AreaToStr(double area)
{
    return FloatToStrWithin(area, kAreaTolerance / 2);
}

void CheckRoomAreas(double floorArea, double heatLoss, double fieldArea)
{
    if (heatLoss > 0 && !(floorArea > 0))
        Refuse("IDS_ROOMWITHOUTAREA", {});
    if (fieldArea - floorArea > kAreaTolerance)
        Refuse("IDS_FIELDSBEYONDROOM", {AreaToStr(fieldArea), AreaToStr(floorArea)});
}

void CheckItemName(const TProject& project, bool isRoom, int index, const std::string& name)
{
    if (name.find_first_not_of(" \t") == std::string::npos)
        Refuse("IDS_EMPTYITEMNAME", {});
    const int other = project.FindItem(name, isRoom);
    if (other >= 0 && other != index)
        Refuse(isRoom ? "IDS_ROOMNAMETAKEN" : "IDS_ROUNDNAMETAKEN", {name});
}

} // namespace kalorina
