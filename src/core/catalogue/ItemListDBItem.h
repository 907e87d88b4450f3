#pragma once
// A piece list: a kit that stands for a list of parts with quantities per unit.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/DeviceDBItem.h"

namespace kalorina {

struct ListItem {
    std::int16_t type = 6; // kind code 0-5 of the part, 6 other
    std::string name;
    float quantity = 0;
    std::string unit;
    std::string estimateCode; // may begin with '@': another kit
};

// A bill-of-materials row made from one entry, before the parent's quantity is applied.
struct PieceListRow {
    int type = 6;
    std::string name;
    std::string catalogueId;
    double quantity = 0;
    std::string unit;
    std::string estimateCode;
    bool selected = false;
};

class ItemListDBItem : public DeviceDBItem {
public:
    ItemListDBItem() : DeviceDBItem(5, false) {}

    std::vector<ListItem> entries;

    bool ReadFromXml(CatalogueReader& reader) override;
    std::unique_ptr<DeviceDBItem> Clone() const override { return std::make_unique<ItemListDBItem>(*this); }

    // None when the index is past the entries.  `piecesText` is the unit of entries
    // without one (IDS_NUMBEROFPIECES).
    std::optional<PieceListRow> MakeUsedMaterialItem(std::size_t index, const std::string& parentId,
                                                     const std::string& parentName,
                                                     const std::string& piecesText) const;

private:
    void ReadEntry(CatalogueReader& reader);
};

} // namespace kalorina
