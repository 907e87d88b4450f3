#pragma once
// A heat transfer medium: named temperature functions (density "ro", kinematic
// viscosity "nu", specific heat "C"), each a polynomial or a curve through points.
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/DeviceDBItem.h"

namespace kalorina {

struct MediumFunction {
    std::string name;
    std::int16_t mode = 1;            // 0 polynomial, 1 points
    std::vector<float> polinomValues; // highest power first
    std::vector<float> temperatures;
    std::vector<float> pointValues;
};

class MediumDBItem : public DeviceDBItem {
public:
    MediumDBItem() : DeviceDBItem(4, false) {}

    // New projects take the first medium so marked (ProjektOptionsDefault="yes").
    bool projektOptionsDefault = false;
    float tempMin = 0;
    float tempMax = 0;
    std::vector<MediumFunction> characteristics;

    bool ReadFromXml(CatalogueReader& reader) override;
    std::string ImplausibleNumber() const override;
    std::unique_ptr<DeviceDBItem> Clone() const override { return std::make_unique<MediumDBItem>(*this); }

    int FindCharacteristic(const std::string& name) const;
    // Value of a characteristic at x °C; always a finite number for finite x.
    static double Evaluate(const MediumFunction& f, double x);

private:
    void ReadCharacteristic(CatalogueReader& reader);
};

} // namespace kalorina
