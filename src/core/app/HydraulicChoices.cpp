#include "app/HydraulicChoices.h"

#include <algorithm>
#include <cmath>

#include "calc/TMedium.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/TDevices.h"
#include "catalogue/ValveDBItem.h"
#include "lang/Alphabet.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "util/FloatFormat.h"
#include "util/TextCase.h"

namespace kalorina {

std::string AutoText()
{
    return TextOrBuiltIn("IDS_AUTO");
}

std::string UserDefinedText()
{
    return Txt("IDS_USERDEFINED");
}

ChoiceList MediumChoices(const TDevices& devices, const std::string& mediumName)
{
    ChoiceList list;
    list.entries = devices.FillDeviceCombo(kMediumKind);
    for (std::size_t i = 0; i < list.entries.size() && list.selected < 0; ++i)
        if (!mediumName.empty() && SameTextIgnoringCase(list.entries[i], mediumName))
            list.selected = static_cast<int>(i);
    list.entries.push_back(UserDefinedText());
    if (list.selected < 0)
        list.selected = static_cast<int>(list.entries.size()) - 1;
    return list;
}

ChoiceList ValveChoices(const TDevices& devices, const std::string& valveName)
{
    ChoiceList list;
    list.entries = devices.FillDeviceCombo(kValveKind);
    SortAlphabetically(list.entries);
    auto it = std::find(list.entries.begin(), list.entries.end(), valveName);
    if (!valveName.empty() && it != list.entries.end())
        list.selected = static_cast<int>(it - list.entries.begin());
    return list;
}

ValveSizeChoice ValveSizes(const TDevices& devices, const std::string& valveName, const std::string& sizeName)
{
    ValveSizeChoice choice;
    const auto* valve = devices.Find<ValveDBItem>(kValveKind, valveName);
    if (!valve)
        return choice;
    choice.found = true;
    SizeComboEntries combo = valve->FillSizeCombo(true, sizeName, AutoText());
    choice.sizes.entries = combo.entries;
    choice.sizes.selected = sizeName.empty() ? 0 : std::max(combo.selected, 0);
    choice.link = valve->homePage;
    return choice;
}

std::string StoredSize(const std::string& sizeText)
{
    return sizeText == AutoText() ? std::string() : sizeText;
}

std::string General(double value, int digits)
{
    return FloatToStrF(value, TFloatFormat::General, digits, 0);
}

std::string Whole(double value)
{
    return FloatToStrF(value, TFloatFormat::Fixed, 15, 0);
}

MediumTexts MediumPropertyTexts(const TMedium& medium)
{
    return {General(medium.density, 4), General(medium.viscosity, 4), General(medium.specificHeat, 4)};
}

} // namespace kalorina
