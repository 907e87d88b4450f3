#include "catalogue/ItemListDBItem.h"

#include "catalogue/CatalogueReader.h"
#include "catalogue/DeviceKind.h"

namespace kalorina {

std::optional<PieceListRow> ItemListDBItem::MakeUsedMaterialItem(std::size_t index, const std::string& parentId,
                                                                 const std::string& parentName,
                                                                 const std::string& piecesText) const
{
    if (index >= entries.size())
        return std::nullopt;
    const ListItem& e = entries[index];
    PieceListRow row;
    row.type = e.type;
    row.name = e.name.empty() ? parentName : e.name;
    row.catalogueId = parentId;
    row.quantity = e.quantity;
    row.unit = e.unit.empty() ? piecesText : e.unit;
    row.estimateCode = e.estimateCode;
    return row;
}

} // namespace kalorina

namespace kalorina {

bool ItemListDBItem::ReadFromXml(CatalogueReader& r)
{
    return r.ReadElements("TervaldDBPieceList",
                          {
                              {"ItemHeader", [&] { ReadHeader(r); }},
                              {"ListItem", [&] { ReadEntry(r); }},
                          });
}

void ItemListDBItem::ReadEntry(CatalogueReader& r)
{
    ListItem e;
    std::string type = r.Attribute("Type");
    for (int k = 0; k < kDeviceKindCount; ++k)
        if (DeviceKindIdentifier(k) == type) {
            e.type = static_cast<std::int16_t>(k);
            break;
        }
    bool complete = r.ReadElements("ListItem",
                                   {
                                       r.TextElement("Name", e.name, true, true),
                                       r.FloatElement("Quantity", e.quantity),
                                       r.TextElement("DimensionString", e.unit, true, true),
                                       r.TextElement("EstimateCode", e.estimateCode, false, true),
                                   });
    if (complete)
        entries.push_back(std::move(e));
}

} // namespace kalorina
