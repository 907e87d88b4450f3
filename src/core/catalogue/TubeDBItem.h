#pragma once
// A tube product with its sizes: velocity, friction factor and pressure gradient.
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/DeviceDBItem.h"

namespace kalorina {

struct TubeSubType {
    std::string sizeName;
    std::int16_t dn = 0;      // mm, nominal size for fitting choice
    float d1 = 0;             // mm, inner diameter
    float d2 = 0;             // mm, outer diameter
    std::int16_t valveDN = 0; // mm, valve size that fits
    float speedLimit = 0;     // m/s
    float roughness = 0;      // mm
    float maxLoopLength = 0;  // m, the longest circuit the size is made for; 0: not given
    std::string estimateCode;
};

class TubeDBItem : public DeviceDBItem {
public:
    TubeDBItem() : DeviceDBItem(1, false) {}

    std::string nameBase;
    float thermalCond = 0;
    std::vector<TubeSubType> sizes;

    bool ReadFromXml(CatalogueReader& reader) override;
    std::string ImplausibleNumber() const override;
    std::unique_ptr<DeviceDBItem> Clone() const override { return std::make_unique<TubeDBItem>(*this); }

    int FindSize(const std::string& sizeName) const;
    int SizeDN(const std::string& sizeName) const;
    int SizeValveDN(const std::string& sizeName) const;
    // m/s for a volume flow in m³/s; 0 for an unknown size.
    double Velocity(const std::string& sizeName, double volumeFlow) const;
    // Pa/m; 0 for an unknown size.
    double PressureGradient(const std::string& sizeName, double volumeFlow, double density,
                            double kinematicViscosity) const;
    std::string DisplayName(const std::string& sizeName) const;
    std::string SizeEstimateCode(const std::string& sizeName) const;

    // Darcy friction factor at velocity v (m/s), viscosity nu (m²/s), inner diameter
    // d1 and roughness k (both mm).  k = 0 is a hydraulically smooth wall.
    static double FrictionFactor(double v, double nu, double d1, double k);
    // v = V / (d1² · π/4), d1 in mm.
    static double FlowVelocity(double volumeFlow, double d1);

private:
    void ReadSize(CatalogueReader& reader);
};

} // namespace kalorina
