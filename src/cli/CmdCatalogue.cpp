// kalorina-cli catalogue [--json]: loads the catalogue as the program does and
// lists every item with all its data.
#include <ostream>
#include <sstream>

#include "CliCatalogue.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/ItemListDBItem.h"
#include "catalogue/MediumDBItem.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/TubeDBItem.h"
#include "catalogue/ValveDBItem.h"
#include "util/Codepage.h"

namespace kalorina::cli {
namespace {

template <class T, std::size_t N>
std::string Floats(const std::array<T, N>& a, int count)
{
    std::vector<double> v(a.begin(), a.begin() + std::min<int>(count, N));
    return Array(v, [](double x) { return JsonNumber(x); });
}

std::string FloatList(const std::vector<float>& v)
{
    return Array(v, [](float x) { return JsonNumber(x); });
}

JsonObject Header(const DeviceDBItem& item)
{
    JsonObject o;
    o.Text("itemName", item.itemName)
        .Text("itemPath", item.itemPath)
        .Text("itemDate", item.itemDate.Iso())
        .Text("homePage", item.homePage)
        .Number("securityCode", item.securityCode);
    return o;
}

std::string FloorHeatJson(const FloorHeatDBItem& fh)
{
    int n = static_cast<int>(fh.distances.size());
    return Header(fh)
        .Text("tubeType", fh.tubeType)
        .Text("tubeSize", fh.tubeSize)
        .Raw("distances",
             Array(fh.distances,
                   [](const FloorHeatDistanceType& d) {
                       return JsonObject().Number("distance", d.distance).Text("estimateCode", d.estimateCode).Str();
                   }))
        .Raw("surfaces",
             Array(fh.surfaces,
                   [n](const FloorHeatSurfaceType& s) {
                       return JsonObject()
                           .Text("surfaceName", s.surfaceName)
                           .Number("heatResist", s.heatResist)
                           .Number("equationCount", s.equationCount)
                           .Raw("lineSteep", Floats(s.lineSteep, n))
                           .Raw("lineyIntersection", Floats(s.lineyIntersection, n))
                           .Raw("exponent", Floats(s.exponent, n))
                           .Raw("surfaceTempFactor", Floats(s.surfaceTempFactor, n))
                           .Str();
                   }))
        .Str();
}

std::string TubeJson(const TubeDBItem& t)
{
    return Header(t)
        .Text("nameBase", t.nameBase)
        .Number("thermalCond", t.thermalCond)
        .Raw("sizes",
             Array(t.sizes,
                   [](const TubeSubType& s) {
                       return JsonObject()
                           .Text("sizeName", s.sizeName)
                           .Number("dn", s.dn)
                           .Number("d1", s.d1)
                           .Number("d2", s.d2)
                           .Number("valveDN", s.valveDN)
                           .Number("speedLimit", s.speedLimit)
                           .Number("roughness", s.roughness)
                           .Text("estimateCode", s.estimateCode)
                           .Str();
                   }))
        .Str();
}

std::string ValveJson(const ValveDBItem& v)
{
    return Header(v)
        .Text("nameBase", v.nameBase)
        .Number("resistMode", v.resistMode)
        .Bool("projektOptionsDefault", v.projektOptionsDefault)
        .Number("checkValue", v.CheckValue())
        .Raw("sizes",
             Array(v.sizes,
                   [](const ValveSubType& s) {
                       return JsonObject()
                           .Text("sizeName", s.sizeName)
                           .Number("dn", s.dn)
                           .Number("noiceLimit", s.noiceLimit)
                           .Number("openedValue", s.openedValue)
                           .Number("thermostaticValue", s.thermostaticValue)
                           .Text("estimateCode", s.estimateCode)
                           .Raw("positions",
                                Array(s.positions,
                                      [](const ValvePosition& p) {
                                          return JsonObject()
                                              .Text("positionString", p.positionString)
                                              .Number("resistValue", p.resistValue)
                                              .Number("noiceLimit", p.noiceLimit)
                                              .Str();
                                      }))
                           .Str();
                   }))
        .Str();
}

std::string ResistJson(const ResistDBItem& r)
{
    return Header(r)
        .Text("nameBase", r.nameBase)
        .Number("resistMode", r.resistMode)
        .Number("defaultValue", r.defaultValue)
        .Bool("hasUniqueValues", r.hasUniqueValues)
        .Bool("listing", r.listing)
        .Raw("sizes",
             Array(r.sizes,
                   [](const ResistSubType& s) {
                       return JsonObject()
                           .Text("sizeName", s.sizeName)
                           .Text("fullName", s.fullName)
                           .Number("dn", s.dn)
                           .Number("uniqueValue", s.uniqueValue)
                           .Text("estimateCode", s.estimateCode)
                           .Str();
                   }))
        .Str();
}

std::string MediumJson(const MediumDBItem& m)
{
    return Header(m)
        .Number("tempMin", m.tempMin)
        .Number("tempMax", m.tempMax)
        .Raw("characteristics",
             Array(m.characteristics,
                   [](const MediumFunction& f) {
                       return JsonObject()
                           .Text("name", f.name)
                           .Number("mode", f.mode)
                           .Raw("polinomValues", FloatList(f.polinomValues))
                           .Raw("temperatures", FloatList(f.temperatures))
                           .Raw("pointValues", FloatList(f.pointValues))
                           .Str();
                   }))
        .Str();
}

std::string PieceListJson(const ItemListDBItem& l)
{
    return Header(l)
        .Raw("entries",
             Array(l.entries,
                   [](const ListItem& e) {
                       return JsonObject()
                           .Number("type", e.type)
                           .Text("name", e.name)
                           .Number("quantity", e.quantity)
                           .Text("unit", e.unit)
                           .Text("estimateCode", e.estimateCode)
                           .Str();
                   }))
        .Str();
}

std::string ItemJson(const DeviceDBItem& item)
{
    if (auto* p = dynamic_cast<const FloorHeatDBItem*>(&item))
        return FloorHeatJson(*p);
    if (auto* p = dynamic_cast<const TubeDBItem*>(&item))
        return TubeJson(*p);
    if (auto* p = dynamic_cast<const ValveDBItem*>(&item))
        return ValveJson(*p);
    if (auto* p = dynamic_cast<const ResistDBItem*>(&item))
        return ResistJson(*p);
    if (auto* p = dynamic_cast<const MediumDBItem*>(&item))
        return MediumJson(*p);
    if (auto* p = dynamic_cast<const ItemListDBItem*>(&item))
        return PieceListJson(*p);
    return Header(item).Str();
}

std::string ListJson(const TDevices::ItemList& list)
{
    std::string out = "[";
    for (std::size_t i = 0; i < list.size(); ++i)
        out += (i ? "," : "") + ItemJson(*list[i]);
    return out + "]";
}

const char* const kListNames[kDeviceKindCount] = {"floorHeating", "tubes", "valves", "fittings", "media", "pieceLists"};
const char* const kKindTitles[kDeviceKindCount] = {
    "Floor heating systems", "Tubes", "Valves", "Fittings", "Media", "Piece lists"};

void PrintTree(std::ostream& out, const DeviceTreeNode& node, int depth)
{
    out << std::string(2 * depth, ' ') << Cp1250ToUtf8(node.text) << (node.tag ? "" : "\\") << "\n";
    for (const auto& child : node.children)
        PrintTree(out, child, depth + 1);
}

void PrintText(std::ostream& out, const TDevices& d)
{
    for (int k = 0; k < kDeviceKindCount; ++k) {
        out << kKindTitles[k] << " (" << d.Items(k).size() << ")\n";
        for (const auto& child : d.FillDeviceTree(k, "").children)
            PrintTree(out, child, 1);
    }
    if (!d.FailedValves().empty()) {
        out << "Valves failing the security check (" << d.FailedValves().size() << ")\n";
        for (const auto& v : d.FailedValves())
            out << "  " << Cp1250ToUtf8(v->itemName) << "\n";
    }
    out << "Default valve: " << Cp1250ToUtf8(d.DefaultValveName()) << "\n";
}

int Run(Context& ctx)
{
    bool json = false;
    for (const auto& a : ctx.args) {
        if (a == "--json")
            json = true;
        else
            return Usage(ctx, "catalogue: unknown argument '" + a + "'");
    }
    auto d = LoadCliCatalogue(ctx);
    if (json) {
        JsonObject items;
        for (int k = 0; k < kDeviceKindCount; ++k) {
            items.Raw(kListNames[k], ListJson(d->Items(k)));
            if (k == kValveKind)
                items.Raw("failedValves", ListJson(d->FailedValves()));
        }
        ctx.out << JsonObject()
                       .Bool("failed", d->Failed())
                       .Text("message", d->FailureMessage())
                       .Raw("items", items.Str())
                       .Str()
                << "\n";
    } else {
        PrintText(ctx.out, *d);
    }
    if (d->Failed())
        return Fail(ctx, "the catalogue did not load completely: " + Cp1250ToUtf8(d->FailureMessage()));
    return kOk;
}

const bool registered = RegisterCommand({"catalogue", "[--data DIR] [--language NAME] catalogue [--json]", Run});

} // namespace
} // namespace kalorina::cli
