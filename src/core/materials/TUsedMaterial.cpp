#include "materials/TUsedMaterial.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "catalogue/DeviceKind.h"
#include "catalogue/ItemListDBItem.h"
#include "catalogue/TDevices.h"
#include "document/TProject.h"
#include "lang/Alphabet.h"
#include "lang/BuiltInTexts.h"
#include "lang/TLanguages.h"
#include "materials/MaterialSources.h"
#include "util/FormatText.h"

namespace kalorina {

bool TUsedMaterial::Add(const TUsedMaterialItem& row)
{
    for (TUsedMaterialItem& existing : rows) {
        if (existing.type == row.type && existing.name == row.name) {
            existing.quantity += row.quantity;
            // A kit reached along two ways must not be expanded below either of them.
            for (const std::string& kit : row.kitPath)
                if (std::find(existing.kitPath.begin(), existing.kitPath.end(), kit) == existing.kitPath.end())
                    existing.kitPath.push_back(kit);
            return false;
        }
    }
    rows.push_back(row);
    return true;
}

void TUsedMaterial::SetLastEstimateCode(const std::string& code)
{
    if (!rows.empty())
        rows.back().estimateCode = code;
}

void TUsedMaterial::ExpandPieceLists(const TDevices& devices, const std::string& piecesText)
{
    // Every pass either expands a row, whose parts then carry one kit more in their
    // path, or ends; paths are bounded by the number of kits, so the passes end.
    bool expanded = true;
    while (expanded) {
        expanded = false;
        std::vector<TUsedMaterialItem> work;
        work.swap(rows);
        for (const TUsedMaterialItem& row : work) {
            const ItemListDBItem* kit = nullptr;
            if (!row.estimateCode.empty() && row.estimateCode[0] == '@')
                kit = devices.Find<ItemListDBItem>(kPieceListKind, row.estimateCode);
            if (!kit) {
                Add(row);
                continue;
            }
            if (std::find(row.kitPath.begin(), row.kitPath.end(), kit->itemName) != row.kitPath.end()) {
                if (std::find(cycleKits.begin(), cycleKits.end(), kit->itemName) == cycleKits.end())
                    cycleKits.push_back(kit->itemName);
                Add(row);
                continue;
            }
            for (std::size_t i = 0;; ++i) {
                auto part = kit->MakeUsedMaterialItem(i, row.catalogueId, row.name, piecesText);
                if (!part)
                    break;
                TUsedMaterialItem item;
                item.type = part->type;
                item.name = part->name;
                item.catalogueId = part->catalogueId;
                item.estimateCode = part->estimateCode;
                item.quantity = static_cast<float>(part->quantity) * row.quantity;
                item.unit = part->unit;
                item.kitPath = row.kitPath;
                item.kitPath.push_back(kit->itemName);
                Add(item);
            }
            expanded = true;
        }
    }
}

void TUsedMaterial::Sort()
{
    std::stable_sort(rows.begin(), rows.end(), [](const TUsedMaterialItem& a, const TUsedMaterialItem& b) {
        if (a.type != b.type)
            return a.type < b.type;
        return AlphabeticLess(a.name, b.name);
    });
}

const TUsedMaterialItem* TUsedMaterial::NextSelected()
{
    for (int i = cursor + 1; i < static_cast<int>(rows.size()); ++i) {
        if (rows[i].selected) {
            cursor = i;
            return &rows[i];
        }
    }
    cursor = static_cast<int>(rows.size());
    return nullptr;
}

int TUsedMaterial::SelectedCount() const
{
    return static_cast<int>(std::count_if(rows.begin(), rows.end(), [](const auto& r) { return r.selected; }));
}

void TUsedMaterial::SelectAll(bool selected)
{
    for (auto& r : rows)
        r.selected = selected;
}

TUsedMaterial BuildUsedMaterials(const TProject& project, const TDevices& devices)
{
    const std::string pieces = Txt("IDS_NUMBEROFPIECES");
    TUsedMaterial bill;
    for (const TRoomItem& room : project.rooms)
        AddRoomMaterials(bill, room, devices);
    for (const TRoundItem& round : project.rounds)
        AddRoundMaterials(bill, round, devices, pieces);
    for (std::size_t m = 0; m < project.manifolds.size(); ++m)
        AddManifoldMaterials(bill, project.manifolds[m].name, project.ManifoldRounds(static_cast<int>(m)).size(),
                             devices, pieces);
    bill.ExpandPieceLists(devices, pieces);
    std::erase_if(bill.rows, [&](const TUsedMaterialItem& row) {
        if (row.quantity >= 0 && std::isfinite(row.quantity))
            return false;
        bill.impossibleRows.push_back(row.name);
        return true;
    });
    bill.Sort();
    bill.cursor = -1;
    return bill;
}

std::vector<std::string> BillWarnings(const TUsedMaterial& bill)
{
    std::vector<std::string> lines;
    for (const std::string& kit : bill.cycleKits)
        lines.push_back(FormatText(TextOrBuiltIn("IDS_PIECELISTCYCLE"), {kit}));
    for (const std::string& row : bill.impossibleRows)
        lines.push_back(FormatText(TextOrBuiltIn("IDS_IMPOSSIBLEQUANTITY"), {row}));
    lines.insert(lines.end(), bill.manifoldNotes.begin(), bill.manifoldNotes.end());
    return lines;
}

std::string QuantityText(float quantity, char separator)
{
    return SingleToStr(quantity, separator);
}

} // namespace kalorina
