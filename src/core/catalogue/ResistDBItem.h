#pragma once
// A fitting: a local flow resistance with one value for the item or one per size.
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/DeviceDBItem.h"
#include "catalogue/SizeComboEntries.h"
#include "catalogue/ValveDBItem.h"

namespace kalorina {

struct ResistSubType {
    std::string sizeName;
    std::string fullName; // complete display name; empty: built from nameBase
    std::int16_t dn = 0;
    float uniqueValue = 0;
    std::string estimateCode;
};

class ResistDBItem : public DeviceDBItem {
public:
    ResistDBItem() : DeviceDBItem(3, false) {}

    std::string nameBase;
    std::int16_t resistMode = kNoMode;
    float defaultValue = 0;
    bool hasUniqueValues = false;
    bool listing = false;
    std::vector<ResistSubType> sizes;

    bool ReadFromXml(CatalogueReader& reader) override;
    std::string ImplausibleNumber() const override;
    std::unique_ptr<DeviceDBItem> Clone() const override { return std::make_unique<ResistDBItem>(*this); }

    int FindSize(const std::string& sizeName) const;
    // First size of the tube's DN, else of the valve's DN, else empty.
    std::string SizeByDN(int tubeDN, int valveDN) const;
    SizeComboEntries FillSizeCombo(bool withAuto, const std::string& current, const std::string& autoText) const;
    std::string DisplayName(const std::string& sizeName, const std::string& fallbackSize) const;
    std::string SizeEstimateCode(const std::string& sizeName) const;
    // The resistance value (kv, zeta or Pa) that applies to a size.
    double ResistValue(const std::string& sizeName) const;

private:
    void ReadSize(CatalogueReader& reader);
};

} // namespace kalorina
