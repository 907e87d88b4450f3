#pragma once
// A balancing valve with its sizes and presetting positions: the pressure drop of a
// position and the automatic choice of the position a circuit needs.
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/DeviceDBItem.h"
#include "catalogue/SizeComboEntries.h"

namespace kalorina {

// Resistance modes of valves and fittings.
enum ResistMode : std::int16_t { kKvMode = 0, kZetaMode = 1, kDpMode = 2, kNoMode = 3 };
std::int16_t ResistModeFromAttribute(const std::string& value);

struct ValvePosition {
    std::string positionString;
    float resistValue = 0; // kv (m³/h), zeta or Pa by the resistance mode
    float noiceLimit = 0;  // Pa; 0 or less: the size's limit applies
};

struct ValveSubType {
    std::string sizeName;
    std::int16_t dn = 0;
    float noiceLimit = 0;
    float openedValue = 0;
    float thermostaticValue = 0;
    std::vector<ValvePosition> positions; // most throttling first
    std::string estimateCode;
};

// Warning codes of the position choice.
enum ValveWarning { kValveNoWarning = 0, kValveTooOpen = 1, kValveTooClosed = 2, kValveNoisy = 3 };

struct ValveChoice {
    std::string positionString;
    double pressureDrop = 0; // Pa taken up by the valve
    int warning = kValveNoWarning;
};

class ValveDBItem : public DeviceDBItem {
public:
    ValveDBItem() : DeviceDBItem(2, true) {}

    std::string nameBase;
    std::int16_t resistMode = kNoMode;
    bool projektOptionsDefault = false;
    std::vector<ValveSubType> sizes;

    bool ReadFromXml(CatalogueReader& reader) override;
    std::string ImplausibleNumber() const override;
    std::int32_t CheckValue() const override;
    std::unique_ptr<DeviceDBItem> Clone() const override { return std::make_unique<ValveDBItem>(*this); }

    int FindSize(const std::string& sizeName) const;
    std::string SizeByDN(int dn) const;
    // Whole pascals through one position.
    static double PositionDrop(const ValvePosition& position, double volumeFlow, double density, int resistMode,
                               int dn);
    double OpenDrop(const std::string& sizeName, double volumeFlow, double density) const;
    ValveChoice ChoosePosition(const std::string& sizeName, double required, double volumeFlow, double density) const;
    SizeComboEntries FillSizeCombo(bool withAuto, const std::string& current, const std::string& autoText) const;
    std::string DisplayName(const std::string& sizeName) const;
    std::string SizeEstimateCode(const std::string& sizeName) const;

    // The bytes the check value is computed from.
    std::vector<std::uint8_t> CheckData() const;

private:
    void ReadSize(CatalogueReader& reader);
};

} // namespace kalorina
