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
    // Unlike tubes and valves, fittings raise no structure errors of their own: an
    // empty NameBase or SizeName is accepted by design (the item is shown by its
    // sizes' full names, and size lists leave nameless sizes out).
    return r.ReadElements("TervaldDBResist",
                          {
                              {"ItemHeader", [&] { ReadHeader(r); }},
                              {"NameBase", [&] { TakeNameBase(r, nameBase); }},
                              r.FloatElement("DefaultValue", defaultValue),
                              {"ResistSubType", [&] { ReadSize(r); }},
                          });
}

void ResistDBItem::ReadSize(CatalogueReader& r)
{
    ResistSubType s;
    bool complete = r.ReadElements("ResistSubType",
                                   {
                                       r.TextElement("SizeName", s.sizeName, true, true),
                                       r.TextElement("FullName", s.fullName, true, true),
                                       r.Int16Element("DN", s.dn),
                                       r.FloatElement("UniqueValue", s.uniqueValue),
                                       r.TextElement("EstimateCode", s.estimateCode, false, true),
                                   });
    if (complete)
        sizes.push_back(std::move(s));
}

} // namespace kalorina
