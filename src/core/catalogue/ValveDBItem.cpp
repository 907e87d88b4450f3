#include "catalogue/ValveDBItem.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "catalogue/CatalogueReader.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/DisplayNameFormat.h"
#include "catalogue/ItemSizes.h"
#include "catalogue/Rounding.h"
#include "catalogue/SecurityCode.h"
#include "util/Error.h"

namespace kalorina {

std::int16_t ResistModeFromAttribute(const std::string& value)
{
    if (value == "kv")
        return kKvMode;
    if (value == "zeta")
        return kZetaMode;
    if (value == "dp")
        return kDpMode;
    return kNoMode;
}

int ValveDBItem::FindSize(const std::string& sizeName) const
{
    return FindSizeIndex(sizes, sizeName);
}

std::string ValveDBItem::SizeByDN(int dn) const
{
    int best = -1;
    long bestDiff = 0;
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        long diff = std::labs(static_cast<long>(sizes[i].dn) - dn);
        if (best < 0 || diff < bestDiff) {
            best = static_cast<int>(i);
            bestDiff = diff;
        }
    }
    return best < 0 ? std::string() : sizes[best].sizeName;
}

double ValveDBItem::PositionDrop(const ValvePosition& position, double volumeFlow, double density, int resistMode,
                                 int dn)
{
    double r = position.resistValue;
    double drop = 0;
    switch (resistMode) {
    case kKvMode: {
        if (!(r > 0))
            return 0; // a closed kv has no finite drop; treated as no data
        double flow = volumeFlow * 3600 / r;
        drop = flow * flow * 100000 * density * 0.001;
        break;
    }
    case kZetaMode: {
        if (dn <= 0)
            return 0;
        double v = volumeFlow / (static_cast<double>(dn) * dn * std::numbers::pi * 2.5e-7);
        drop = r * density * 0.5 * v * v;
        break;
    }
    case kDpMode:
        drop = r;
        break;
    default:
        return 0;
    }
    return std::isfinite(drop) ? RoundW(drop) : 0;
}

double ValveDBItem::OpenDrop(const std::string& sizeName, double volumeFlow, double density) const
{
    int i = FindSize(sizeName);
    if (i < 0 || sizes[i].positions.empty())
        return 0;
    return PositionDrop(sizes[i].positions.back(), volumeFlow, density, resistMode, sizes[i].dn);
}

ValveChoice ValveDBItem::ChoosePosition(const std::string& sizeName, double required, double volumeFlow,
                                        double density) const
{
    ValveChoice choice;
    int si = FindSize(sizeName);
    if (si < 0)
        return choice;
    const ValveSubType& size = sizes[si];
    int n = static_cast<int>(size.positions.size());
    if (n == 0)
        return choice;
    int taken = 0;
    double best = 0;
    std::vector<double> drops(n);
    for (int i = 0; i < n; ++i) {
        drops[i] = PositionDrop(size.positions[i], volumeFlow, density, resistMode, size.dn);
        double diff = std::fabs(required - drops[i]);
        if (i == 0 || diff < best) {
            taken = i;
            best = diff;
        }
    }
    choice.pressureDrop = drops[taken];
    if (taken == 0) {
        if (required > 1.1 * drops[0])
            choice.warning = kValveTooClosed;
        if (required <= drops[0])
            choice.pressureDrop = required;
    }
    if (taken == n - 1) {
        if (drops[n - 1] - required > 1.0)
            choice.warning = kValveTooOpen;
        if (required >= drops[n - 1])
            choice.pressureDrop = required;
    }
    if (taken > 0 && taken < n - 1)
        choice.pressureDrop = required;
    if (choice.warning == kValveNoWarning) {
        const ValvePosition& p = size.positions[taken];
        double limit = p.noiceLimit > 0 ? p.noiceLimit : size.noiceLimit;
        if (required > limit)
            choice.warning = kValveNoisy;
    }
    choice.positionString = size.positions[taken].positionString;
    return choice;
}

SizeComboEntries ValveDBItem::FillSizeCombo(bool withAuto, const std::string& current,
                                            const std::string& autoText) const
{
    return SizeComboOf(sizes, withAuto, current, autoText, false);
}

std::string ValveDBItem::DisplayName(const std::string& sizeName) const
{
    return ComposeDisplayName(nameBase, sizeName);
}

std::string ValveDBItem::SizeEstimateCode(const std::string& sizeName) const
{
    return SizeEstimateCodeOf(sizes, sizeName);
}

namespace {
void Put16(std::vector<std::uint8_t>& out, std::int16_t v)
{
    auto u = static_cast<std::uint16_t>(v);
    out.push_back(static_cast<std::uint8_t>(u & 0xFF));
    out.push_back(static_cast<std::uint8_t>(u >> 8));
}

void PutFloat(std::vector<std::uint8_t>& out, float f)
{
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>((u >> (8 * i)) & 0xFF));
}
} // namespace

std::vector<std::uint8_t> ValveDBItem::CheckData() const
{
    std::vector<std::uint8_t> data;
    Put16(data, resistMode);
    for (const auto& s : sizes) {
        Put16(data, s.dn);
        PutFloat(data, s.openedValue);
        PutFloat(data, s.thermostaticValue);
        for (const auto& p : s.positions)
            PutFloat(data, p.resistValue);
    }
    return data;
}

std::int32_t ValveDBItem::CheckValue() const
{
    return SecurityCheckValue(CheckData());
}

} // namespace kalorina

namespace kalorina {

bool ValveDBItem::ReadFromXml(CatalogueReader& r)
{
    resistMode = ResistModeFromAttribute(r.Attribute("ResistMode"));
    projektOptionsDefault = r.Attribute("ProjektOptionsDefault") == "yes";
    bool complete = r.ReadElements("TervaldDBValve",
                                   {
                                       {"ItemHeader", [&] { ReadHeader(r); }},
                                       {"NameBase", [&] { TakeNameBase(r, nameBase); }},
                                       {"ValveSubType", [&] { ReadSize(r); }},
                                   });
    if (complete && nameBase.empty())
        throw KalorinaError(FormatText(CatalogueText("IDS_XMLPARSERERROR+11"), {itemName, itemPath}));
    return complete;
}

void ValveDBItem::ReadSize(CatalogueReader& r)
{
    ValveSubType s;
    auto readPosition = [&] {
        ValvePosition p;
        bool complete = r.ReadElements("Position",
                                       {
                                           r.TextElement("PositionString", p.positionString, true, true),
                                           r.FloatElement("ResistValue", p.resistValue),
                                           r.FloatElement("NoiceLimit", p.noiceLimit),
                                       });
        if (complete)
            s.positions.push_back(std::move(p));
    };
    bool complete = r.ReadElements("ValveSubType",
                                   {
                                       r.TextElement("SizeName", s.sizeName, true, true),
                                       r.Int16Element("DN", s.dn),
                                       r.FloatElement("NoiceLimit", s.noiceLimit),
                                       r.FloatElement("OpenedValue", s.openedValue),
                                       r.FloatElement("ThermostaticValue", s.thermostaticValue),
                                       r.TextElement("EstimateCode", s.estimateCode, false, true),
                                       {"Position", readPosition},
                                   });
    if (!complete)
        return;
    if (s.sizeName.empty())
        throw KalorinaError(CatalogueText("IDS_XMLPARSERERROR+12"));
    sizes.push_back(std::move(s));
}

} // namespace kalorina
