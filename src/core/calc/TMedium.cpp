#include "calc/TMedium.h"

#include "catalogue/DeviceKind.h"
#include "catalogue/MediumDBItem.h"
#include "catalogue/TDevices.h"
#include "lang/TLanguages.h"

namespace kalorina {

void TMedium::Reset()
{
    forward = return_ = 0;
    mediumName = Languages().GetText("IDS_NORMALWATER");
    density = 971.9f;
    viscosity = 3.673e-7f;
    specificHeat = 4173;
}

void TMedium::UpdateProperties(const TDevices& devices)
{
    double tm = (double(forward) + double(return_)) / 2;
    const auto* medium = devices.Find<MediumDBItem>(kMediumKind, mediumName);
    if (!medium)
        return;
    auto value = [&](const char* name) {
        int i = medium->FindCharacteristic(name);
        return i < 0 ? 0.0f : static_cast<float>(MediumDBItem::Evaluate(medium->characteristics[i], tm));
    };
    density = value("ro");
    viscosity = value("nu");
    specificHeat = value("C");
}

} // namespace kalorina
