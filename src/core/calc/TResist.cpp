#include "calc/TResist.h"

#include <cmath>
#include <numbers>

#include "calc/CalcTexts.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/Rounding.h"
#include "catalogue/TDevices.h"

namespace kalorina {

void TResist::SelectItem(const TDevices& devices, const std::string& name)
{
    const auto* item = devices.Find<ResistDBItem>(kResistKind, name);
    if (!item)
        return;
    resistName = name;
    resistMode = item->resistMode;
    value = item->defaultValue;
    listing = item->listing ? 1 : 0;
}

float TResist::Compute(const TDevices& devices, int tubeDN, int valveDN, double V, double pdyn, double density)
{
    autoSizeName.clear();
    pressureDrop = 0;
    errors = 0;
    if (!unique) {
        dn = 0;
        const auto* item = devices.Find<ResistDBItem>(kResistKind, resistName);
        if (!item) {
            errors = kItemMissing;
        } else {
            resistMode = item->resistMode;
            value = item->defaultValue;
            if (tubeDN > 0 || valveDN > 0)
                autoSizeName = item->SizeByDN(tubeDN, valveDN);
            int size = item->FindSize(SizeInUse());
            if (size < 0) {
                errors = kSizeMissing;
            } else {
                dn = item->sizes[size].dn;
                if (item->hasUniqueValues)
                    value = item->sizes[size].uniqueValue;
            }
        }
    }
    double drop = 0;
    switch (resistMode) {
    case 0: // kv
        if (value != 0) {
            double r = V * 3600 / value;
            drop = r * r * 100000 * density * 0.001;
        }
        break;
    case 1: // zeta
        if (errors != 0) {
            errors |= kZetaWithoutSize;
        } else {
            double dynamic = pdyn;
            if (dn != 0) {
                // The dynamic pressure in the fitting's own bore.
                double v = V / (double(dn) * dn * std::numbers::pi * 2.5e-7);
                dynamic = density * 0.5 * v * v;
            }
            drop = value * dynamic;
        }
        break;
    case 2: // dp
        drop = value;
        break;
    default:
        break;
    }
    pressureDrop = static_cast<float>(Round1(count * drop));
    if (!std::isfinite(pressureDrop))
        pressureDrop = 0;
    return pressureDrop;
}

std::string TResist::CellText(const TDevices& devices, int column, const CellNumberFormat& format) const
{
    auto red = [](bool on) { return std::string(on ? kRedCell : ""); };
    auto dnText = [&] { return dn != 0 ? std::string(" ") + std::to_string(dn) : std::string(); };
    switch (column) {
    case 0:
        return format(count);
    case 1:
        return red(errors & kItemMissing) + resistName;
    case 2:
        return red(errors & (kSizeMissing | kZetaWithoutSize))
            + (unique                 ? std::to_string(dn)
                   : sizeName.empty() ? CalcText("IDS_AUTO")
                                      : sizeName);
    case 3:
        return autoSizeName;
    case 4:
        return format(resistMode == 1 ? value : 0);
    case 5:
        return format(resistMode == 0 ? value : 0);
    case 6:
        return format(pressureDrop);
    case 7:
        return CalcText(listing ? "IDS_YES" : "IDS_NO");
    case 8: {
        std::string text = red(errors != 0);
        if (unique)
            return text + resistName + dnText();
        if (const auto* item = devices.Find<ResistDBItem>(kResistKind, resistName))
            return text + item->DisplayName(SizeInUse(), {});
        return text + resistName + SizeInUse();
    }
    case 9:
        return red(errors & kSizeMissing) + (unique ? dnText() : " " + SizeInUse());
    default:
        return {};
    }
}

} // namespace kalorina
