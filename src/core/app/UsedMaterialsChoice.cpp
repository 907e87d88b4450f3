#include "app/UsedMaterialsChoice.h"

namespace kalorina {

UsedMaterialsChoice::UsedMaterialsChoice(TUsedMaterial bill) : bill_(std::move(bill))
{
    tree_ = FillMaterialTree(bill_);
}

bool UsedMaterialsChoice::DoubleClick(const std::vector<int>& path, bool shift)
{
    if (!ToggleMaterialNode(tree_, path, shift))
        return false;
    all_ = false;
    return true;
}

int UsedMaterialsChoice::SelectRows()
{
    SelectFromTree(bill_, tree_, all_);
    return bill_.SelectedCount();
}

} // namespace kalorina
