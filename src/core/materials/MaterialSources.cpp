#include "materials/MaterialSources.h"

#include <algorithm>
#include <limits>
#include <map>

#include "calc/FloorHeatingField.h"
#include "calc/THydraulic.h"
#include "calc/TResist.h"
#include "catalogue/DeviceKind.h"
#include "catalogue/FloorHeatDBItem.h"
#include "catalogue/ResistDBItem.h"
#include "catalogue/TDevices.h"
#include "catalogue/TubeDBItem.h"
#include "catalogue/ValveDBItem.h"
#include "document/TRoomItem.h"
#include "document/TRoundItem.h"
#include "lang/BuiltInTexts.h"
#include "materials/TUsedMaterial.h"
#include "util/FormatText.h"

namespace kalorina {

namespace {
// Adds the row; the code belongs to the first occurrence only.
void AddWithCode(TUsedMaterial& bill, TUsedMaterialItem row, const std::string& code)
{
    if (bill.Add(row))
        bill.SetLastEstimateCode(code);
}
} // namespace

void AddFieldMaterials(TUsedMaterial& bill, const FloorHeatingField& field, const TDevices& devices)
{
    if (!(field.area > 0))
        return;
    TUsedMaterialItem row;
    row.type = kFloorHeatingKind;
    row.name = field.systemName + "(d=" + std::to_string(field.spacing) + "mm)";
    row.catalogueId = field.systemName;
    row.quantity = field.area;
    row.unit = "m2";
    std::string code;
    if (const auto* system = devices.Find<FloorHeatDBItem>(kFloorHeatingKind, field.systemName)) {
        int index = system->SpacingIndex(field.spacing);
        if (index >= 0 && index < static_cast<int>(system->distances.size()))
            code = system->distances[index].estimateCode;
    }
    AddWithCode(bill, row, code);
}

void AddResistMaterials(TUsedMaterial& bill, const TResist& fitting, const std::string& tubeSize,
                        const TDevices& devices, const std::string& piecesText)
{
    if (!fitting.listing || fitting.resistName.empty())
        return;
    TUsedMaterialItem row;
    row.type = kResistKind;
    row.catalogueId = fitting.resistName;
    row.quantity = fitting.count;
    row.unit = piecesText;
    if (fitting.unique) {
        row.name = fitting.dn < 1 ? fitting.resistName : fitting.resistName + " " + std::to_string(fitting.dn);
        AddWithCode(bill, row, {});
        return;
    }
    const auto* item = devices.Find<ResistDBItem>(kResistKind, fitting.resistName);
    if (!item)
        return;
    row.name = item->DisplayName(fitting.SizeInUse(), tubeSize);
    AddWithCode(bill, row, item->SizeEstimateCode(fitting.SizeInUse()));
}

void AddHydraulicMaterials(TUsedMaterial& bill, const THydraulic& h, const TDevices& devices,
                           const std::string& piecesText)
{
    if (!h.tubeName.empty() && h.tubeLength > 0) {
        if (const auto* tube = devices.Find<TubeDBItem>(kTubeKind, h.tubeName)) {
            TUsedMaterialItem row;
            row.type = kTubeKind;
            row.name = tube->DisplayName(h.tubeSize);
            row.catalogueId = h.tubeName;
            row.quantity = h.tubeLength;
            row.unit = "m";
            AddWithCode(bill, row, tube->SizeEstimateCode(h.tubeSize));
        }
    }
    if (!h.valveName.empty()) {
        if (const auto* valve = devices.Find<ValveDBItem>(kValveKind, h.valveName)) {
            TUsedMaterialItem row;
            row.type = kValveKind;
            row.name = valve->DisplayName(h.ValveSizeInUse());
            row.catalogueId = h.valveName;
            row.quantity = 1;
            row.unit = piecesText;
            AddWithCode(bill, row, valve->SizeEstimateCode(h.ValveSizeInUse()));
        }
    }
    for (const TResist& fitting : h.fittings)
        AddResistMaterials(bill, fitting, h.tubeSize, devices, piecesText);
}

void AddRoomMaterials(TUsedMaterial& bill, const TRoomItem& room, const TDevices& devices)
{
    for (const FloorHeatingField& field : room.fields)
        AddFieldMaterials(bill, field, devices);
}

void AddRoundMaterials(TUsedMaterial& bill, const TRoundItem& round, const TDevices& devices,
                       const std::string& piecesText)
{
    AddHydraulicMaterials(bill, round.hydraulic, devices, piecesText);
}

std::vector<int> ChooseManifoldKits(int outlets, const std::vector<int>& kitSizes)
{
    std::vector<int> sizes;
    for (int size : kitSizes)
        if (size > 0 && std::find(sizes.begin(), sizes.end(), size) == sizes.end())
            sizes.push_back(size);
    if (outlets <= 0 || sizes.empty())
        return {};
    std::sort(sizes.rbegin(), sizes.rend());
    // fewest[n]: the fewest kits whose outlets add up to exactly n.  Past the
    // outlets asked for, a total larger by a whole largest kit never needs fewer.
    const int limit = outlets + sizes.front();
    constexpr int kNone = std::numeric_limits<int>::max();
    std::vector<int> fewest(static_cast<std::size_t>(limit) + 1, kNone);
    fewest[0] = 0;
    for (int n = 1; n <= limit; ++n)
        for (int size : sizes)
            if (size <= n && fewest[n - size] != kNone)
                fewest[n] = std::min(fewest[n], fewest[n - size] + 1);
    int best = -1;
    for (int n = outlets; n <= limit; ++n)
        if (fewest[n] != kNone && (best < 0 || fewest[n] < fewest[best]))
            best = n; // the first of a count is the one with the fewest outlets left over
    std::vector<int> kits;
    for (int n = best; n > 0;)
        for (int size : sizes)
            if (size <= n && fewest[n - size] != kNone && fewest[n - size] == fewest[n] - 1) {
                kits.push_back(size);
                n -= size;
                break;
            }
    return kits;
}

namespace {
// The manifold kits of the catalogue by their outlets: "@" ... "HKV-N".
std::map<int, std::string> ManifoldKits(const TDevices& devices)
{
    std::map<int, std::string> kits;
    for (const auto& item : devices.Items(kPieceListKind)) {
        const std::string& name = item->itemName;
        const auto at = name.rfind("HKV-");
        if (name.empty() || name[0] != '@' || at == std::string::npos || at == 0)
            continue;
        const std::string digits = name.substr(at + 4);
        if (digits.empty() || digits.size() > 4 || digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        kits.emplace(std::stoi(digits), name); // the first of a size, as the catalogue lists them
    }
    return kits;
}

std::string Joined(const std::vector<int>& kits)
{
    std::string text;
    for (int size : kits)
        text += (text.empty() ? "" : " + ") + std::to_string(size);
    return text;
}
} // namespace

void AddManifoldMaterials(TUsedMaterial& bill, const std::string& manifoldName, std::size_t outlets,
                          const TDevices& devices, const std::string& piecesText)
{
    if (outlets == 0)
        return;
    const std::map<int, std::string> kits = ManifoldKits(devices);
    std::vector<int> sizes;
    for (const auto& [size, name] : kits)
        sizes.push_back(size);
    const int wanted = outlets > 100000 ? 100000 : static_cast<int>(outlets);
    const std::vector<int> chosen = ChooseManifoldKits(wanted, sizes);
    const std::string count = std::to_string(outlets);
    if (chosen.empty()) {
        bill.manifoldNotes.push_back(FormatText(TextOrBuiltIn("IDS_MANIFOLDKITNONE"), {manifoldName, count}));
        return;
    }
    int given = 0;
    for (int size : chosen) {
        given += size;
        const std::string& name = kits.at(size);
        TUsedMaterialItem row;
        row.type = kPieceListKind;
        row.name = name;
        row.catalogueId = name;
        row.estimateCode = name;
        row.quantity = 1;
        row.unit = piecesText;
        bill.Add(row);
    }
    if (given > wanted)
        bill.manifoldNotes.push_back(FormatText(TextOrBuiltIn("IDS_MANIFOLDKITSPARE"),
                                                {manifoldName, count, Joined(chosen), std::to_string(given - wanted)}));
    else if (chosen.size() > 1)
        bill.manifoldNotes.push_back(
            FormatText(TextOrBuiltIn("IDS_MANIFOLDKITCOMBINED"), {manifoldName, count, Joined(chosen)}));
}

} // namespace kalorina
