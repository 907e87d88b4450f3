#include "catalogue/CatalogueTexts.h"

#include "lang/TLanguages.h"

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
