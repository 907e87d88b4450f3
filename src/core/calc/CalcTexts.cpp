#include "calc/CalcTexts.h"

#include <map>

#include "lang/TLanguages.h"

namespace kalorina {

namespace {
const std::map<std::string, std::string>& BuiltIn()
{
    static const std::map<std::string, std::string> texts{
        {"IDS_UNKNOWEDTYPE", "The floor heating system is not in the catalogue"},
        {"IDS_UNKNOWEDDISTANCE", "The tube spacing is not offered by the floor heating system"},
        {"IDS_CANNOTINCREASEDISTANCE", "The spacing cannot be made denser"},
        {"IDS_CANNOTDECREASEDISTANCE", "The spacing cannot be made wider"},
        {"IDS_DTLOGERROR", "The temperatures must fall from forward to return to room temperature"},
        {"IDS_FLOORHEATINGSUMCAPTION", "Total"},
        {"IDS_TEMPERATURESNOTSETTLED", "The field temperatures of the circuit did not settle"},
        {"IDS_AUTO", "Auto"},
        {"IDS_YES", "Yes"},
        {"IDS_NO", "No"},
        {"IDS_VERSIONERR", "Version %d is not supported"},
    };
    return texts;
}
} // namespace

std::string CalcText(const std::string& id)
{
    std::string text = Languages().GetText(id);
    if (!text.empty())
        return text;
    auto it = BuiltIn().find(id);
    return it != BuiltIn().end() ? it->second : id;
}

} // namespace kalorina
