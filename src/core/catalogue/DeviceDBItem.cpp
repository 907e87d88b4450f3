#include "catalogue/DeviceDBItem.h"

#include "catalogue/CatalogueReader.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/SecurityCode.h"
#include "util/Error.h"

namespace kalorina {

bool DeviceDBItem::ReadFromXml(CatalogueReader&)
{
    return true;
}

void DeviceDBItem::ReadHeader(CatalogueReader& r)
{
    r.Macros().local.clear();
    CatalogueDate date;
    auto readSecurityCode = [&] {
        bool accepted = r.LanguageAccepted();
        std::string text;
        if (r.ReadElementText(text) && accepted)
            securityCode = DecodeSecurityCode(text, securityCode);
    };
    bool complete = r.ReadElements("ItemHeader",
                                   {
                                       {"Macro", [&] { r.ReadMacro(r.Macros().local); }},
                                       r.IntElement("Year", date.year),
                                       r.IntElement("Month", date.month),
                                       r.IntElement("Day", date.day),
                                       r.TextElement("ItemPath", itemPath, true, true),
                                       r.TextElement("ItemName", itemName, true, true),
                                       r.TextElement("HomePage", homePage, true, true),
                                       {"SecurityCode", readSecurityCode},
                                   });
    if (!complete)
        return;
    itemDate = date;
    if (!date.IsValid())
        throw KalorinaError(FormatText(CatalogueText("IDS_XMLDATEERROR"), {itemName}));
    if (itemName.empty() || itemPath.empty())
        throw KalorinaError(FormatText(CatalogueText("IDS_XMLPARSERERROR+10"), {itemName, itemPath}));
}

} // namespace kalorina
