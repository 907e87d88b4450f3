#pragma once
// The check tree of the bill: kind group, catalogue item, row.  States: 1 checked,
// 2 partly checked, 3 unchecked.
#include <functional>
#include <string>
#include <vector>

namespace kalorina {

class TUsedMaterial;

struct MaterialTreeNode {
    enum State { kChecked = 1, kPartly = 2, kUnchecked = 3 };
    std::string text;
    int state = kUnchecked;
    int row = -1; // the bill row of a third-level node
    std::vector<MaterialTreeNode> children;
};

// Groups by the kind's text (IDS_DEVICEDBTYPES+, a piece list shown as "other"),
// then by catalogue identifier; every level sorted by text, everything unchecked.
std::vector<MaterialTreeNode> FillMaterialTree(const TUsedMaterial& bill);
// Marks the rows of checked third-level nodes (or all of them) selected; answers the
// number of third-level nodes.
int SelectFromTree(TUsedMaterial& bill, const std::vector<MaterialTreeNode>& roots, bool all);
void SetSubtreeState(MaterialTreeNode& node, int state);
// A node with children becomes checked when all are, unchecked when none is, else
// partly checked; a leaf keeps its state.
int UpdateGroupState(MaterialTreeNode& node);

// A double click on the node at `path` (indices from the top level).  Acts on a row,
// or on any node while Shift is held: toggles its subtree and recomputes the groups.
// Answers whether it acted (the dialog then switches to "only the chosen rows").
bool ToggleMaterialNode(std::vector<MaterialTreeNode>& roots, const std::vector<int>& path, bool shift);

} // namespace kalorina
