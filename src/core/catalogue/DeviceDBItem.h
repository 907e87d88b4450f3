#pragma once
// Base of the six catalogue item kinds: the item header every item carries and the
// virtual reading and checking operations.
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/CatalogueDate.h"

namespace kalorina {

class CatalogueReader;

class DeviceDBItem {
public:
    virtual ~DeviceDBItem() = default;

    std::string itemName;
    std::string itemPath; // folder path, backslash between segments
    CatalogueDate itemDate;
    std::string homePage;
    std::int32_t securityCode = 0; // deciphered SecurityCode; 0 when absent or refused

    std::uint8_t kind() const { return kind_; }
    bool needsCheck() const { return needsCheck_; }

    // Reads the item from its root start tag (the reader's current part) up to the
    // matching end tag; false when the document ended first.
    virtual bool ReadFromXml(CatalogueReader& reader);
    // The value SecurityCode must decipher to; only valves have one.
    virtual std::int32_t CheckValue() const { return 0; }
    virtual std::unique_ptr<DeviceDBItem> Clone() const = 0;
    // A number no product can have (a bore of 0, a negative density, a curve a
    // thousand times steeper than any floor gives), named as "name = value"; empty
    // when every number is plausible.  The catalogue leaves such an item out.
    virtual std::string ImplausibleNumber() const { return {}; }

    // Reads ItemHeader (the reader's current start tag) up to its end tag.
    void ReadHeader(CatalogueReader& reader);

protected:
    DeviceDBItem(std::uint8_t kind, bool needsCheck) : kind_(kind), needsCheck_(needsCheck) {}
    DeviceDBItem(const DeviceDBItem&) = default;
    DeviceDBItem& operator=(const DeviceDBItem&) = default;

private:
    std::uint8_t kind_;
    bool needsCheck_;
};

} // namespace kalorina
