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
    while (r.Next()) {
        if (r.IsEnd("ItemHeader")) {
            itemDate = date;
            if (!date.IsValid())
                throw KalorinaError(FormatText(CatalogueText("IDS_XMLDATEERROR"), {itemName}));
            if (itemName.empty() || itemPath.empty())
                throw KalorinaError(FormatText(CatalogueText("IDS_XMLPARSERERROR+10"), {itemName, itemPath}));
            return;
        }
        if (!r.IsStartTag())
            continue;
        const std::string& n = r.Name();
        if (n == "Macro") {
            bool accepted = r.LanguageAccepted();
            TXMLMacroItem macro{r.Attribute("ID"), {}};
            r.ReadElementText(macro.value);
            if (accepted)
                r.Macros().local.push_back(std::move(macro));
        } else if (n == "Year") {
            r.TakeInt(date.year);
        } else if (n == "Month") {
            r.TakeInt(date.month);
        } else if (n == "Day") {
            r.TakeInt(date.day);
        } else if (n == "ItemPath") {
            r.TakeText(itemPath, true, true);
        } else if (n == "ItemName") {
            r.TakeText(itemName, true, true);
        } else if (n == "HomePage") {
            r.TakeText(homePage, true, true);
        } else if (n == "SecurityCode") {
            bool accepted = r.LanguageAccepted();
            std::string text;
            if (r.ReadElementText(text) && accepted)
                securityCode = DecodeSecurityCode(text, securityCode);
        }
    }
}

} // namespace kalorina
