#include "catalogue/TubeDBItem.h"

#include <cmath>
#include <numbers>

#include "catalogue/CatalogueReader.h"
#include "catalogue/CatalogueTexts.h"
#include "catalogue/DisplayNameFormat.h"
#include "catalogue/ItemSizes.h"
#include "util/Error.h"

namespace kalorina {

int TubeDBItem::FindSize(const std::string& sizeName) const
{
    return FindSizeIndex(sizes, sizeName);
}

int TubeDBItem::SizeDN(const std::string& sizeName) const
{
    int i = FindSize(sizeName);
    return i < 0 ? 0 : sizes[i].dn;
}

int TubeDBItem::SizeValveDN(const std::string& sizeName) const
{
    int i = FindSize(sizeName);
    return i < 0 ? 0 : sizes[i].valveDN;
}

double TubeDBItem::FlowVelocity(double volumeFlow, double d1)
{
    if (!(d1 > 0))
        return 0;
    return volumeFlow / (d1 * d1 * std::numbers::pi * 2.5e-7);
}

double TubeDBItem::Velocity(const std::string& sizeName, double volumeFlow) const
{
    int i = FindSize(sizeName);
    return i < 0 ? 0 : FlowVelocity(volumeFlow, sizes[i].d1);
}

double TubeDBItem::FrictionFactor(double v, double nu, double d1, double k)
{
    if (!(nu > 0) || !(d1 > 0))
        return 0;
    double re = v * d1 / nu * 0.001;
    if (!std::isfinite(re))
        return 0;
    if (re < 2300)
        return re >= 0.01 ? 64 / re : 0;
    double eps = k > 0 ? k / d1 : 0;
    if (eps > 0) {
        double a = 1.14 - 2 * std::log10(eps);
        if (re > a * 200 / eps)
            return 1 / (a * a);
    }
    // Colebrook-White by fixed-point iteration on x = 1/sqrt(lambda).  It contracts
    // quickly for every turbulent Re; the round limit only guards odd input.
    double x = 6.5, next = x;
    for (int round = 0; round < 200; ++round) {
        next = -2 * std::log10(2.51 * x / re + eps / 3.61);
        if (std::fabs(x - next) < 0.001)
            break;
        x = next;
    }
    if (!std::isfinite(next) || next <= 0)
        return 0;
    return 1 / (next * next);
}

double TubeDBItem::PressureGradient(const std::string& sizeName, double volumeFlow, double density,
                                    double kinematicViscosity) const
{
    int i = FindSize(sizeName);
    if (i < 0 || !(sizes[i].d1 > 0))
        return 0;
    const auto& s = sizes[i];
    double v = FlowVelocity(volumeFlow, s.d1);
    double lambda = FrictionFactor(std::fabs(v), kinematicViscosity, s.d1, s.roughness);
    return lambda * density * v * v / 2 / s.d1 * 1000;
}

std::string TubeDBItem::DisplayName(const std::string& sizeName) const
{
    return ComposeDisplayName(nameBase, sizeName);
}

std::string TubeDBItem::SizeEstimateCode(const std::string& sizeName) const
{
    return SizeEstimateCodeOf(sizes, sizeName);
}

} // namespace kalorina

namespace kalorina {

bool TubeDBItem::ReadFromXml(CatalogueReader& r)
{
    bool complete = r.ReadElements("TervaldDBTube",
                                   {
                                       {"ItemHeader", [&] { ReadHeader(r); }},
                                       {"NameBase", [&] { TakeNameBase(r, nameBase); }},
                                       r.FloatElement("ThermalCond", thermalCond),
                                       {"TubeSubType", [&] { ReadSize(r); }},
                                   });
    if (complete && nameBase.empty())
        throw KalorinaError(FormatText(CatalogueText("IDS_XMLPARSERERROR+11"), {itemName, itemPath}));
    return complete;
}

void TubeDBItem::ReadSize(CatalogueReader& r)
{
    TubeSubType s;
    bool complete = r.ReadElements("TubeSubType",
                                   {
                                       r.TextElement("SizeName", s.sizeName, true, true),
                                       r.Int16Element("DN", s.dn),
                                       r.Int16Element("ValveDN", s.valveDN),
                                       r.FloatElement("d1", s.d1),
                                       r.FloatElement("d2", s.d2),
                                       r.FloatElement("SpeedLimit", s.speedLimit),
                                       r.FloatElement("Roughness", s.roughness),
                                       r.FloatElement("MaxLoopLength", s.maxLoopLength),
                                       r.TextElement("EstimateCode", s.estimateCode, false, true),
                                   });
    if (!complete)
        return;
    if (s.sizeName.empty())
        throw KalorinaError(CatalogueText("IDS_XMLPARSERERROR+12"));
    sizes.push_back(std::move(s));
}

} // namespace kalorina
