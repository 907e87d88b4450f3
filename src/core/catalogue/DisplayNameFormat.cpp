#include "catalogue/DisplayNameFormat.h"

#include "catalogue/CatalogueReader.h"
#include "catalogue/CatalogueTexts.h"

namespace kalorina {

std::string ComposeDisplayName(const std::string& nameBase, const std::string& size)
{
    if (nameBase.find("%s") != std::string::npos)
        return FormatText(nameBase, {size});
    return nameBase + size;
}

std::string StripNameQuotes(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

void TakeNameBase(CatalogueReader& reader, std::string& nameBase)
{
    // Only an accepted text is stripped: a rejected element leaves the member as it was.
    const bool accepted = reader.LanguageAccepted();
    std::string text;
    if (reader.ReadElementText(text) && accepted)
        nameBase = StripNameQuotes(reader.Expand(text));
}

} // namespace kalorina
