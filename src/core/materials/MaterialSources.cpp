#include "materials/MaterialSources.h"

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
#include "materials/TUsedMaterial.h"

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

void AddManifoldMaterials(TUsedMaterial& bill, std::size_t outlets, const TDevices& devices,
                          const std::string& piecesText)
{
    if (outlets == 0)
        return;
    const std::string suffix = "HKV-" + std::to_string(outlets);
    for (const auto& item : devices.Items(kPieceListKind)) {
        const std::string& name = item->itemName;
        if (name.size() <= suffix.size() || name[0] != '@' || !name.ends_with(suffix))
            continue;
        TUsedMaterialItem row;
        row.type = kPieceListKind;
        row.name = name;
        row.catalogueId = name;
        row.estimateCode = name;
        row.quantity = 1;
        row.unit = piecesText;
        bill.Add(row);
        return;
    }
}

} // namespace kalorina
