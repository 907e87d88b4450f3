#include "catalogue/CatalogueTexts.h"

#include <map>

#include "lang/TLanguages.h"

namespace kalorina {

namespace {
const std::map<std::string, std::string>& BuiltIn()
{
    static const std::map<std::string, std::string> texts{
        {"IDS_WRONGVALUE", "Wrong value"},
        {"IDS_DTLOGERROR", "The temperatures must fall from forward to return to room temperature"},
        {"IDS_NUMBEROFPIECES", "pcs"},
        {"IDS_AUTO", "Auto"},
        {"IDS_XMLPARSERERROR+3", "Floor heating system %s has more than 16 spacings"},
        {"IDS_XMLPARSERERROR+4", "Covering %s has a wrong number of equations"},
        {"IDS_XMLPARSERERROR+10", "Catalogue item without name or path (name: %s, path: %s)"},
        {"IDS_XMLPARSERERROR+11", "Catalogue item without NameBase (name: %s, path: %s)"},
        {"IDS_XMLPARSERERROR+12", "Size without SizeName"},
        {"IDS_XMLPARSERERROR+13", "Covering without SurfaceName"},
        {"IDS_XMLDATEERROR", "Invalid date in the header of item %s"},
        {"IDS_XMLINTEGERERROR", "Invalid integer: %s"},
        {"IDS_XMLFILEERROR", "The catalogue file %s cannot be read"},
    };
    return texts;
}
} // namespace

std::string CatalogueText(const std::string& id)
{
    std::string text = Languages().GetText(id);
    if (!text.empty())
        return text;
    auto it = BuiltIn().find(id);
    return it != BuiltIn().end() ? it->second : id;
}

} // namespace kalorina

namespace kalorina {

std::string CatalogueLanguage(const std::string& languageName)
{
    if (Languages().GetLanguageName() == languageName) {
        std::string text = Languages().GetText("IDS_DEVICEDBLANGUAGE");
        if (!text.empty())
            return text;
    }
    // Without language files the two shipped languages still find their catalogue texts.
    if (languageName == "Magyar")
        return "hu";
    if (languageName == "English")
        return "en";
    return languageName;
}

} // namespace kalorina
