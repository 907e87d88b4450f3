#pragma once
// The choice of rows of the bill of materials that its printing and export dialogs
// share: the check tree and the switch between all rows and the chosen ones.
#include <string>
#include <vector>

#include "materials/MaterialTree.h"
#include "materials/TUsedMaterial.h"

namespace kalorina {

class UsedMaterialsChoice {
public:
    explicit UsedMaterialsChoice(TUsedMaterial bill);

    const std::vector<MaterialTreeNode>& Tree() const { return tree_; }
    bool All() const { return all_; }
    void SetAll(bool all) { all_ = all; }
    // A double click on a tree node (path from the top level); true when it changed
    // the choice, which then becomes "only the chosen rows".
    bool DoubleClick(const std::vector<int>& path, bool shift);
    // Marks the chosen rows (or all) selected and answers how many there are.
    int SelectRows();
    bool Empty() const { return bill_.rows.empty(); }

    TUsedMaterial& Bill() { return bill_; }

protected:
    TUsedMaterial bill_;
    std::vector<MaterialTreeNode> tree_;
    bool all_ = true;
};

} // namespace kalorina
