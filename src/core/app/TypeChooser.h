#pragma once
// The type chooser: the items of a long combo box ("Vexalon valve DN15", ...) shown
// as a tree whose group nodes are the leading words the items share, so that a
// catalogue with many similar names can be browsed by manufacturer and series.
#include <string>
#include <vector>

namespace kalorina {

struct ComboTreeNode {
    std::string text;
    int item = -1; // the combo item a leaf chooses; -1 for a group node
    std::vector<ComboTreeNode> children;
};

// The top-level nodes for the combo items in combo order.  Groups hold at most two
// levels; a leaf's text is what remains of its item after the group words.
std::vector<ComboTreeNode> BuildComboTree(const std::vector<std::string>& items);

// Puts the nodes of every level in alphabetical order, as the chooser shows them.
void SortComboTree(std::vector<ComboTreeNode>& nodes);

} // namespace kalorina
