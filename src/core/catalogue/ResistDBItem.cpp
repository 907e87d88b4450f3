#include "catalogue/ResistDBItem.h"

#include "catalogue/CatalogueReader.h"
#include "catalogue/DisplayNameFormat.h"
#include "catalogue/ItemSizes.h"

namespace kalorina {

int ResistDBItem::FindSize(const std::string& sizeName) const
{
    return FindSizeIndex(sizes, sizeName);
}

std::string ResistDBItem::SizeByDN(int tubeDN, int valveDN) const
{
    for (const auto& s : sizes)
        if (s.dn == tubeDN)
            return s.sizeName;
    for (const auto& s : sizes)
        if (s.dn == valveDN)
            return s.sizeName;
    return {};
}

SizeComboEntries ResistDBItem::FillSizeCombo(bool withAuto, const std::string& current,
                                             const std::string& autoText) const
{
    return SizeComboOf(sizes, withAuto, current, autoText, true);
}

std::string ResistDBItem::DisplayName(const std::string& sizeName, const std::string& fallbackSize) const
{
    int i = FindSize(sizeName);
    if (i < 0)
        return itemName + " " + sizeName;
    if (!sizes[i].fullName.empty())
        return sizes[i].fullName;
    return ComposeDisplayName(nameBase, sizeName.empty() ? fallbackSize : sizeName);
}

std::string ResistDBItem::SizeEstimateCode(const std::string& sizeName) const
{
    return SizeEstimateCodeOf(sizes, sizeName);
}

double ResistDBItem::ResistValue(const std::string& sizeName) const
{
    int i = FindSize(sizeName);
    if (hasUniqueValues && i >= 0)
        return sizes[i].uniqueValue;
    return defaultValue;
}

} // namespace kalorina

namespace kalorina {

bool ResistDBItem::ReadFromXml(CatalogueReader& r)
{
    resistMode = ResistModeFromAttribute(r.Attribute("ResistMode"));
    hasUniqueValues = r.Attribute("HasUniqueValues") == "Yes";
    listing = r.Attribute("Listing") == "Yes";
    while (r.Next()) {
        if (r.IsEnd("TervaldDBResist"))
            return true;
        if (!r.IsStartTag())
            continue;
        const std::string& n = r.Name();
        if (n == "ItemHeader") {
            ReadHeader(r);
        } else if (n == "NameBase") {
            TakeNameBase(r, nameBase);
        } else if (n == "DefaultValue") {
            r.TakeFloat(defaultValue);
        } else if (n == "ResistSubType") {
            ReadSize(r);
        }
    }
    return false;
}

void ResistDBItem::ReadSize(CatalogueReader& r)
{
    ResistSubType s;
    while (r.Next()) {
        if (r.IsEnd("ResistSubType")) {
            sizes.push_back(std::move(s));
            return;
        }
        if (!r.IsStartTag())
            continue;
        const std::string& n = r.Name();
        if (n == "SizeName")
            r.TakeText(s.sizeName, true, true);
        else if (n == "FullName")
            r.TakeText(s.fullName, true, true);
        else if (n == "DN")
            r.TakeInt16(s.dn);
        else if (n == "UniqueValue")
            r.TakeFloat(s.uniqueValue);
        else if (n == "EstimateCode")
            r.TakeText(s.estimateCode, false, true);
    }
}

} // namespace kalorina
