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
    while (r.Next()) {
        if (r.IsEnd("TervaldDBPieceList"))
            return true;
        if (r.IsStart("ItemHeader"))
            ReadHeader(r);
        else if (r.IsStart("ListItem"))
            ReadEntry(r);
    }
    return false;
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
    while (r.Next()) {
        if (r.IsEnd("ListItem")) {
            entries.push_back(std::move(e));
            return;
        }
        if (!r.IsStartTag())
            continue;
        const std::string& n = r.Name();
        if (n == "Name")
            r.TakeText(e.name, true, true);
        else if (n == "Quantity")
            r.TakeFloat(e.quantity);
        else if (n == "DimensionString")
            r.TakeText(e.unit, true, true);
        else if (n == "EstimateCode")
            r.TakeText(e.estimateCode, false, true);
    }
}

} // namespace kalorina
