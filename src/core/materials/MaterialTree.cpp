#include "materials/MaterialTree.h"

#include <algorithm>

#include "lang/Alphabet.h"
#include "lang/TLanguages.h"
#include "materials/TUsedMaterial.h"

namespace kalorina {

namespace {
MaterialTreeNode& Child(std::vector<MaterialTreeNode>& list, const std::string& text)
{
    for (auto& node : list)
        if (node.text == text)
            return node;
    MaterialTreeNode node;
    node.text = text;
    list.push_back(node);
    return list.back();
}

void SortLevel(std::vector<MaterialTreeNode>& list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return AlphabeticLess(a.text, b.text); });
    for (auto& node : list)
        SortLevel(node.children);
}

void CollectLeaves(TUsedMaterial& bill, const std::vector<MaterialTreeNode>& list, int depth, bool all, int& count)
{
    for (const auto& node : list) {
        if (depth == 2) {
            ++count;
            if ((all || node.state == MaterialTreeNode::kChecked) && node.row >= 0
                && node.row < static_cast<int>(bill.rows.size()))
                bill.rows[node.row].selected = true;
        } else {
            CollectLeaves(bill, node.children, depth + 1, all, count);
        }
    }
}
} // namespace

std::vector<MaterialTreeNode> FillMaterialTree(const TUsedMaterial& bill)
{
    std::vector<MaterialTreeNode> roots;
    for (std::size_t i = 0; i < bill.rows.size(); ++i) {
        const auto& row = bill.rows[i];
        int shown = row.type == 5 ? 6 : row.type;
        // The tree belongs to the dialog, which speaks the user-interface language.
        MaterialTreeNode& group =
            Child(roots, Languages().GetInterfaceText("IDS_DEVICEDBTYPES+" + std::to_string(shown)));
        MaterialTreeNode& item = Child(group.children, row.catalogueId);
        MaterialTreeNode leaf;
        leaf.text = row.name;
        leaf.row = static_cast<int>(i);
        item.children.push_back(leaf);
    }
    SortLevel(roots);
    return roots;
}

int SelectFromTree(TUsedMaterial& bill, const std::vector<MaterialTreeNode>& roots, bool all)
{
    for (auto& row : bill.rows)
        row.selected = false;
    int count = 0;
    CollectLeaves(bill, roots, 0, all, count);
    return count;
}

void SetSubtreeState(MaterialTreeNode& node, int state)
{
    node.state = state;
    for (auto& child : node.children)
        SetSubtreeState(child, state);
}

int UpdateGroupState(MaterialTreeNode& node)
{
    if (node.children.empty())
        return node.state;
    bool allChecked = true, allUnchecked = true;
    for (auto& child : node.children) {
        int s = UpdateGroupState(child);
        allChecked = allChecked && s == MaterialTreeNode::kChecked;
        allUnchecked = allUnchecked && s == MaterialTreeNode::kUnchecked;
    }
    node.state = allChecked ? MaterialTreeNode::kChecked
        : allUnchecked      ? MaterialTreeNode::kUnchecked
                            : MaterialTreeNode::kPartly;
    return node.state;
}

bool ToggleMaterialNode(std::vector<MaterialTreeNode>& roots, const std::vector<int>& path, bool shift)
{
    if (path.empty() || (path.size() != 3 && !shift))
        return false;
    std::vector<MaterialTreeNode>* level = &roots;
    MaterialTreeNode* node = nullptr;
    for (int index : path) {
        if (index < 0 || index >= static_cast<int>(level->size()))
            return false;
        node = &(*level)[index];
        level = &node->children;
    }
    SetSubtreeState(
        *node, node->state == MaterialTreeNode::kChecked ? MaterialTreeNode::kUnchecked : MaterialTreeNode::kChecked);
    for (auto& root : roots)
        UpdateGroupState(root);
    return true;
}

} // namespace kalorina
